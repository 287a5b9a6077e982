// GL draw calls issued by the SDL backend, for benchmarks and tests of batching.
#pragma once

int sdl_draw_calls();
void sdl_reset_draw_calls();
// CPU microseconds this thread spent handing batches to GL (with a software renderer this
// includes some drawing).
long long sdl_flush_us();
// CPU microseconds this thread has used: what it did itself, whatever else shares the cores.
long long sdl_thread_cpu_us();
void sdl_reset_flush_us();
// Called by every present before the swap, with the frame complete in the back buffer.
void sdl_set_present_hook(void (*hook)());
// The GL context in use ("OpenGL 3.3 core", "OpenGL ES 3.0"; empty before the first window).
const char* sdl_context_name();
// Smoothed lines even on a software renderer, which draws them plain otherwise.
void sdl_force_smooth_lines(bool on);

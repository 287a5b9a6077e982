// GL draw calls issued by the SDL backend, for benchmarks and tests of batching.
#pragma once

int sdl_draw_calls();
void sdl_reset_draw_calls();
// Microseconds spent handing batches to GL (with a software renderer this includes drawing).
long long sdl_flush_us();
void sdl_reset_flush_us();

// GL draw calls issued by the SDL backend, for benchmarks and tests of batching.
#pragma once

int sdl_draw_calls();
void sdl_reset_draw_calls();

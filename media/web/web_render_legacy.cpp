// The page has no fixed-function GL (WebGL 2 only): the comparison renderer is never chosen
// there (no VEX_RENDERER in a browser), so its entry points draw nothing.
#include "media/sdl/sdl_render_legacy.h"

namespace legacy {
void reset_state() {}
void set_screen(const letterbox&) {}
void unclip() {}
void clear_all() {}
unsigned texture_create(int, int, const uint8_t*) { return 0; }
void texture_free(unsigned) {}
void texture_grab(unsigned, int, int, int, int, int, int) {}
void flush(const render_batch&) {}
} // namespace legacy

// The fixed-function renderer, selectable while it is priced against the shader renderer.
#pragma once

#include "media/backend.h"
#include "media/letterbox.h"

namespace legacy {
void reset_state();
void set_screen(const letterbox& box);
void unclip();
void clear_all();
unsigned texture_create(int w, int h, const uint8_t* rgba);
void texture_free(unsigned tex);
void texture_grab(unsigned tex, int tx, int ty, int sx, int sy, int w, int h);
void flush(const render_batch& batch);
} // namespace legacy

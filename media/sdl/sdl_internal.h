// What the SDL backend's files share with each other; nothing outside media/sdl/ includes it.
#pragma once

#include <SDL.h>

namespace sdl {

// The one window and GL context; created on first need and kept for the whole run so
// textures survive every display re-open.
SDL_Window* window();
bool ensure_window();
void destroy_window();

// Puts GL into the state the renderer's cache believes in (after creating the context).
void render_reset_state();
// Pixel projection and viewport for a screen of w x h.
void render_set_screen(int w, int h);
// Scissor off: clearing covers the whole screen whatever the viewport.
void render_unclip();

// Forgets which modifier sides are held.
void keys_reset();

// Joypad plug, axis and button events; false when the event is not a joypad's.
bool pads_handle(const SDL_Event& e);
void pads_close_all();

void audio_start();
void audio_stop();

} // namespace sdl

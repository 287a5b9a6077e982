// What the SDL backend's files share with each other; nothing outside media/sdl/ includes it.
#pragma once

#include "media/letterbox.h"

#include <SDL.h>

#include <string>

namespace sdl {

#ifdef __EMSCRIPTEN__
// The page sizes the canvas to its window: every display mode is letterboxed into it.
constexpr bool page_canvas = true;
#else
constexpr bool page_canvas = false;
#endif

// The one window and GL context; created on first need and kept for the whole run so
// textures survive every display re-open.
SDL_Window* window();
bool ensure_window();
void destroy_window();

// Puts GL into the state the renderer's cache believes in (after creating the context).
void render_reset_state();
// "OpenGL 3.3 core", "OpenGL ES 3.0" ...: the context the renderer draws with.
void render_set_context_name(const std::string& name);
// Glow over the finished frame, when it is on (before the swap).
void render_glow();
// Pixel projection of the game's screen and the viewport that letterboxes it.
void render_set_screen(const letterbox& box);
// Where the game's screen lies in the drawable; the identity while no display is open.
const letterbox& screen_box();
// Recomputes the letterbox after the window or its drawable changed size.
void video_resized();
// A mouse event at window coordinates: the game pixel now under the pointer.
void window_to_logical(int wx, int wy, int& lx, int& ly);
// Scissor to the whole game screen: clearing covers it whatever the viewport.
void render_unclip();
// Scissor off: clearing covers the whole drawable, bars included.
void render_clear_all();

// A frame is being drawn (its screen was cleared); frame_done ends it.
void frame_begun();
// A frame was presented (shown) or a step passed undrawn: the browser takes its turn here.
void frame_done(bool shown);
// Presents wait for the monitor (the browser's next frame) or not; false when they cannot.
bool swap_sync(bool on);

// Forgets which modifier sides are held.
void keys_reset();

// Joypad plug, axis and button events; false when the event is not a joypad's.
bool pads_handle(const SDL_Event& e);
void pads_close_all();

void audio_start();
void audio_stop();

} // namespace sdl

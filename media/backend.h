// What a backend (sdl/ or headless/) supplies to the shared media code. Chosen at link
// time: exactly one backend's object files are linked into a program.
#pragma once

#include "media.h"
#include "render_batch.h"

namespace backend {

bool init();
void shutdown();

std::vector<display_mode> modes();
bool open(int width, int height, int depth, int hertz);
void close();
bool is_open();
// Why the display could not be opened, when the reason is not the size (no GL context...).
std::string failure();
int width();
int height();
void desktop(int& width, int& height);

void clear(int r, int g, int b);
void present();
// Light around bright strokes, added to every presented frame: 0 off, 1 low, 2 high.
void set_glow(int level);
// A world step begins (the headless backend lets a test act there).
void step_begin();
// Swaps wait for the monitor's refresh (true) or not; false when the driver will not.
bool set_swap_sync(bool on);
int refresh_rate();
// A world step that is not drawn: the window's events are still read.
void skip_present();
void pointer_visible(bool visible);
void pointer_move(int x, int y);
// Kept captured while asked each step (the browser's pointer lock); the desktop warps instead.
void pointer_capture(bool on);
std::vector<uint8_t> read_pixels(int x, int y, int w, int h);

// Textures hold RGBA pixels (R, G, B, A bytes per pixel, top row first).
unsigned texture_create(int w, int h, const uint8_t* rgba);
void texture_free(unsigned tex);
// Copies the screen rectangle (sx, sy, w, h) into the texture at (tx, ty).
void texture_grab(unsigned tex, int tx, int ty, int sx, int sy, int w, int h);

// Draws what the batch holds; the shared code empties it afterwards.
void flush(const render_batch& batch);

// Reads the window's event queue into the input state (media/input.h).
void pump_events();

int64_t now_us();
void sleep_until_us(int64_t deadline_us);

// A save or a removal changed the game's files (the browser copies them to its storage).
void files_changed();
// The game says its files changed in memory: the browser saves them now (media_keep_now).
void keep_point();

// Audio device: the backend pulls mixer_render() from its own thread under a lock.
void audio_lock();
void audio_unlock();

// Decodes a WAV file into interleaved floats (1 or 2 channels) at the file's own rate.
bool decode_wav(const std::string& path, std::vector<float>& samples, int& channels, int& rate);

} // namespace backend

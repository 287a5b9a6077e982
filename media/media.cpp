// Life cycle and display: the thin shared layer over the chosen backend.
#include "backend.h"
#include "draw_state.h"
#include "image_store.h"
#include "input.h"
#include "mixer.h"
#include "render_batch.h"

bool media_init() {
    draw_state_reset();
    input_reset();
    mixer_reset();
    pace_reset();
    set_close_handler(nullptr);
    set_world_step_handler(nullptr);
    set_world_step_begin_handler(nullptr);
    world_present_rate(50, false);
    return backend::init();
}

void media_shutdown() {
    images_release_all();
    backend::close();
    backend::shutdown();
}

std::vector<display_mode> display_modes() { return backend::modes(); }

bool display_open(int width, int height, int depth, int hertz) {
    batch_flush();
    if (width <= 0 || height <= 0) return false;
    bool ok = backend::open(width, height, depth, hertz);
    set_viewport(0, 0, width, height);
    return ok;
}

void display_close() {
    batch_flush();
    backend::close();
}

bool display_is_open() { return backend::is_open(); }
std::string display_failure() { return backend::failure(); }
int display_refresh_rate() { return backend::refresh_rate(); }
int display_width() { return backend::width(); }
int display_height() { return backend::height(); }
void desktop_size(int& width, int& height) { backend::desktop(width, height); }

void clear_screen() {
    batch_flush();
    backend::clear(draw_state.clear_r, draw_state.clear_g, draw_state.clear_b);
}

namespace {
void (*present_watcher)() = nullptr;
}

void set_present_watcher(void (*watcher)()) { present_watcher = watcher; }

void flip(int) {
    batch_flush();
    backend::present();
    if (present_watcher) present_watcher();
}

void set_glow(int level) { backend::set_glow(level); }

void show_pointer() { backend::pointer_visible(true); }
void hide_pointer() { backend::pointer_visible(false); }
void capture_pointer(bool on) { backend::pointer_capture(on); }
void move_pointer(int x, int y) {
    backend::pointer_move(x, y);
    input_mouse_move(x, y);
}

std::vector<uint8_t> read_pixels(int x, int y, int w, int h) {
    batch_flush();
    if (w <= 0 || h <= 0) return {};
    return backend::read_pixels(x, y, w, h);
}

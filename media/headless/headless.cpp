// The headless backend: no window and no GPU, a virtual clock, counted draw calls.
#include "headless.h"

#include "../backend.h"
#include "../input.h"

#include <map>

namespace {
const std::vector<display_mode> default_modes = {
    {640, 480, 32, 60},   {800, 600, 32, 60},   {1024, 768, 32, 60},  {1152, 864, 32, 60},
    {1280, 720, 32, 60},  {1280, 800, 32, 60},  {1280, 1024, 32, 60}, {1440, 900, 32, 60},
    {1600, 1200, 32, 60}, {1680, 1050, 32, 60}, {1920, 1080, 32, 60}, {1920, 1200, 32, 60},
};

struct headless_t {
    bool open = false, refuse = false;
    int w = 0, h = 0, desk_w = 1920, desk_h = 1200;
    int64_t now = 1000000;
    unsigned next_tex = 1;
    std::map<unsigned, int> textures;
    headless_stats_t stats;
    std::vector<display_mode> modes = default_modes;
    std::function<void(int)> on_present;
    std::function<void()> on_clear;
    std::function<void()> on_step;
    int64_t present_cost = 0;
} hl;
} // namespace

namespace backend {

// Each start is a fresh machine: default modes and desktop, nothing refused.
bool init() {
    hl.open = false;
    hl.refuse = false;
    hl.modes = default_modes;
    hl.desk_w = 1920;
    hl.desk_h = 1200;
    hl.textures.clear();
    hl.stats = {};
    hl.present_cost = 0;
    return true;
}
void shutdown() { hl.open = false; }

std::vector<display_mode> modes() { return hl.modes; }

bool open(int width, int height, int, int) {
    if (hl.refuse) return false;
    hl.open = true;
    hl.w = width;
    hl.h = height;
    return true;
}
void close() { hl.open = false; }
bool is_open() { return hl.open; }
std::string failure() { return {}; }
void set_glow(int) {}
int width() { return hl.open ? hl.w : 0; }
int height() { return hl.open ? hl.h : 0; }
void desktop(int& width, int& height) {
    width = hl.desk_w;
    height = hl.desk_h;
}

void clear(int, int, int) {
    hl.stats.clears++;
    if (hl.on_clear) {
        auto fn = hl.on_clear; // the hook may run whole frames of its own
        fn();
    }
}

void present() {
    hl.stats.presents++;
    if (hl.on_present) hl.on_present(hl.stats.presents);
    hl.now += hl.present_cost;
}

void step_begin() {
    if (hl.on_step) {
        auto fn = hl.on_step; // the hook may run whole steps of its own
        fn();
    }
}

bool set_swap_sync(bool) { return false; } // no monitor to wait for
// A monitor at the game's own rate: scripts see one present a step unless a test asks for more.
int refresh_rate() { return 50; }

// Scripts step frame by frame whether a world step was drawn or not.
void skip_present() {
    hl.stats.skipped++;
    if (hl.on_present) hl.on_present(hl.stats.presents);
}

void pointer_visible(bool) {}
void pointer_move(int, int) {}
std::vector<uint8_t> read_pixels(int, int, int, int) { return {}; }

unsigned texture_create(int w, int h, const uint8_t*) {
    unsigned id = hl.next_tex++;
    hl.textures[id] = w * h;
    hl.stats.textures_live = int(hl.textures.size());
    return id;
}
void texture_free(unsigned tex) {
    hl.textures.erase(tex);
    hl.stats.textures_live = int(hl.textures.size());
}
void texture_grab(unsigned, int, int, int, int, int, int) { hl.stats.grabs++; }

void flush(const render_batch& batch) {
    hl.stats.draw_calls++;
    if (batch.state.prim >= 0 && batch.state.prim < 3) hl.stats.draws_by_prim[batch.state.prim]++;
    hl.stats.vertices += long(batch.count);
}

void pump_events() {}

int64_t now_us() { return hl.now; }
void sleep_until_us(int64_t deadline) {
    if (deadline > hl.now) hl.now = deadline;
}

void files_changed() {}
void pointer_capture(bool) {}
void keep_point() {}
void audio_lock() {}
void audio_unlock() {}

} // namespace backend

const headless_stats_t& headless_stats() { return hl.stats; }
void headless_reset_stats() {
    int live = hl.stats.textures_live;
    hl.stats = {};
    hl.stats.textures_live = live;
}
void headless_advance_us(int64_t us) { hl.now += us; }
void headless_set_time_us(int64_t us) { hl.now = us; }
void headless_set_modes(const std::vector<display_mode>& m) { hl.modes = m; }
void headless_refuse_open(bool refuse) { hl.refuse = refuse; }
void headless_set_desktop(int w, int h) {
    hl.desk_w = w;
    hl.desk_h = h;
}
void headless_key(int code, bool down) { input_key(code, down); }
void headless_key_tap(int code) {
    input_key(code, true);
    input_key(code, false);
}
void headless_mouse_move(int x, int y) { input_mouse_move(x, y); }
void headless_mouse_button(int button, bool down) { input_mouse_button(button, down); }
void headless_joy_plug(int port, bool present) { input_joy_plug(port, present); }
void headless_joy_button(int port, int button, bool down) { input_joy_button(port, button, down); }
void headless_joy_slot(int port, int slot, float value) { input_joy_slot(port, slot, value); }
void headless_close_window() { media_window_closed(); }
void headless_set_present_cost_us(int64_t us) { hl.present_cost = us; }
void headless_on_present(std::function<void(int)> fn) { hl.on_present = std::move(fn); }
void headless_on_clear(std::function<void()> fn) { hl.on_clear = std::move(fn); }
void headless_on_step_begin(std::function<void()> fn) { hl.on_step = std::move(fn); }

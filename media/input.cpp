// Input state: hit counts and held flags for keys, mouse buttons and joypad buttons, and
// the joypad axis slots. Backends feed it; reads refresh it from the event queue first.
#include "input.h"

#include "backend.h"

#include <algorithm>
#include <cstring>

namespace {
struct input_t {
    int key_hits[KEY_COUNT];
    bool key_held[KEY_COUNT];
    int mx, my;
    int mouse_hits[4];
    bool mouse_held[4];
    bool joy_plugged[JOY_PORTS];
    int joy_hits[JOY_PORTS][JOY_BUTTONS];
    bool joy_held[JOY_PORTS][JOY_BUTTONS];
    float joy_axes[JOY_PORTS][JOY_SLOTS];
    bool focus_lost;
} in;
std::string dropped; // the last file dropped and not yet taken

close_handler on_close = nullptr;
close_handler on_keep = nullptr;

bool key_ok(int k) { return k >= 0 && k < KEY_COUNT; }
bool mouse_ok(int b) { return b >= 1 && b <= 3; }
bool joy_ok(int port, int b) { return port >= 0 && port < JOY_PORTS && b >= 0 && b < JOY_BUTTONS; }
} // namespace

void input_reset() {
    std::memset(&in, 0, sizeof in);
    dropped.clear();
}

void input_focus_lost() { in.focus_lost = true; }

void input_file_dropped(const std::string& path) { dropped = path; }

void input_key(int code, bool down) {
    if (!key_ok(code)) return;
    if (down && !in.key_held[code]) in.key_hits[code]++;
    in.key_held[code] = down;
}

void input_mouse_move(int x, int y) {
    in.mx = x;
    in.my = y;
}

void input_mouse_button(int button, bool down) {
    if (!mouse_ok(button)) return;
    if (down && !in.mouse_held[button]) in.mouse_hits[button]++;
    in.mouse_held[button] = down;
}

void input_joy_plug(int port, bool present) {
    if (port < 0 || port >= JOY_PORTS) return;
    in.joy_plugged[port] = present;
    // A pad that leaves reads as centred and released.
    std::fill(std::begin(in.joy_held[port]), std::end(in.joy_held[port]), false);
    std::fill(std::begin(in.joy_hits[port]), std::end(in.joy_hits[port]), 0);
    std::fill(std::begin(in.joy_axes[port]), std::end(in.joy_axes[port]), 0.0f);
}

void input_joy_button(int port, int button, bool down) {
    if (!joy_ok(port, button)) return;
    if (down && !in.joy_held[port][button]) in.joy_hits[port][button]++;
    in.joy_held[port][button] = down;
}

void input_joy_slot(int port, int slot, float value) {
    if (port < 0 || port >= JOY_PORTS || slot < 0 || slot >= JOY_SLOTS) return;
    if (!(value == value)) value = 0; // NaN
    in.joy_axes[port][slot] = std::clamp(value, -1.0f, 1.0f);
}

void set_close_handler(close_handler h) { on_close = h; }

void media_window_closed() {
    if (on_close) on_close();
}

void set_keep_handler(close_handler h) { on_keep = h; }

void media_keep_now() {
    if (on_keep) on_keep();
}

void keep_point() { backend::keep_point(); }

void poll_events() { backend::pump_events(); }

int key_hit(int key) {
    poll_events();
    if (!key_ok(key)) return 0;
    int n = in.key_hits[key];
    in.key_hits[key] = 0;
    return n;
}

bool key_down(int key) {
    poll_events();
    return key_ok(key) && in.key_held[key];
}

void flush_keys() {
    poll_events();
    std::memset(in.key_hits, 0, sizeof in.key_hits);
    std::memset(in.key_held, 0, sizeof in.key_held);
    in.focus_lost = false;
}

bool focus_lost() {
    poll_events();
    bool lost = in.focus_lost;
    in.focus_lost = false;
    return lost;
}

std::string dropped_file() {
    poll_events();
    std::string path;
    path.swap(dropped);
    return path;
}

int mouse_x() {
    poll_events();
    return in.mx;
}

void mouse_seen(int& x, int& y) {
    x = in.mx;
    y = in.my;
}

int mouse_y() {
    poll_events();
    return in.my;
}

int mouse_hit(int button) {
    poll_events();
    if (!mouse_ok(button)) return 0;
    int n = in.mouse_hits[button];
    in.mouse_hits[button] = 0;
    return n;
}

bool mouse_down(int button) {
    poll_events();
    return mouse_ok(button) && in.mouse_held[button];
}

void flush_mouse() {
    poll_events();
    std::memset(in.mouse_hits, 0, sizeof in.mouse_hits);
    std::memset(in.mouse_held, 0, sizeof in.mouse_held);
}

int joy_count() {
    poll_events();
    return int(std::count(std::begin(in.joy_plugged), std::end(in.joy_plugged), true));
}

bool joy_present(int port) {
    poll_events();
    return port >= 0 && port < JOY_PORTS && in.joy_plugged[port];
}

bool joy_down(int button, int port) {
    poll_events();
    return joy_ok(port, button) && in.joy_held[port][button];
}

int joy_hit(int button, int port) {
    poll_events();
    if (!joy_ok(port, button)) return 0;
    int n = in.joy_hits[port][button];
    in.joy_hits[port][button] = 0;
    return n;
}

float joy_slot(int port, int slot) {
    poll_events();
    if (port < 0 || port >= JOY_PORTS || slot < 0 || slot >= JOY_SLOTS) return 0;
    return in.joy_axes[port][slot];
}

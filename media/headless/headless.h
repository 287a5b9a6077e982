// Test controls of the headless backend: virtual clock, scripted input, display refusal
// and counters of what reached the "GPU".
#pragma once

#include "../media.h"

#include <functional>
#include <vector>

struct headless_stats_t {
    int draw_calls = 0;
    int draws_by_prim[3] = {0, 0, 0}; // points, lines, triangles
    long vertices = 0;
    int presents = 0;
    int clears = 0;
    int textures_live = 0;
    int grabs = 0;
    int skipped = 0; // world steps not drawn
};

const headless_stats_t& headless_stats();
void headless_reset_stats();

// Virtual time: sleeping advances it at once; tests add "work" with headless_advance_us.
void headless_advance_us(int64_t us);
void headless_set_time_us(int64_t us);

// Display modes offered, and whether opening any display fails.
void headless_set_modes(const std::vector<display_mode>& modes);
void headless_refuse_open(bool refuse);
void headless_set_desktop(int w, int h);

// Input, as if the window had received these events.
void headless_key(int code, bool down);
void headless_key_tap(int code); // press and release: one hit, not held
void headless_mouse_move(int x, int y);
void headless_mouse_button(int button, bool down);
void headless_joy_plug(int port, bool present);
void headless_joy_button(int port, int button, bool down);
void headless_joy_slot(int port, int slot, float value);
void headless_close_window();

// Virtual time every present takes, as a slow renderer's would.
void headless_set_present_cost_us(int64_t us);
// Called at every present and at every world step that was not drawn, e.g. to script input
// frame by frame.
void headless_on_present(std::function<void(int frame)> fn);
// Called at every screen clear, the start of a frame: a test can act inside the frame there.
void headless_on_clear(std::function<void()> fn);
// Called at the start of every world step, before anything moves.
void headless_on_step_begin(std::function<void()> fn);

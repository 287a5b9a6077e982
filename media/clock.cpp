// Time: the millisecond clock, delay, and the frame pacer that holds every loop of the
// game at 50 steps per second whatever the display does.
#include "backend.h"

#include <algorithm>

namespace {
int64_t last_deadline = -1;
int64_t world_due = -1; // when the current world step was due
int world_skipped = 0;
// Later than this, the world was held still (a menu, a hitch): start a fresh schedule.
constexpr int64_t WORLD_STALL_US = 250000;

void (*world_step_handler)() = nullptr;
void (*world_begin_handler)() = nullptr;

// Presenting between steps: the rate, whether the monitor paces the swaps, and the clock of
// the next frame to show.
int present_fps = 50;
bool present_sync = false;
int64_t present_due = -1;
int64_t last_swap = -1;
int quick_swaps = 0; // swaps that came back sooner than the monitor could have shown them
} // namespace

int64_t world_steps_begun = 0;
bool frame_skipping = true;
bool world_blind = false;
bool world_fast = false;

int64_t micros() { return backend::now_us(); }

uint32_t millisecs() { return uint32_t(uint64_t(backend::now_us() / 1000)); }

void delay(int ms) {
    if (ms <= 0) return;
    backend::sleep_until_us(backend::now_us() + int64_t(ms) * 1000);
}

void pace_reset() { last_deadline = -1; }

void pace_frame() {
    int64_t now = backend::now_us();
    if (last_deadline < 0) last_deadline = now;
    int64_t next = last_deadline + FRAME_US;
    if (now >= next) {
        // Late: start a fresh deadline; hurrying the next frames would make the game lurch.
        last_deadline = now;
        return;
    }
    backend::sleep_until_us(next);
    last_deadline = next;
}

bool world_step_skips(int64_t late, int skipped) {
    return frame_skipping && late >= FRAME_US && skipped < WORLD_SKIPS_MAX;
}

void world_pace_reset() {
    world_due = -1;
    world_skipped = 0;
}

void set_world_step_begin_handler(void (*handler)()) { world_begin_handler = handler; }

void world_present_rate(int fps, bool sync) {
    present_fps = fps < 50 ? 50 : fps;
    present_sync = sync && present_fps > 50 && backend::set_swap_sync(true);
    backend::set_swap_sync(false);
    present_due = -1;
    quick_swaps = 0;
}

bool world_step_draws() {
    world_steps_begun++;
    if (world_begin_handler) world_begin_handler();
    backend::step_begin();
    if (world_blind) return false;
    if (world_fast) return true;
    int64_t now = backend::now_us();
    if (world_due < 0 || now - world_due > WORLD_STALL_US) world_due = now;
    int64_t late = now - world_due;
    if (world_step_skips(late, world_skipped)) {
        world_skipped++;
        return false;
    }
    // A drawn step that is still late gives up the debt: the game slows instead of jumping.
    if (late >= FRAME_US) world_due = now;
    world_skipped = 0;
    return true;
}

void set_world_step_handler(void (*handler)()) { world_step_handler = handler; }

namespace {

// Frames between this step and the next, each showing the world at its own moment: a frame
// shown t after the step was due draws it t / 20 ms of the way from the last step to this one.
void present_between(int64_t next, const world_draw& draw) {
    int64_t period = 1000000 / present_fps;
    bool shown = false;
    // Only these frames wait for the monitor; menus keep their own 50 a second.
    if (present_sync) backend::set_swap_sync(true);
    for (;;) {
        int64_t now = backend::now_us();
        // Too far behind (a slow renderer, a hitch): the frame clock starts again from now.
        if (present_due < 0 || now - present_due > period) present_due = now;
        if (present_due < world_due) present_due = world_due;
        if (shown && present_due >= next) break;
        if (!present_sync && present_due > now) backend::sleep_until_us(present_due);
        int64_t at = present_sync ? std::max(now, world_due) : present_due;
        float alpha = float(std::min<int64_t>(at - world_due, FRAME_US)) / float(FRAME_US);
        draw(alpha);
        flip(-1);
        shown = true;
        present_due += period;
        if (present_sync) {
            // A swap that does not wait for the monitor cannot pace the frames: the game's own
            // clock takes over.
            int64_t swap = backend::now_us();
            quick_swaps = last_swap >= 0 && swap - last_swap < period / 2 ? quick_swaps + 1 : 0;
            last_swap = swap;
            if (quick_swaps > 30) world_present_rate(present_fps, false);
            if (swap >= next) break;
        }
    }
    if (present_sync) backend::set_swap_sync(false);
}

} // namespace

void world_step_end(bool drawn, const world_draw& draw) {
    if (world_step_handler) world_step_handler();
    if (world_blind) {
        backend::skip_present();
        return;
    }
    if (world_fast) {
        if (drawn) {
            draw(1);
            flip(-1);
        }
        return;
    }
    if (world_due < 0) world_due = backend::now_us();
    int64_t next = world_due + FRAME_US;
    if (drawn && present_fps > 50) {
        present_between(next, draw);
    } else if (drawn) {
        draw(1);
    }
    if (backend::now_us() < next) backend::sleep_until_us(next);
    world_due = next;
    // Plain pacing is measured from here too, so a menu opened next starts on time.
    last_deadline = next;
    if (drawn && present_fps <= 50) flip(-1);
    if (!drawn) backend::skip_present();
}

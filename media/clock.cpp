// Time: the millisecond clock, delay, and the frame pacer that holds every loop of the
// game at 50 steps per second whatever the display does.
#include "backend.h"

namespace {
int64_t last_deadline = -1;
int64_t world_due = -1; // when the current world step was due
int world_skipped = 0;
// Later than this, the world was held still (a menu, a hitch): start a fresh schedule.
constexpr int64_t WORLD_STALL_US = 250000;

void (*world_step_handler)() = nullptr;
} // namespace

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

bool world_step_draws() {
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

void world_step_end(bool drawn) {
    if (world_step_handler) world_step_handler();
    if (world_blind) {
        backend::skip_present();
        return;
    }
    if (world_fast) {
        if (drawn) flip(-1);
        return;
    }
    if (world_due < 0) world_due = backend::now_us();
    int64_t next = world_due + FRAME_US;
    if (backend::now_us() < next) backend::sleep_until_us(next);
    world_due = next;
    // Plain pacing is measured from here too, so a menu opened next starts on time.
    last_deadline = next;
    if (drawn)
        flip(-1);
    else
        backend::skip_present();
}

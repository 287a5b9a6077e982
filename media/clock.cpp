// Time: the millisecond clock, delay, and the frame pacer that holds every loop of the
// game at 50 steps per second whatever the display does.
#include "backend.h"

namespace {
int64_t last_deadline = -1;
}

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

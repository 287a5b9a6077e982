// What the desktop does where the browser differs (media/web/web_platform.cpp): the clock,
// the end of a frame and the game's files reaching the disk.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <cerrno>
#include <ctime>

namespace backend {

// CLOCK_MONOTONIC on both sides, so a deadline computed from now_us is slept to exactly.
int64_t now_us() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

void sleep_until_us(int64_t deadline_us) {
    timespec ts;
    ts.tv_sec = time_t(deadline_us / 1000000);
    ts.tv_nsec = long(deadline_us % 1000000) * 1000;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// A closed file is on the disk already, and leaving the program always saves.
void files_changed() {}
void keep_point() {}
// The game's warps keep a hidden pointer in the window.
void pointer_capture(bool) {}

} // namespace backend

// The window system runs beside the game: nothing to hand back.
void sdl::frame_done(bool) {}

bool sdl::swap_sync(bool on) { return SDL_GL_SetSwapInterval(on ? 1 : 0) == 0; }

// What the desktop does where the browser differs (media/web/web_platform.cpp): the clock,
// the end of a frame and the game's files reaching the disk.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <chrono>
#include <thread>

namespace backend {

// The steady clock on both sides, so a deadline computed from now_us is slept to exactly.
int64_t now_us() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void sleep_until_us(int64_t deadline_us) {
    using namespace std::chrono;
    std::this_thread::sleep_until(steady_clock::time_point(duration_cast<steady_clock::duration>(
        microseconds(deadline_us))));
}

// A closed file is on the disk already, and leaving the program always saves.
void files_changed() {}
void keep_point() {}
// The game's warps keep a hidden pointer in the window.
void pointer_capture(bool) {}

} // namespace backend

// The window system runs beside the game: nothing to hand back.
void sdl::frame_begun() {}
void sdl::frame_done(bool) {}

bool sdl::swap_sync(bool on) { return SDL_GL_SetSwapInterval(on ? 1 : 0) == 0; }

// Start-up, shut-down and the clock of the SDL backend.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace backend {

bool init() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "media: cannot start video: %s\n", SDL_GetError());
        return false;
    }
    // No pads is a playable game; the pads' plug events arrive with the first poll.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
        fprintf(stderr, "media: no joypads (%s)\n", SDL_GetError());
    else if (FILE* f = fopen("gamecontrollerdb.txt", "r")) {
        fclose(f);
        if (SDL_GameControllerAddMappingsFromFile("gamecontrollerdb.txt") < 0)
            fprintf(stderr, "media: gamecontrollerdb.txt: %s\n", SDL_GetError());
    }
    SDL_DisableScreenSaver();
    sdl::keys_reset();
    sdl::audio_start();
    return true;
}

void shutdown() {
    sdl::audio_stop();
    sdl::pads_close_all();
    sdl::destroy_window();
    SDL_Quit();
}

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

} // namespace backend

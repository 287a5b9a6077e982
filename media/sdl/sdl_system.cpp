// Start-up, shut-down and the clock of the SDL backend.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <chrono>
#include <cstdio>
#include <thread>

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

} // namespace backend

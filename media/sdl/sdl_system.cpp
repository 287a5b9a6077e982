// Start-up and shut-down of the SDL backend.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <cstdio>

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

} // namespace backend

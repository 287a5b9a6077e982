// The audio device pulls the game's mixer from SDL's audio thread. SDL holds the device
// lock around the callback, so audio_lock keeps the mixer still while the game edits it.
#include "media/backend.h"
#include "media/mixer.h"
#include "media/sdl/sdl_internal.h"

#include <cstdio>

namespace {

SDL_AudioDeviceID g_device = 0;

void pull_mixer(void*, Uint8* stream, int bytes) {
    mixer_render(reinterpret_cast<float*>(stream), bytes / int(2 * sizeof(float)));
}

} // namespace

namespace sdl {

// Without a device the game simply runs silent.
void audio_start() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        fprintf(stderr, "media: no audio (%s); running silent\n", SDL_GetError());
        return;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = MIX_RATE;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = pull_mixer;
    // No changes allowed: SDL converts to whatever the hardware wants, so the mixer always
    // writes stereo floats at its own rate.
    g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (g_device == 0) {
        fprintf(stderr, "media: no audio device (%s); running silent\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    SDL_PauseAudioDevice(g_device, 0);
}

void audio_stop() {
    if (g_device == 0) return;
    SDL_CloseAudioDevice(g_device);
    g_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace sdl

namespace backend {

void audio_lock() {
    if (g_device) SDL_LockAudioDevice(g_device);
}

void audio_unlock() {
    if (g_device) SDL_UnlockAudioDevice(g_device);
}

} // namespace backend

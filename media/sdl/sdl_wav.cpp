// WAV files through SDL's own loader, converted to float at the file's rate.
#include "media/backend.h"
#include "media/sdl/sdl_internal.h"

#include <algorithm>
#include <cstring>

namespace backend {

bool decode_wav(const std::string& path, std::vector<float>& samples, int& channels, int& rate) {
    SDL_AudioSpec spec{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &buf, &len)) return false;
    // The mixer takes mono or stereo; anything wider is folded down by SDL.
    const int out_channels = std::min<int>(spec.channels, 2);
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS,
                          Uint8(out_channels), spec.freq) < 0) {
        SDL_FreeWAV(buf);
        return false;
    }
    std::vector<Uint8> work(size_t(len) * size_t(std::max(cvt.len_mult, 1)));
    std::memcpy(work.data(), buf, len);
    SDL_FreeWAV(buf);
    cvt.buf = work.data();
    cvt.len = int(len);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    const int bytes = cvt.needed ? cvt.len_cvt : int(len);
    samples.resize(size_t(bytes) / sizeof(float));
    std::memcpy(samples.data(), work.data(), samples.size() * sizeof(float));
    channels = out_channels;
    rate = spec.freq;
    return !samples.empty();
}

} // namespace backend

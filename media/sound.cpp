// Sound effects: WAV files decoded by the backend, played as voices of the game's mixer.
// Every call from the game thread holds the audio lock while it touches the voices.
#include "backend.h"
#include "media.h"
#include "mixer.h"

#include <cstdio>

sound load_sound(const std::string& path, bool loop) {
    std::vector<float> samples;
    int channels = 0, rate = 0;
    sound s = nullptr;
    if (backend::decode_wav(path, samples, channels, rate))
        s = sound_from_samples(samples, channels, rate, loop);
    if (!s) std::fprintf(stderr, "media: cannot load sound %s; it stays silent\n", path.c_str());
    return s;
}

void free_sound(sound s) {
    if (!s) return;
    {
        mixer_guard g;
        mixer_forget(s);
    }
    delete s;
}

channel cue_sound(sound s) {
    mixer_guard g;
    return mixer_cue(s);
}

channel play_sound(sound s) {
    mixer_guard g;
    channel c = mixer_cue(s);
    mixer_pause(c, false);
    return c;
}

void set_channel_volume(channel c, float volume) {
    mixer_guard g;
    mixer_volume(c, volume);
}

void set_channel_pan(channel c, float pan) {
    mixer_guard g;
    mixer_pan(c, pan);
}

void set_channel_rate(channel c, float rate) {
    mixer_guard g;
    mixer_rate(c, rate);
}

void pause_channel(channel c) {
    mixer_guard g;
    mixer_pause(c, true);
}

void resume_channel(channel c) {
    mixer_guard g;
    mixer_pause(c, false);
}

void stop_channel(channel c) {
    mixer_guard g;
    mixer_stop(c);
}

bool channel_playing(channel c) {
    mixer_guard g;
    return mixer_playing(c);
}

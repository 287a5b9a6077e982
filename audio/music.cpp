// Music: the tune is decoded by libopenmpt and fed to the mixer as its stream source.
// The module is created and destroyed on the game thread and only swapped under the lock.
#include "music.h"

#include "media/mixer.h"
#include "media/platform.h"
#include "shell/folders.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

float music_volume = 0.5f;
int music_channel = 0;

namespace {

// What the audio thread reads: written only under a mixer_guard.
openmpt::module* now_playing = nullptr;
float now_gain = 0;

int applied_level = 0;
int serial = 0;
bool reported[3] = {};

void render_music(float* out, int frames, void*) {
    if (!now_playing) {
        std::fill(out, out + frames * 2, 0.0f);
        return;
    }
    size_t got = now_playing->read_interleaved_stereo(MIX_RATE, size_t(frames), out);
    std::fill(out + got * 2, out + size_t(frames) * 2, 0.0f);
    for (int i = 0; i < frames * 2; i++) out[i] *= now_gain;
}

// The setting as a level 0..100, truncated like the settings screen shows it; the small
// bias keeps 0.57 (stored as 0.569999993) at 57 rather than 56.
int level_of(float volume) { return std::clamp(int(100.0 * volume + 1e-3), 0, 100); }

std::unique_ptr<openmpt::module> open_tune(int tune, bool complain) {
    const char* name = music_path(tune);
    const std::string path = *name ? asset_path(name) : "";
    std::ifstream in(utf8_path(path), std::ios::binary);
    std::vector<char> bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), {});
    try {
        if (!bytes.empty()) {
            std::ostringstream quiet; // the player's own chatter is not ours to print
            return std::make_unique<openmpt::module>(bytes, quiet);
        }
    } catch (const std::exception&) {
    }
    if (complain && tune >= 0 && tune < 3 && !reported[tune]) {
        reported[tune] = true; // the attract loop asks every pass; say it once
        std::fprintf(stderr, "music: cannot load %s; no music for it\n",
                     *name ? path.c_str() : "(none)");
    }
    return nullptr;
}

void apply_level() {
    applied_level = level_of(music_volume);
    mixer_guard g;
    now_gain = applied_level / 100.0f;
}

} // namespace

void music_init() {
    mixer_set_stream(render_music, nullptr);
    std::fill(std::begin(reported), std::end(reported), false); // a new start says it again
}

void music_shutdown() {
    stop_music();
    mixer_set_stream(nullptr, nullptr);
}

const char* music_path(int tune) {
    switch (tune) {
    case 0:
        return "music/Theme0.it";
    case 1:
        return "music/Theme1.it";
    case 2:
        return "music/Theme2.it";
    default:
        return "";
    }
}

bool music_off = false;

void play_music(int tune) {
    if (music_channel != 0 || music_off) return;
    std::unique_ptr<openmpt::module> mod = open_tune(tune, true);
    if (!mod) return;
    mod->set_repeat_count(-1);
    // The mixer may have been reset since music_init; hooking in again costs nothing.
    mixer_set_stream(render_music, nullptr);
    applied_level = level_of(music_volume);
    {
        mixer_guard g;
        now_playing = mod.release();
        now_gain = applied_level / 100.0f;
    }
    if (++serial <= 0) serial = 1;
    music_channel = serial;
}

void stop_music() {
    if (music_channel == 0) return;
    openmpt::module* old;
    {
        mixer_guard g;
        old = now_playing;
        now_playing = nullptr;
    }
    delete old;
    music_channel = 0;
    applied_level = 0;
}

void set_music_volume() {
    if (music_channel != 0) apply_level();
}

void set_music_volume(float volume) {
    music_volume = std::clamp(volume, 0.0f, 1.0f);
    set_music_volume();
}

int music_level() { return music_channel != 0 ? applied_level : 0; }

double music_tune_seconds(int tune) {
    std::unique_ptr<openmpt::module> mod = open_tune(tune, false);
    return mod ? mod->get_duration_seconds() : 0.0;
}

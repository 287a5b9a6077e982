// Cost of the audio thread's work: the Time column is the time to mix ONE SECOND of audio
// (in device-sized blocks of 1024 frames); cpu_percent is that as a share of the second.
#include "audio/music.h"
#include "media/media.h"
#include "media/mixer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

std::vector<sound> voices_made;

// 64 busy voices: looping so none runs out, at assorted rates, pans and volumes, half of
// them stereo, as a crowded screen would have them.
void start_64_voices() {
    if (voices_made.empty()) {
        for (int k = 0; k < 4; k++) {
            int channels = k % 2 + 1;
            std::vector<float> s(size_t(22050 + k * 1000) * channels);
            for (size_t i = 0; i < s.size(); i++)
                s[i] = 0.3f * float(std::sin(0.01 * double(i) * (k + 1)));
            voices_made.push_back(sound_from_samples(s, channels, MIX_RATE, true));
        }
    }
    for (int i = 0; i < 64; i++) {
        channel c = cue_sound(voices_made[i % 4]);
        if (i % 3) set_channel_rate(c, 0.5f + 0.05f * float(i));
        set_channel_pan(c, -1.0f + float(i) / 32.0f);
        set_channel_volume(c, 0.2f + 0.01f * float(i));
        resume_channel(c);
    }
}

// The in-game tune from the staged game folder; the working directory is put back, since
// the other benchmarks find their files from the repository root.
bool start_music() {
    const char* dir = std::getenv("VEX_GAME_DIR");
    std::error_code ec;
    const std::filesystem::path back = std::filesystem::current_path(ec);
    std::filesystem::current_path(dir ? dir : "game", ec);
    music_init();
    music_volume = 0.5f;
    play_music(1);
    std::filesystem::current_path(back, ec);
    return music_channel != 0;
}

void mix_one_second(benchmark::State& state) {
    std::vector<float> block(1024 * 2);
    double busy = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        for (int done = 0; done < MIX_RATE; done += 1024) mixer_render(block.data(), 1024);
        benchmark::DoNotOptimize(block.data());
        busy += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    // seconds of work per second of audio, as a share of one core
    state.counters["cpu_percent"] = 100.0 * busy / double(state.iterations());
}

void BM_mixer_64_voices_plus_music(benchmark::State& state) {
    mixer_reset();
    start_64_voices();
    if (!start_music()) {
        state.SkipWithError("no music/Theme1.it (stage the game first)");
        return;
    }
    mix_one_second(state);
    stop_music();
    mixer_reset();
}
BENCHMARK(BM_mixer_64_voices_plus_music)->Unit(benchmark::kMillisecond);

void BM_mixer_64_voices(benchmark::State& state) {
    mixer_reset();
    start_64_voices();
    mix_one_second(state);
    mixer_reset();
}
BENCHMARK(BM_mixer_64_voices)->Unit(benchmark::kMillisecond);

void BM_music_alone(benchmark::State& state) {
    mixer_reset();
    if (!start_music()) {
        state.SkipWithError("no music/Theme1.it (stage the game first)");
        return;
    }
    mix_one_second(state);
    stop_music();
    mixer_reset();
}
BENCHMARK(BM_music_alone)->Unit(benchmark::kMillisecond);

} // namespace

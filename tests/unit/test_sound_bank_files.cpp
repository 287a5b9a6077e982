// The generated WAV files of the sound bank: format, level, length, and the hum's loop.
#include "audio/sound_bank.h"
#include "media/backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

struct wav_file {
    std::string name;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<float> samples;
};

std::string game_dir() {
    const char* dir = std::getenv("VEX_GAME_DIR");
    return dir ? dir : "";
}

wav_file read(const std::string& rel) {
    wav_file w;
    w.name = rel;
    std::ifstream in(game_dir() + "/" + rel, std::ios::binary);
    unsigned char h[36] = {};
    in.read(reinterpret_cast<char*>(h), 36);
    w.format = h[20] | h[21] << 8;
    w.channels = h[22] | h[23] << 8;
    w.rate = h[24] | h[25] << 8 | h[26] << 16;
    w.bits = h[34] | h[35] << 8;
    int ch = 0, rate = 0;
    backend::decode_wav(game_dir() + "/" + rel, w.samples, ch, rate);
    return w;
}

// Everything but the hum and the big explosions is short.
const std::set<std::string> long_ones = {"sounds/bondloop.wav", "sounds/Explo1.wav",
                                         "sounds/explo1.wav",   "sounds/sunexp.wav",
                                         "sounds/die1.wav",     "sounds/gameover.wav"};

TEST(sound_files, every_sound_is_16_bit_pcm_audible_unclipped_and_as_long_as_its_job) {
    ASSERT_FALSE(game_dir().empty()) << "VEX_GAME_DIR is not set; run the tests through ctest";
    std::set<std::string> paths;
    for (int i = 0; i < SFX_BANK_SIZE; i++) paths.insert(sfx_bank_path(i));
    EXPECT_EQ(paths.size(), size_t(SFX_BANK_SIZE - 1)); // bonus1.wav serves two handles
    for (const std::string& p : paths) {
        wav_file w = read(p);
        SCOPED_TRACE(p);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        ASSERT_FALSE(w.samples.empty());
        float peak = 0;
        double sum = 0;
        for (float v : w.samples) {
            peak = std::max(peak, std::fabs(v));
            sum += double(v) * v;
        }
        float rms = float(std::sqrt(sum / w.samples.size()));
        EXPECT_LT(peak, 0.97f);
        EXPECT_GT(peak, 0.3f);
        EXPECT_GT(rms, 0.02f);
        float seconds = float(w.samples.size()) / w.channels / w.rate;
        EXPECT_GT(seconds, 0.05f);
        EXPECT_LE(seconds, long_ones.count(p) ? 2.5f : 1.0f);
    }
}

TEST(sound_files, the_two_explosions_differ) {
    ASSERT_FALSE(game_dir().empty());
    wav_file big = read("sounds/Explo1.wav"), bomb = read("sounds/explo1.wav");
    ASSERT_FALSE(big.samples.empty());
    ASSERT_FALSE(bomb.samples.empty());
    EXPECT_NE(big.samples, bomb.samples);
}

TEST(sound_files, the_hum_loops_without_a_click) {
    ASSERT_FALSE(game_dir().empty());
    wav_file w = read("sounds/bondloop.wav");
    ASSERT_EQ(w.channels, 1);
    ASSERT_GT(w.samples.size(), 1000u);
    const std::vector<float>& s = w.samples;
    // the step from the last sample back to the first is no bigger than the hum's own steps
    float worst = 0;
    for (size_t i = 1; i < s.size(); i++) worst = std::max(worst, std::fabs(s[i] - s[i - 1]));
    EXPECT_LE(std::fabs(s.front() - s.back()), worst);
    EXPECT_LT(std::fabs(s.front() - s.back()), 0.02f);
}

} // namespace

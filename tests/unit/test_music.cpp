// The music: the staged tunes load and last a minute or more, play audibly through the
// mixer, loop, restart from the top, refuse a second tune, and follow the volume.
#include "audio/music.h"
#include "media/mixer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

class music_test : public ::testing::Test {
  protected:
    std::filesystem::path old_cwd;
    float saved_volume = 0;

    void SetUp() override {
        mixer_reset();
        saved_volume = music_volume;
        music_volume = 1.0f;
        old_cwd = std::filesystem::current_path();
        const char* dir = std::getenv("VEX_GAME_DIR");
        ASSERT_NE(dir, nullptr) << "VEX_GAME_DIR is not set; run the tests through ctest";
        std::filesystem::current_path(dir);
        music_init();
    }
    void TearDown() override {
        music_shutdown();
        std::filesystem::current_path(old_cwd);
        music_volume = saved_volume;
        mixer_reset();
    }
    static std::vector<float> render(double seconds) {
        std::vector<float> out(size_t(seconds * MIX_RATE) * 2);
        mixer_render(out.data(), int(out.size() / 2));
        return out;
    }
    static double rms(const std::vector<float>& v, size_t from = 0) {
        double sum = 0;
        for (size_t i = from; i < v.size(); i++) sum += double(v[i]) * v[i];
        return std::sqrt(sum / double(v.size() - from));
    }
};

TEST_F(music_test, each_tune_lasts_a_minute_or_more_before_it_loops) {
    for (int tune = 0; tune < 3; tune++) {
        double s = music_tune_seconds(tune);
        EXPECT_GE(s, 60.0) << music_path(tune);
        EXPECT_LT(s, 300.0) << music_path(tune);
    }
    EXPECT_STREQ(music_path(3), "");
    EXPECT_STREQ(music_path(-1), "");
    EXPECT_EQ(music_tune_seconds(3), 0.0);
}

TEST_F(music_test, each_tune_is_audible_and_never_clips) {
    for (int tune = 0; tune < 3; tune++) {
        play_music(tune);
        ASSERT_NE(music_channel, 0) << music_path(tune);
        std::vector<float> out = render(12.0);
        EXPECT_GT(rms(out), 0.02) << music_path(tune);
        float peak = 0;
        for (float v : out) peak = std::max(peak, std::fabs(v));
        EXPECT_LT(peak, 1.0f) << music_path(tune);
        stop_music();
    }
}

TEST_F(music_test, a_tune_loops_forever) {
    // the in-game tune is the shortest; well past its end it is still playing
    play_music(1);
    double length = music_tune_seconds(1);
    render(length + 1.0);
    EXPECT_NE(music_channel, 0);
    EXPECT_GT(rms(render(2.0)), 0.02);
}

TEST_F(music_test, a_second_tune_is_refused_while_one_plays_and_each_start_is_from_the_top) {
    play_music(0);
    std::vector<float> reference = render(1.0);
    stop_music();

    play_music(0);
    int playing = music_channel;
    std::vector<float> first = render(0.5);
    play_music(1); // refused: tune 0 carries on undisturbed
    EXPECT_EQ(music_channel, playing);
    std::vector<float> second = render(0.5);
    first.insert(first.end(), second.begin(), second.end());
    ASSERT_EQ(first.size(), reference.size());
    EXPECT_EQ(first, reference);

    stop_music();
    EXPECT_EQ(music_channel, 0);
    play_music(1);
    EXPECT_NE(music_channel, 0);
    EXPECT_NE(render(1.0), reference);
}

TEST_F(music_test, stop_silences_and_stopping_nothing_does_nothing) {
    stop_music();
    EXPECT_EQ(music_channel, 0);
    play_music(2);
    render(0.5);
    stop_music();
    EXPECT_EQ(music_channel, 0);
    EXPECT_EQ(rms(render(0.2)), 0.0);
}

TEST_F(music_test, the_volume_is_a_level_of_0_to_100_applied_while_playing) {
    music_volume = 0.57f;
    EXPECT_EQ(music_level(), 0); // nothing plays yet
    play_music(0);
    EXPECT_EQ(music_level(), 57);
    set_music_volume(0.0f);
    EXPECT_EQ(music_level(), 0);
    EXPECT_NE(music_channel, 0); // it keeps playing, silently
    EXPECT_EQ(rms(render(1.0)), 0.0);
    set_music_volume(1.0f);
    EXPECT_EQ(music_level(), 100);
    music_volume = 0.3f;
    set_music_volume();
    EXPECT_EQ(music_level(), 30);
}

TEST_F(music_test, the_level_scales_the_output) {
    music_volume = 1.0f;
    play_music(2);
    std::vector<float> full = render(2.0);
    stop_music();
    music_volume = 0.5f;
    play_music(2);
    std::vector<float> half = render(2.0);
    EXPECT_NEAR(rms(half) / rms(full), 0.5, 0.01);
}

TEST_F(music_test, a_missing_tune_is_reported_once_and_leaves_the_music_off) {
    temp_dir empty;
    std::filesystem::current_path(empty.path);
    testing::internal::CaptureStderr();
    play_music(1);
    play_music(1); // tried again, reported once
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(music_channel, 0);
    EXPECT_EQ(rms(render(0.1)), 0.0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_NE(err.find("music/Theme1.it"), std::string::npos);
}

} // namespace

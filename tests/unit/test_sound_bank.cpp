// The sound bank: every handle loads from the staged files, and play_sfx and the held
// channels drive the mixer the way the game relies on.
#include "audio/sound_bank.h"
#include "media/media.h"
#include "media/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace {

class sound_bank_test : public ::testing::Test {
  protected:
    std::filesystem::path old_cwd;
    sound dc = nullptr;  // a steady level, easy to read back
    sound hum = nullptr; // the same, looping
    float saved_volume = 0;

    void SetUp() override {
        mixer_reset();
        saved_volume = sfx_volume;
        sfx_volume = 0.5f;
        for (channel& c : sfx_channels) c = 0;
        dc = sound_from_samples(std::vector<float>(44100, 0.8f), 1, MIX_RATE, false);
        hum = sound_from_samples(std::vector<float>(4410, 0.8f), 1, MIX_RATE, true);
        old_cwd = std::filesystem::current_path();
    }
    void TearDown() override {
        std::filesystem::current_path(old_cwd);
        sound_bank_free();
        free_sound(dc);
        free_sound(hum);
        for (channel& c : sfx_channels) c = 0;
        sfx_volume = saved_volume;
        mixer_reset();
    }
    void enter_game_dir() {
        const char* dir = std::getenv("VEX_GAME_DIR");
        ASSERT_NE(dir, nullptr) << "VEX_GAME_DIR is not set; run the tests through ctest";
        std::filesystem::current_path(dir);
    }
    static std::vector<float> render(int frames) {
        std::vector<float> out(size_t(frames) * 2);
        mixer_render(out.data(), frames);
        return out;
    }
};

TEST_F(sound_bank_test, all_37_handles_load_from_the_staged_files) {
    enter_game_dir();
    sound_bank_load();
    std::set<sound> distinct;
    for (int i = 0; i < SFX_BANK_SIZE; i++) {
        sound* h = sfx_bank_handle(i);
        ASSERT_NE(h, nullptr);
        EXPECT_NE(*h, nullptr) << sfx_bank_path(i);
        distinct.insert(*h);
    }
    EXPECT_EQ(distinct.size(), size_t(SFX_BANK_SIZE)); // bonus1.wav twice: two handles
    EXPECT_EQ(sfx_bank_handle(SFX_BANK_SIZE), nullptr);
    EXPECT_STREQ(sfx_bank_path(0), "sounds/buzz3.wav");
    EXPECT_STREQ(sfx_bank_path(36), "sounds/quarkhit2.wav");
    EXPECT_EQ(sfx_bank_handle(10), &snd_explo1_big);
    EXPECT_EQ(sfx_bank_handle(29), &snd_explo1);
}

TEST_F(sound_bank_test, the_two_explosion_files_that_differ_only_in_case_are_different_sounds) {
    enter_game_dir();
    sound_bank_load();
    ASSERT_TRUE(snd_explo1_big && snd_explo1);
    EXPECT_NE(snd_explo1_big->frames, snd_explo1->frames);
    EXPECT_NE(snd_explo1_big->data, snd_explo1->data);
}

TEST_F(sound_bank_test, the_black_hole_hum_loops_until_its_channel_is_stopped) {
    enter_game_dir();
    sound_bank_load();
    ASSERT_NE(snd_bondloop, nullptr);
    EXPECT_TRUE(snd_bondloop->loop);
    channel c = play_sfx(snd_bondloop, 1.0f, 0, 1);
    sfx_channels[3] = c;
    render(snd_bondloop->frames * 3);
    EXPECT_TRUE(channel_playing(c));
    stop_all_sfx();
    EXPECT_FALSE(channel_playing(c));
    EXPECT_EQ(sfx_channels[3], 0);
    // every other sound is a one-shot
    for (int i = 0; i < SFX_BANK_SIZE; i++) {
        if (*sfx_bank_handle(i) != snd_bondloop) {
            EXPECT_FALSE((*sfx_bank_handle(i))->loop) << sfx_bank_path(i);
        }
    }
}

TEST_F(sound_bank_test, a_missing_file_leaves_its_handle_empty_and_says_which) {
    testing::internal::CaptureStderr();
    sound s = load_sound("sounds/not-there.wav");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(s, nullptr);
    EXPECT_NE(err.find("sounds/not-there.wav"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(play_sfx(s, 1.0f, 0, 1), 0);
}

TEST_F(sound_bank_test, play_sfx_starts_with_pan_and_effects_volume_times_volume) {
    play_sfx(dc, 1.0f, -1.0f, 0.5f);
    std::vector<float> out = render(8);
    EXPECT_FLOAT_EQ(out[0], 0.8f * 0.5f * 0.5f); // first frame already set
    EXPECT_FLOAT_EQ(out[1], 0.0f);
}

TEST_F(sound_bank_test, with_effects_volume_0_nothing_plays_and_held_operations_do_nothing) {
    sfx_volume = 0;
    EXPECT_EQ(play_sfx(dc, 1.0f, 0, 1), 0);
    EXPECT_EQ(mixer_active_voices(), 0);
    update_held_sfx(0, 0.5f, 1.0f);
    set_sfx_channel_volume();
    stop_all_sfx();
    EXPECT_EQ(mixer_active_voices(), 0);
    for (channel c : sfx_channels) EXPECT_EQ(c, 0);
}

TEST_F(sound_bank_test, a_rate_of_exactly_1_never_touches_the_rate) {
    long before = mixer_rate_sets();
    play_sfx(dc, 1.0f, 0, 1);
    EXPECT_EQ(mixer_rate_sets(), before);
    channel c = play_sfx(dc, 1.1f, 0, 1);
    EXPECT_EQ(mixer_rate_sets(), before + 1);
    EXPECT_TRUE(channel_playing(c));
}

TEST_F(sound_bank_test, update_held_sfx_moves_a_held_sound_and_ignores_the_null_channel) {
    channel c = play_sfx(hum, 1.0f, 0, 1);
    sfx_channels[0] = c;
    update_held_sfx(c, 1.0f, 0.5f);
    std::vector<float> out = render(4410); // long enough for the glide
    EXPECT_NEAR(out[2 * 4409], 0.0f, 1e-4f);
    EXPECT_NEAR(out[2 * 4409 + 1], 0.8f * 0.5f * 0.5f, 1e-4f);
    update_held_sfx(0, -1.0f, 1.0f); // harmless
    sfx_volume = 0;
    update_held_sfx(c, -1.0f, 1.0f); // with effects off the hum is left as it was
    out = render(4410);
    EXPECT_NEAR(out[2 * 4409 + 1], 0.2f, 1e-4f);
}

TEST_F(sound_bank_test, a_new_effects_volume_reaches_the_held_channels_without_their_own_factor) {
    channel c = play_sfx(hum, 1.0f, 0, 0.3f);
    sfx_channels[5] = c;
    sfx_volume = 0.9f;
    set_sfx_channel_volume();
    std::vector<float> out = render(4410);
    EXPECT_NEAR(out[2 * 4409], 0.8f * 0.9f, 1e-4f);
}

TEST_F(sound_bank_test, stop_all_sfx_stops_and_empties_every_held_entry) {
    stop_all_sfx(); // an empty table: nothing to do
    channel loose = play_sfx(hum, 1.0f, 0, 1);
    for (int i = 0; i < SFX_HELD_CHANNELS; i += 2) sfx_channels[i] = play_sfx(hum, 1.0f, 0, 1);
    std::vector<channel> held(sfx_channels, sfx_channels + SFX_HELD_CHANNELS);
    stop_all_sfx();
    for (int i = 0; i < SFX_HELD_CHANNELS; i++) {
        EXPECT_EQ(sfx_channels[i], 0);
        if (held[i]) {
            EXPECT_FALSE(channel_playing(held[i]));
        }
    }
    EXPECT_TRUE(channel_playing(loose)); // only the held table is the bank's to stop
}

} // namespace

// The mixer: what a voice's settings do to the output, how voices start, stop, loop and
// are stolen, and that the output stays inside -1..1 whatever is mixed.
#include "media/media.h"
#include "media/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class mixer_test : public ::testing::Test {
  protected:
    std::vector<sound> made;
    void SetUp() override { mixer_reset(); }
    void TearDown() override {
        for (sound s : made) free_sound(s);
        mixer_reset();
    }
    sound make(const std::vector<float>& samples, bool loop = false, int channels = 1) {
        sound s = sound_from_samples(samples, channels, MIX_RATE, loop);
        made.push_back(s);
        return s;
    }
    sound constant(float level, int frames, bool loop = false) {
        return make(std::vector<float>(size_t(frames), level), loop);
    }
    static std::vector<float> render(int frames) {
        std::vector<float> out(size_t(frames) * 2, -99.0f);
        mixer_render(out.data(), frames);
        return out;
    }
    // A voice set up while cued, then started, as every effect is.
    static channel start(sound s, float pan, float volume) {
        channel c = cue_sound(s);
        set_channel_pan(c, pan);
        set_channel_volume(c, volume);
        resume_channel(c);
        return c;
    }
};

std::vector<float> sine(float hz, int frames, float level = 0.5f) {
    std::vector<float> v(static_cast<size_t>(frames));
    for (int i = 0; i < frames; i++) v[i] = level * float(std::sin(2 * M_PI * hz * i / MIX_RATE));
    return v;
}

// Frames rendered until the channel reports it has finished.
int frames_until_done(channel c, int limit) {
    int n = 0;
    float buf[2 * 64];
    while (channel_playing(c) && n < limit) {
        mixer_render(buf, 64);
        n += 64;
    }
    return n;
}

TEST_F(mixer_test, pan_keeps_the_near_side_full_and_fades_the_far_side) {
    struct case_t {
        float pan, left, right;
    } cases[] = {
        {-1, 0.5f, 0}, {0, 0.5f, 0.5f}, {1, 0, 0.5f}, {0.5f, 0.25f, 0.5f}, {-0.5f, 0.5f, 0.25f}};
    sound s = constant(0.5f, 4000);
    for (const case_t& k : cases) {
        mixer_reset();
        start(s, k.pan, 1.0f);
        std::vector<float> out = render(256);
        // the very first frame already has the requested pan
        EXPECT_FLOAT_EQ(out[0], k.left) << "pan " << k.pan;
        EXPECT_FLOAT_EQ(out[1], k.right) << "pan " << k.pan;
        EXPECT_FLOAT_EQ(out[510], k.left) << "pan " << k.pan;
        EXPECT_FLOAT_EQ(out[511], k.right) << "pan " << k.pan;
    }
}

TEST_F(mixer_test, volume_scales_linearly_and_is_held_to_0_1) {
    sound s = constant(0.6f, 4000);
    const float volumes[] = {1.0f, 0.5f, 0.25f, 0.0f};
    for (float v : volumes) {
        mixer_reset();
        start(s, 0, v);
        std::vector<float> out = render(64);
        EXPECT_NEAR(out[20], 0.6f * v, 1e-6f) << "volume " << v;
    }
    mixer_reset();
    start(s, 0, 3.0f);
    EXPECT_NEAR(render(64)[20], 0.6f, 1e-6f);
}

TEST_F(mixer_test, stereo_samples_keep_their_sides) {
    std::vector<float> lr;
    for (int i = 0; i < 1000; i++) {
        lr.push_back(0.4f);
        lr.push_back(-0.2f);
    }
    sound s = make(lr, false, 2);
    start(s, 0, 1);
    std::vector<float> out = render(16);
    EXPECT_FLOAT_EQ(out[10], 0.4f);
    EXPECT_FLOAT_EQ(out[11], -0.2f);
}

TEST_F(mixer_test, rate_one_plays_the_sample_exactly) {
    std::vector<float> src = sine(441, 2000);
    for (size_t i = 0; i < src.size(); i += 7)
        src[i] *= -0.3f; // not smooth: interpolation would show
    sound s = make(src);
    channel c = start(s, 0, 1);
    set_channel_rate(c, 1.0f);
    std::vector<float> out = render(2000);
    for (int i = 0; i < 2000; i++) ASSERT_FLOAT_EQ(out[2 * i], src[i]) << "frame " << i;
}

TEST_F(mixer_test, rate_1_1_plays_in_1_over_1_1_of_the_time_and_higher) {
    const int len = 44100 / 4;
    sound s = make(sine(441, len));
    channel normal = start(s, 0, 1);
    int normal_frames = frames_until_done(normal, len * 2);
    EXPECT_NEAR(normal_frames, len, 64);

    mixer_reset();
    channel fast = cue_sound(s);
    set_channel_rate(fast, 1.1f);
    resume_channel(fast);
    std::vector<float> out = render(len / 2);
    int crossings = 0;
    for (int i = 1; i < len / 2; i++) crossings += (out[2 * i - 2] < 0) != (out[2 * i] < 0);
    // 441 Hz played 1.1 times faster: 485 Hz, two zero crossings a cycle
    EXPECT_NEAR(crossings / (len / 2.0 / MIX_RATE) / 2, 441 * 1.1, 3);
    int rest = frames_until_done(fast, len * 2);
    EXPECT_NEAR(len / 2 + rest, len / 1.1, 64);
}

TEST_F(mixer_test, a_cued_voice_is_silent_until_resumed) {
    sound s = constant(0.5f, 8000);
    channel c = cue_sound(s);
    ASSERT_NE(c, 0);
    set_channel_volume(c, 1);
    std::vector<float> out = render(2000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == 0.0f; }));
    EXPECT_TRUE(channel_playing(c));
    resume_channel(c);
    out = render(16);
    EXPECT_FLOAT_EQ(out[0], 0.5f); // from its first frame, not from where it would have been
    pause_channel(c);
    out = render(16);
    EXPECT_EQ(out[0], 0.0f);
}

TEST_F(mixer_test, stop_ends_the_channel_at_once_and_the_sound_fades_out) {
    sound s = constant(0.5f, 44100);
    channel c = play_sound(s);
    render(100);
    stop_channel(c);
    EXPECT_FALSE(channel_playing(c));
    std::vector<float> tail = render(1024);
    EXPECT_GT(tail[0], 0.0f); // a short fade, not a click
    EXPECT_LT(tail[2 * 10], 0.5f);
    for (int i = 1; i < 1024; i++) ASSERT_LE(tail[2 * i], tail[2 * i - 2]);
    EXPECT_EQ(tail[2 * 1000], 0.0f);
    EXPECT_EQ(mixer_active_voices(), 0);
}

TEST_F(mixer_test, a_one_shot_reports_playing_until_its_last_frame) {
    sound s = constant(0.5f, 1000);
    channel c = play_sound(s);
    EXPECT_TRUE(channel_playing(c));
    EXPECT_NEAR(frames_until_done(c, 5000), 1000, 64);
    EXPECT_FALSE(channel_playing(c));
}

TEST_F(mixer_test, the_null_and_dead_channels_ignore_everything) {
    sound s = constant(0.5f, 500);
    EXPECT_EQ(cue_sound(nullptr), 0);
    EXPECT_EQ(play_sound(nullptr), 0);
    channel old = play_sound(s);
    frames_until_done(old, 5000);
    channel fresh = start(s, 0, 1);
    // the old handle must not reach whatever voice now plays in its place
    stop_channel(old);
    set_channel_volume(old, 0);
    set_channel_volume(0, 0);
    stop_channel(0);
    EXPECT_FALSE(channel_playing(0));
    EXPECT_FALSE(channel_playing(old));
    EXPECT_TRUE(channel_playing(fresh));
    EXPECT_FLOAT_EQ(render(4)[0], 0.5f);
}

TEST_F(mixer_test, a_looping_voice_keeps_playing_without_a_seam) {
    // 441 Hz makes exactly 10 cycles in 1000 frames
    sound s = make(sine(441, 1000, 0.5f), true);
    channel c = start(s, 0, 1);
    std::vector<float> out = render(44100);
    EXPECT_TRUE(channel_playing(c));
    float worst = 0;
    for (int i = 1; i < 44100; i++) worst = std::max(worst, std::fabs(out[2 * i] - out[2 * i - 2]));
    const float step = float(0.5 * 2 * M_PI * 441 / MIX_RATE); // steepest slope of the sine
    EXPECT_LE(worst, step * 1.01f);
    // a loop played faster wraps correctly as well
    set_channel_rate(c, 2.7f);
    out = render(44100);
    EXPECT_TRUE(channel_playing(c));
    EXPECT_GT(*std::max_element(out.end() - 2000, out.end()), 0.45f);
}

TEST_F(mixer_test, sixty_four_full_scale_voices_clip_cleanly) {
    std::vector<float> square(4410);
    for (size_t i = 0; i < square.size(); i++) square[i] = (i / 50) % 2 ? -1.0f : 1.0f;
    sound s = make(square);
    for (int i = 0; i < 64; i++) start(s, 0, 1);
    std::vector<float> out = render(4000);
    for (int i = 0; i < 4000; i++) {
        float v = out[2 * i];
        ASSERT_LE(std::fabs(v), 1.0f) << "frame " << i;
        // no wrap-around: the output keeps the sign of what was mixed
        ASSERT_EQ(v > 0, square[i] > 0) << "frame " << i;
        ASSERT_GT(std::fabs(v), 0.95f) << "frame " << i;
    }
}

TEST_F(mixer_test, quiet_mixes_pass_the_clipper_untouched_and_loud_ones_bend_smoothly) {
    sound s = constant(0.7f, 1000);
    start(s, 0, 1);
    EXPECT_FLOAT_EQ(render(4)[0], 0.7f);
    // a slowly rising sum: the curve never steps or turns back
    mixer_reset();
    std::vector<float> ramp(20000);
    for (size_t i = 0; i < ramp.size(); i++) ramp[i] = float(i) / ramp.size();
    sound r = make(ramp);
    for (int i = 0; i < 4; i++) start(r, 0, 1);
    std::vector<float> out = render(20000);
    for (int i = 1; i < 20000; i++) {
        ASSERT_GE(out[2 * i], out[2 * i - 2]);
        ASSERT_LE(out[2 * i] - out[2 * i - 2], 4.0f / 20000 + 1e-6f);
    }
}

TEST_F(mixer_test, a_full_mixer_steals_the_oldest_one_shot_never_a_hum) {
    sound hum = constant(0.01f, 1000, true);
    sound shot = constant(0.01f, 40000);
    channel hums[8];
    for (channel& h : hums) h = play_sound(hum);
    std::vector<channel> shots;
    for (int i = 0; i < MIX_VOICES - 8; i++) shots.push_back(play_sound(shot));
    EXPECT_EQ(mixer_active_voices(), MIX_VOICES);
    channel extra = play_sound(shot);
    EXPECT_NE(extra, 0);
    EXPECT_TRUE(channel_playing(extra));
    EXPECT_FALSE(channel_playing(shots[0]));
    EXPECT_TRUE(channel_playing(shots[1]));
    for (channel h : hums) EXPECT_TRUE(channel_playing(h));
}

TEST_F(mixer_test, gain_changes_on_a_playing_voice_glide_instead_of_clicking) {
    sound s = constant(0.8f, 44100);
    channel c = start(s, 0, 1);
    render(100);
    set_channel_volume(c, 0.1f);
    set_channel_pan(c, 1.0f);
    std::vector<float> out = render(4410);
    float biggest_step = 0;
    for (int i = 1; i < 4410; i++)
        biggest_step = std::max(biggest_step, std::fabs(out[2 * i] - out[2 * i - 2]));
    EXPECT_LT(biggest_step, 0.01f);
    EXPECT_NEAR(out[2 * 4409], 0.0f, 1e-3f);      // left gone
    EXPECT_NEAR(out[2 * 4409 + 1], 0.08f, 1e-3f); // right at the new volume
}

TEST_F(mixer_test, freeing_a_sound_silences_its_voices) {
    sound s = sound_from_samples(std::vector<float>(44100, 0.5f), 1, MIX_RATE, true);
    channel c = play_sound(s);
    free_sound(s);
    EXPECT_FALSE(channel_playing(c));
    EXPECT_EQ(render(16)[0], 0.0f);
}

struct counted_stream {
    int calls = 0;
    static void fill(float* out, int frames, void* user) {
        static_cast<counted_stream*>(user)->calls++;
        for (int i = 0; i < frames * 2; i++) out[i] = 0.25f;
    }
};

TEST_F(mixer_test, the_stream_source_is_mixed_under_the_voices) {
    counted_stream st;
    mixer_set_stream(counted_stream::fill, &st);
    sound s = constant(0.5f, 1000);
    start(s, -1, 1);
    std::vector<float> out = render(1000);
    EXPECT_GT(st.calls, 0);
    EXPECT_FLOAT_EQ(out[0], 0.75f);
    EXPECT_FLOAT_EQ(out[1], 0.25f);
    mixer_set_stream(nullptr, nullptr);
    render(1000); // the one-shot runs out
    EXPECT_EQ(render(8)[0], 0.0f);
}

TEST_F(mixer_test, samples_at_other_rates_play_at_their_own_speed) {
    // a 22050 Hz sample of 1000 frames lasts twice as long at the mixer's rate
    sound s = sound_from_samples(std::vector<float>(1000, 0.5f), 1, MIX_RATE / 2, false);
    made.push_back(s);
    channel c = play_sound(s);
    EXPECT_NEAR(frames_until_done(c, 10000), 2000, 64);
}

} // namespace

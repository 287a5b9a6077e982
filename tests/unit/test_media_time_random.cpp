#include "support/headless_env.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
using pacing = media_test;
using randoms = media_test;

// Runs frames with the given work (microseconds) and returns each frame's length.
std::vector<int64_t> frame_lengths(const std::vector<int64_t>& work) {
    std::vector<int64_t> out;
    pace_reset();
    pace_frame();
    int64_t start = micros();
    for (int64_t w : work) {
        headless_advance_us(w);
        pace_frame();
        int64_t now = micros();
        out.push_back(now - start);
        start = now;
    }
    return out;
}
} // namespace

TEST_F(pacing, idle_and_busy_frames_both_last_twenty_milliseconds) {
    auto len = frame_lengths({0, 7000, 0, 19999, 1});
    for (auto l : len) EXPECT_EQ(l, FRAME_US);
}

TEST_F(pacing, a_late_frame_is_not_followed_by_a_burst) {
    auto len = frame_lengths({50000, 0, 0, 0});
    EXPECT_EQ(len[0], 50000);
    EXPECT_EQ(len[1], FRAME_US);
    EXPECT_EQ(len[2], FRAME_US);
    EXPECT_EQ(len[3], FRAME_US);
}

TEST_F(pacing, fifty_steps_a_second) {
    pace_reset();
    pace_frame();
    int64_t start = micros();
    for (int i = 0; i < 50; i++) {
        headless_advance_us(i % 13 * 1000);
        pace_frame();
    }
    EXPECT_EQ(micros() - start, 1000000);
}

TEST_F(pacing, delay_and_the_millisecond_clock) {
    uint32_t t = millisecs();
    delay(15);
    EXPECT_EQ(millisecs() - t, 15u);
    delay(-3);
    EXPECT_EQ(millisecs() - t, 15u);
}

TEST_F(randoms, seeds_zero_and_all_ones_act_as_4660) {
    auto first_draws = [](int seed) {
        seed_rnd(seed);
        std::vector<int> v;
        for (int i = 0; i < 5; i++) v.push_back(rand_int(0, 1000000));
        return v;
    };
    auto base = first_draws(4660);
    EXPECT_EQ(first_draws(0), base);
    EXPECT_EQ(first_draws(2147483647), base);
    EXPECT_EQ(first_draws(-1), base); // masked to 31 bits: 2147483647
    EXPECT_EQ(first_draws(int(0x80000000u)), base); // masked to 0
    EXPECT_NE(first_draws(4661), base);
}

TEST_F(randoms, integers_are_inclusive_with_bounds_either_way) {
    seed_rnd(1234);
    bool saw_lo = false, saw_hi = false;
    for (int i = 0; i < 5000; i++) {
        int v = rand_int(5, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
        saw_lo |= v == 1;
        saw_hi |= v == 5;
    }
    EXPECT_TRUE(saw_lo);
    EXPECT_TRUE(saw_hi);
    EXPECT_EQ(rand_int(3, 3), 3);
    EXPECT_EQ(rand_int(-2, -2), -2);
    for (int i = 0; i < 1000; i++) {
        int v = rand_int(-2147483647, 2147483647);
        (void)v; // the full range must not overflow
        double r = rnd(2.0, 4.0);
        ASSERT_GE(r, 2.0);
        ASSERT_LT(r, 4.0);
    }
}

TEST_F(randoms, the_same_seed_gives_the_same_game) {
    seed_rnd(99);
    double a = rnd(0, 1);
    int b = rand_int(0, 100);
    seed_rnd(99);
    EXPECT_EQ(rnd(0, 1), a);
    EXPECT_EQ(rand_int(0, 100), b);
}

TEST(trig, degrees_and_signs) {
    EXPECT_NEAR(sin_deg(90), 1.0f, 1e-6);
    EXPECT_NEAR(cos_deg(180), -1.0f, 1e-6);
    EXPECT_NEAR(atan2_deg(1, 0), 90.0f, 1e-5);
    EXPECT_NEAR(atan2_deg(-1, -1), -135.0f, 1e-4);
    EXPECT_EQ(sgn(-0.1f), -1);
    EXPECT_EQ(sgn(0.0f), 0);
    EXPECT_EQ(sgn(3.0f), 1);
}

namespace {
// How many floats apart two finite values are.
int64_t ulps_apart(float a, float b) {
    auto key = [](float f) {
        int32_t i;
        std::memcpy(&i, &f, sizeof i);
        return i < 0 ? int64_t(INT32_MIN) - i : int64_t(i);
    };
    int64_t d = key(a) - key(b);
    // Where the true value is zero, its float neighbours are next to nothing: closer than
    // 1e-15 counts as exact.
    return std::fabs(double(a) - double(b)) < 1e-15 ? 0 : d < 0 ? -d : d;
}
} // namespace

// Our own angles stand in for the C library's: as close to the true value as its float result
// was, over whole degrees, fractions, large angles and every quadrant of atan2.
TEST(trig, within_one_float_ulp_of_the_true_value) {
    const long double rad = 3.14159265358979323846264338327950288L / 180.0L;
    std::vector<float> angles;
    for (int d = -1080; d <= 1080; d++) angles.push_back(float(d));
    uint32_t s = 12345;
    for (int i = 0; i < 20000; i++) {
        s = s * 1664525u + 1013904223u;
        angles.push_back((float(s >> 8) / float(1 << 24) - 0.5f) * 4000.0f);
    }
    for (float d : angles) {
        long double r = std::fmod((long double)d, 360.0L) * rad;
        EXPECT_LE(ulps_apart(sin_deg(d), float(std::sin(r))), 1) << d;
        EXPECT_LE(ulps_apart(cos_deg(d), float(std::cos(r))), 1) << d;
    }
    for (int i = 0; i < 20000; i++) {
        s = s * 1664525u + 1013904223u;
        float y = float(int32_t(s)) / float(1 << 20);
        s = s * 1664525u + 1013904223u;
        float x = float(int32_t(s)) / float(1 << 20);
        if (i % 7 == 0) x = float(i % 3) - 1; // near and on the axes
        float want = float(std::atan2((long double)y, (long double)x) / rad);
        EXPECT_LE(ulps_apart(atan2_deg(y, x), want), 1) << y << " " << x;
    }
    EXPECT_EQ(atan2_deg(0.0f, -1.0f), 180.0f);
    EXPECT_EQ(atan2_deg(-0.0f, -1.0f), -180.0f);
    EXPECT_EQ(sin_deg(180), 0.0f);
    EXPECT_EQ(cos_deg(0), 1.0f);
}

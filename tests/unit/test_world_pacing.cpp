// The world keeps 50 steps a second while drawing falls behind: late steps go undrawn, at
// most three in a row, and a renderer too slow for that slows the game instead.
#include "media/headless/headless.h"
#include "media/media.h"
#include "support/headless_env.h"

#include <gtest/gtest.h>

namespace {

using world_pacing = media_test;

struct run {
    int steps = 0, drawn = 0, longest_skip_run = 0;
};

// Steps for one virtual second, each drawn step costing draw_us and each one `step_us`.
run one_second(int64_t draw_us, int64_t step_us) {
    world_pace_reset();
    int64_t start = micros();
    run r;
    int skips = 0;
    while (micros() - start < 1000000) {
        bool drawn = world_step_draws();
        headless_advance_us(step_us);
        if (drawn) headless_advance_us(draw_us);
        world_step_end(drawn, [](float) {});
        r.steps++;
        if (drawn) {
            r.drawn++;
            skips = 0;
        } else {
            r.longest_skip_run = std::max(r.longest_skip_run, ++skips);
        }
    }
    return r;
}

TEST_F(world_pacing, a_step_a_whole_frame_late_is_not_drawn_but_never_four_in_a_row) {
    EXPECT_FALSE(world_step_skips(FRAME_US - 1, 0));
    EXPECT_TRUE(world_step_skips(FRAME_US, 0));
    EXPECT_TRUE(world_step_skips(5 * FRAME_US, 2));
    EXPECT_FALSE(world_step_skips(5 * FRAME_US, 3));
    frame_skipping = false;
    EXPECT_FALSE(world_step_skips(5 * FRAME_US, 0));
    frame_skipping = true;
}

TEST_F(world_pacing, drawing_slower_than_a_frame_keeps_fifty_steps_a_second) {
    run fast = one_second(5000, 1000);
    EXPECT_NEAR(fast.steps, 50, 1);
    EXPECT_EQ(fast.drawn, fast.steps);
    run slow = one_second(30000, 2000); // 32 ms a drawn frame
    EXPECT_NEAR(slow.steps, 50, 1);
    EXPECT_GT(slow.drawn, 25); // about three in five are still drawn
    EXPECT_LT(slow.drawn, 40);
    EXPECT_LE(slow.longest_skip_run, WORLD_SKIPS_MAX);
}

TEST_F(world_pacing, a_renderer_too_slow_for_four_steps_a_frame_slows_the_game) {
    run r = one_second(100000, 1000);
    EXPECT_EQ(r.longest_skip_run, WORLD_SKIPS_MAX);
    EXPECT_LE(r.steps, 4 * r.drawn + WORLD_SKIPS_MAX);
    EXPECT_LT(r.steps, 50);
    frame_skipping = false;
    run off = one_second(30000, 2000);
    frame_skipping = true;
    EXPECT_EQ(off.drawn, off.steps);
    EXPECT_LT(off.steps, 35); // without skipping the game itself slows down
}

TEST_F(world_pacing, a_stalled_world_starts_a_fresh_schedule_instead_of_racing) {
    world_pace_reset();
    EXPECT_TRUE(world_step_draws());
    world_step_end(true, [](float) {});
    headless_advance_us(2000000); // a menu held the world for two seconds
    EXPECT_TRUE(world_step_draws());
}

} // namespace

// Between two steps every moving thing is drawn where it is at that moment: a spark thrown
// into a reused slot comes from its own flight, a spark whirled by a hole is drawn between
// steps, a new shot is drawn where its flight puts it, and turning angles turn smoothly.
#include "enemies/interceptor.h"
#include "player/powerups.h"
#include "shell/pose.h"
#include "support/play_env.h"

#include <gtest/gtest.h>

namespace {

using posing = play_test;

TEST_F(posing, a_spark_in_a_reused_slot_comes_from_its_own_flight_not_from_the_last_spark) {
    particle_count = 2;
    part_spawn(100, 100, 1, 255, 255, 255, 0, 1); // slot 0: 32 px a step to the right
    pose_remember();
    part_next = 0;
    part_spawn(120, 100, 2, 255, 255, 255, 90, 1); // slot 0 again, 20 px away, flying down
    const part now = particles[0];
    draw_posed(0.25f, [&] {
        EXPECT_FLOAT_EQ(particles[0].x, now.x - now.dx * 0.75f);
        EXPECT_FLOAT_EQ(particles[0].y, now.y - now.dy * 0.75f);
    });
    EXPECT_EQ(particles[0].x, now.x);
    EXPECT_EQ(particles[0].y, now.y);
}

TEST_F(posing, a_spark_whirled_by_a_hole_is_drawn_between_steps) {
    particle_count = 1;
    part_spawn(100, 100, 7, 255, 255, 255, 0, 1);
    pose_remember();
    float then_x = particles[0].x;
    particles[0].x += 10;
    particles[0].life += 4; // the hole's core keeps it alive
    draw_posed(0.5f, [&] { EXPECT_FLOAT_EQ(particles[0].x, then_x + 5); });
}

TEST_F(posing, a_shot_fired_in_the_step_is_drawn_where_its_flight_puts_it) {
    pose_remember();
    shot_fire(300, 300, 8, 0, 8);
    shot* s = shots.first();
    ASSERT_NE(s, nullptr);
    float x = s->x, dx = s->dx;
    draw_posed(0.5f, [&] { EXPECT_FLOAT_EQ(shots.first()->x, x - dx * 0.5f); });
    EXPECT_EQ(s->x, x);
}

TEST_F(posing, an_interceptor_and_a_token_star_turn_between_steps) {
    interceptor* c = interceptor::create(400, 400, 0);
    powerup* t = powerup_spawn(600, 300, 2, 0);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(t, nullptr);
    c->facing = 10;
    t->star = 354;
    pose_remember();
    c->facing = 14; // four degrees a step
    t->star = 0;    // six a step, the short way round
    draw_posed(0.5f, [&] {
        EXPECT_EQ(c->facing, 12);
        EXPECT_FLOAT_EQ(t->star, -3);
    });
    EXPECT_EQ(c->facing, 14);
    EXPECT_EQ(t->star, 0);
    powerups_clear();
    interceptor_list.clear();
    actor_lists_collect();
}

} // namespace

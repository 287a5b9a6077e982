#include "support/play_env.h"

#include <cmath>

namespace {
using shots_fixture = play_test;

shot* fire(float x, float y, float dx, float dy, float speed = 8) {
    shot_fire(x, y, dx, dy, speed);
    shot* last = nullptr;
    shots.for_each([&](shot* s) { last = s; });
    return last;
}
} // namespace

TEST_F(shots_fixture, a_shot_past_the_wall_dies_half_a_step_behind_and_says_where) {
    player_x = 1016;
    player_y = 300;
    fire(1020, 300, 8, 0);
    shots_update();
    EXPECT_TRUE(shots.empty());
    ASSERT_EQ(sfx_log.size(), 1u);
    EXPECT_EQ(sfx_log[0].s, snd_shotwall);
    EXPECT_FLOAT_EQ(sfx_log[0].pan, 0); // it died at 1016, where the ship is
    EXPECT_FLOAT_EQ(sfx_log[0].volume, 1);
    player_x = -8;
    fire(1020, 300, 8, 0);
    shots_update();
    ASSERT_EQ(sfx_log.size(), 2u);
    EXPECT_FLOAT_EQ(sfx_log[1].pan, 1.0f);
    EXPECT_FLOAT_EQ(sfx_log[1].volume, 0.9f);
}

TEST_F(shots_fixture, a_shot_dying_in_the_first_half_step_leaves_the_grid_alone) {
    ASSERT_TRUE(grid_at_rest());
    fire(1020, 300, 8, 0);
    shots_update();
    EXPECT_TRUE(shots.empty());
    EXPECT_TRUE(grid_at_rest());
    fire(500, 300, 8, 0);
    shots_update();
    EXPECT_FALSE(grid_at_rest()); // a live shot ploughs the grid
}

TEST_F(shots_fixture, bouncing_turns_only_the_axis_that_hit_and_both_in_a_corner) {
    bouncy_timer = 100;
    shot* s = fire(1020, 300, 8, 2);
    shots_update();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(s->dx, -8);
    EXPECT_EQ(s->dy, 2);
    EXPECT_FLOAT_EQ(s->x, 1012); // 1024, back by dx to 1016, then the second half-step
    s = fire(1020, 764, 8, 8);
    shots_update();
    EXPECT_EQ(s->dx, -8);
    EXPECT_EQ(s->dy, -8);
}

TEST_F(shots_fixture, no_more_than_500_shots) {
    for (int i = 0; i < 510; i++) shot_fire(500, 300, 1, 0, 2);
    EXPECT_EQ(shots.size(), 500u);
}

TEST_F(shots_fixture, a_slowed_shot_is_brought_back_to_half_its_speed) {
    shot* s = fire(500, 300, 3, 4, 20);
    shots_update();
    EXPECT_NEAR(s->dx, 6, 1e-5);
    EXPECT_NEAR(s->dy, 8, 1e-5);
}

TEST_F(shots_fixture, black_holes_bend_shots_only_beyond_32_pixels) {
    blackhole* h = blackhole_list.emplace();
    h->active = 1;
    h->mass = 8; // reach 115 px, push 1/22 per axis
    h->x = 532;
    h->y = 300;
    shot* s = fire(500, 300, 0, 0.0001f, 0);
    s->bend_all();
    EXPECT_EQ(s->dx, 0); // exactly 32 px away
    s->x = 499;
    s->bend_all();
    EXPECT_FLOAT_EQ(s->dx, -1.0f / 22);
    h->active = 0;
    s->bend_all();
    EXPECT_FLOAT_EQ(s->dx, -1.0f / 22);
}

TEST_F(shots_fixture, the_bomb_spends_a_bomb_and_shields_the_ship) {
    bombs = 1;
    smart_bomb();
    EXPECT_EQ(bombs, 0);
    EXPECT_EQ(menu_cooldown, 60);
    EXPECT_EQ(shield_timer, 65);
    EXPECT_EQ(multiplier, 1);
    menu_cooldown = 0;
    smart_bomb();
    EXPECT_EQ(menu_cooldown, 0); // none left: nothing happens
}

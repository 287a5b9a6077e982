// Interceptors: the shield that swallows shots from the front, the wall stop and the
// lock-on warning.
#include "enemies/interceptor.h"
#include "player/shots.h"
#include "test_enemy_env.h"

#include <gtest/gtest.h>

namespace {

class interceptors : public enemy_test {
  protected:
    static inline char fakes[3];
    sound saved_sounds[3];
    sound* own_sounds[3] = {&snd_warn1, &snd_shield1, &snd_quarkhit2};

    void SetUp() override {
        enemy_test::SetUp();
        for (int i = 0; i < 3; i++) {
            saved_sounds[i] = *own_sounds[i];
            *own_sounds[i] = reinterpret_cast<sound>(&fakes[i]);
        }
        player_x = 100;
        player_y = 100;
    }
    void TearDown() override {
        interceptor_list.clear();
        actor_lists_collect();
        for (int i = 0; i < 3; i++) *own_sounds[i] = saved_sounds[i];
        enemy_test::TearDown();
    }
    // Lined up, moving right at (x, y), shield placed.
    static interceptor* lined_up(float x, float y) {
        interceptor* c = place(interceptor::create(x, y, 0), x, y);
        c->dx = 1;
        c->turn = 0;
        c->place_shield();
        return c;
    }
};

TEST_F(interceptors, each_starts_with_at_least_16_degrees_to_turn) {
    for (int i = 0; i < 50; i++) {
        interceptor* c = interceptor::create(float(100 + 17 * i), float(700 - 11 * i), 0);
        EXPECT_GE(std::abs(c->turn), 16);
        EXPECT_FALSE(c->shield_up());
    }
}

TEST_F(interceptors, at_rest_the_bar_runs_from_100_28_to_28_100) {
    interceptor* c = place(interceptor::create(500, 500, 0), 500, 500);
    c->place_shield();
    EXPECT_FLOAT_EQ(c->shield_x1, 600);
    EXPECT_FLOAT_EQ(c->shield_y1, 472);
    EXPECT_FLOAT_EQ(c->shield_x2, 528);
    EXPECT_FLOAT_EQ(c->shield_y2, 400);
}

TEST_F(interceptors, the_shield_takes_a_shot_from_the_front_and_the_side_shot_kills) {
    interceptor* c = lined_up(500, 400);
    // From the front: flying left into its face from far off, now 10 px ahead of it.
    shot front{510, 400, -10, 0, 10, 300};
    EXPECT_EQ(enemies_hit_by_shot(front), 1);
    actor_lists_collect();
    EXPECT_EQ(interceptor_list.size(), 1u);
    EXPECT_EQ(score, 0);
    // The same spot, the shot coming down from above it.
    shot side{500, 400, 0, 10, 10};
    EXPECT_EQ(enemies_hit_by_shot(side), 1);
    actor_lists_collect();
    EXPECT_FALSE(interceptor_list.contains(c));
    EXPECT_EQ(score, 100 * 3);
}

TEST_F(interceptors, only_the_path_a_shot_has_flown_can_cross_the_bar) {
    interceptor* c = lined_up(500, 400);
    // Fired point-blank from between the interceptor and its bar: it never crossed the bar.
    shot close{510, 400, -10, 0, 10, 20};
    EXPECT_EQ(enemies_hit_by_shot(close), 1);
    actor_lists_collect();
    EXPECT_FALSE(interceptor_list.contains(c));
    // Just off a wall beyond the bar, coming back at it: the same.
    c = lined_up(500, 400);
    shot bounced{540, 400, -10, 0, 10, 0};
    EXPECT_EQ(enemies_hit_by_shot(bounced), 0);
    EXPECT_TRUE(interceptor_list.contains(c));
    // In flight from beyond the bar: swallowed.
    shot front{540, 400, -10, 0, 10, 100};
    EXPECT_EQ(enemies_hit_by_shot(front), 1);
    EXPECT_TRUE(interceptor_list.contains(c));
}

TEST_F(interceptors, the_bar_moves_with_every_step_drawn_or_not) {
    interceptor* c = lined_up(500, 400);
    c->dx = 3;
    c->update();
    interceptor moved = *c;
    moved.place_shield();
    EXPECT_FLOAT_EQ(c->shield_x1, moved.shield_x1);
    EXPECT_FLOAT_EQ(c->shield_y1, moved.shield_y1);
}

TEST_F(interceptors, a_target_dead_behind_is_179_degrees_away) {
    EXPECT_EQ(turn_towards(100, 100, 1, 0, 50, 100), 179);
    EXPECT_EQ(turn_towards(100, 100, -1, 0, 150, 100), 179);
    EXPECT_EQ(turn_towards(100, 100, 1, 0, 100, 150), 90);
}

TEST_F(interceptors, a_turning_interceptor_has_no_shield) {
    interceptor* c = lined_up(500, 400);
    c->turn = 30;
    shot front{510, 400, -10, 0, 10};
    EXPECT_EQ(enemies_hit_by_shot(front), 1);
    actor_lists_collect();
    EXPECT_EQ(interceptor_list.size(), 0u);
}

TEST_F(interceptors, pressed_against_a_wall_it_stops_dead) {
    interceptor* c = place(interceptor::create(900, 400, 0), float(field_width) - 17, 400);
    c->facing = 0;
    c->dx = 4;
    c->turn = 0;
    interceptor_speed = 4.25f;
    float x0 = c->x, y0 = c->y;
    for (int i = 0; i < 5; i++) {
        c->turn = 0; // keep it lined up on the wall
        c->update();
        EXPECT_FLOAT_EQ(c->x, x0);
        EXPECT_FLOAT_EQ(c->y, y0);
    }
}

TEST_F(interceptors, the_lock_on_sound_plays_at_most_once_in_60_frames) {
    interceptor* c = place(interceptor::create(500, 400, 0), 500, 400);
    for (int i = 0; i < 120; i++) {
        c->turn = 0;
        c->x = 500;
        c->y = 400;
        c->update();
    }
    EXPECT_EQ(played(snd_shield1).size(), 2u);
}

TEST_F(interceptors, turn_towards_wraps_and_ignores_five_degrees) {
    EXPECT_EQ(turn_towards(0, 0, 1, 0, 10, 0), 0);
    EXPECT_EQ(turn_towards(0, 0, 1, 0, 100, 8), 0); // 4.6 degrees
    EXPECT_EQ(turn_towards(0, 0, 1, 0, 0, 10), 90);
    EXPECT_EQ(turn_towards(0, 0, -1, 0.1f, 0, -10), 96); // wrapped, not -264
}

} // namespace

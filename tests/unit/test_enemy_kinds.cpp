#include "media/draw_log.h"
#include "test_enemy_env.h"

#include <cmath>

namespace {
using enemy_kinds = enemy_test;
} // namespace

// ---------------------------------------------------------------- the cube's split

TEST_F(enemy_kinds, a_shot_cube_splits_into_three_fragments_30_px_to_its_left) {
    player_x = 100, player_y = 700; // far: the fragments keep their places
    cube* whole = place(cube::create(0, 0, 0, 0), 500, 300);
    whole->kill(1);
    EXPECT_EQ(score, 100 * 3);
    ASSERT_EQ(cube_list.size(), 3u);
    cube_list.for_each([](cube* f) {
        EXPECT_EQ(f->x, 470);
        EXPECT_GE(f->y, 270);
        EXPECT_LE(f->y, 330);
        EXPECT_EQ(f->generation, 4);
        EXPECT_EQ(f->spawn_delay, 2);
    });
    cube_list.for_each([](cube* f) { f->kill(1); });
    EXPECT_EQ(score, 100 * 3 + 3 * 50 * 3);
    EXPECT_TRUE(cube_list.empty()); // fragments never split
}

TEST_F(enemy_kinds, fragments_land_away_from_the_ship_and_bombs_never_split_cubes) {
    place(cube::create(0, 0, 0, 0), 530, 384)->kill(1); // fragments would land on the ship
    cube_list.for_each([](cube* f) {
        EXPECT_GE(std::hypot(f->x - 512, f->y - 384), 79.99f); // 100 - 5 x generation
    });
    clear_kinds();
    place(cube::create(0, 0, 0, 0), 500, 300);
    enemies_destroy_all();
    EXPECT_TRUE(cube_list.empty());
    EXPECT_EQ(score, 100 * 3);
}

// ---------------------------------------------------------------- the square's dodge

TEST_F(enemy_kinds, a_square_steps_sideways_from_a_shot_about_to_hit_it) {
    square* s = place(square::create(0, 0, 0), 500, 305);
    s->dodge(440, 300, 450, 300); // a shot four steps short, 5 px above its line
    EXPECT_GT(s->dy, 0);          // pushed down, off the shot's line, hardly along it ...
    EXPECT_GT(s->dy, 4 * std::fabs(s->dx));
    EXPECT_NEAR(std::hypot(s->dx, s->dy), square_speed * 1.25f, 1e-4); // ... at the dodge cap

    square* calm = place(square::create(0, 0, 0), 500, 500);
    calm->dodge(300, 500, 310, 500); // meets it 160 px short: too far to care
    EXPECT_EQ(calm->dx, 0);
    EXPECT_EQ(calm->dy, 0);
}

TEST_F(enemy_kinds, the_shot_test_makes_missed_squares_dodge_and_goes_on) {
    square* s = place(square::create(0, 0, 0), 500, 320);
    place(pinwheel::create(0, 0, 0), 440, 300);
    shot near{440, 300, 10, 0, 10};
    EXPECT_EQ(enemies_hit_by_shot(near), 1);
    EXPECT_TRUE(pinwheel_list.empty());
    EXPECT_GT(s->dy, 0);
}

// ---------------------------------------------------------------- the shot test

TEST_F(enemy_kinds, shots_kill_within_each_kinds_hit_radius) {
    struct row {
        int spawn_index;
        float radius2;
    };
    const row rows[] = {{2, 260}, {0, 260}, {1, 333}, {3, 265}, {4, 148}, {9, 104}};
    for (const row& r : rows) {
        for (float off : {-0.2f, 0.2f}) {
            enemy_spawn(r.spawn_index, 0, 0, 0);
            ASSERT_EQ(enemies_alive(), 1u);
            enemy* e = nullptr;
            square_list.for_each([&](square* x) { e = x; });
            pinwheel_list.for_each([&](pinwheel* x) { e = x; });
            diamond_list.for_each([&](diamond* x) { e = x; });
            cube_list.for_each([&](cube* x) { e = x; });
            seeker_list.for_each([&](seeker* x) { e = x; });
            butterfly_list.for_each([&](butterfly* x) { e = x; });
            place(e, 300, 300);
            shot s{300 + std::sqrt(r.radius2 + off), 300, 0, 1, 1};
            EXPECT_EQ(enemies_hit_by_shot(s), off < 0 ? 1 : 0) << r.spawn_index;
            std::size_t left = off > 0 ? 1 : r.spawn_index == 3 ? 3 : 0; // a cube's fragments
            EXPECT_EQ(enemies_alive(), left) << r.spawn_index;
            clear_kinds();
        }
    }
    cube* frag = place(cube::create(0, 0, 4, 0), 300, 300);
    shot s{300 + std::sqrt(265.0f - 12 - 0.2f), 300, 0, 1, 1};
    EXPECT_EQ(enemies_hit_by_shot(s), 1);
    EXPECT_FALSE(cube_list.contains(frag));
}

TEST_F(enemy_kinds, a_shot_kills_one_enemy_the_first_in_the_fixed_order) {
    butterfly* b = place(butterfly::create(0, 0, 0), 300, 300);
    seeker* k = place(seeker::create(0, 0, 0, 0), 300, 300);
    diamond* d1 = place(diamond::create(0, 0, 0), 300, 300);
    diamond* d2 = place(diamond::create(0, 0, 0), 300, 300);
    shot s{300, 300, 1, 0, 1};
    EXPECT_EQ(enemies_hit_by_shot(s), 1);
    EXPECT_FALSE(diamond_list.contains(d1));
    EXPECT_TRUE(diamond_list.contains(d2));
    EXPECT_TRUE(seeker_list.contains(k));
    EXPECT_TRUE(butterfly_list.contains(b));
    EXPECT_EQ(score, 50 * 3);
}

// ---------------------------------------------------------------- the lists as a whole

TEST_F(enemy_kinds, the_bomb_explodes_everything_for_no_points_and_no_sound) {
    for (int k : {0, 1, 2, 3, 4, 9})
        for (int i = 0; i < 3; i++) enemy_spawn(k, 300, 300, i);
    sfx_log.clear();
    int before = part_next;
    enemies_destroy_all();
    EXPECT_EQ(enemies_alive(), 0u);
    EXPECT_EQ(score, 0);
    EXPECT_TRUE(sfx_log.empty());
    EXPECT_EQ(part_next - before, 3 * (16 * 5 + 9));
    EXPECT_EQ(kill_count, 0);
}

TEST_F(enemy_kinds, clearing_the_board_can_spare_the_enemies_that_reached_the_ship) {
    for (int k : {0, 1, 2, 3, 4, 9}) enemy_spawn(k, 300, 300, 0);
    square_list.first()->touched = 1;
    butterfly_list.first()->touched = 1;
    enemies_clear(0);
    EXPECT_EQ(enemies_alive(), 2u);
    EXPECT_EQ(square_list.size(), 1u);
    EXPECT_EQ(butterfly_list.size(), 1u);
    enemies_clear(1);
    EXPECT_EQ(enemies_alive(), 0u);
}

TEST_F(enemy_kinds, spawn_indices_make_their_kinds_and_unknown_ones_nothing) {
    for (int k = -1; k <= 11; k++) enemy_spawn(k, 200, 200, 20);
    EXPECT_EQ(pinwheel_list.size(), 1u);
    EXPECT_EQ(diamond_list.size(), 1u);
    EXPECT_EQ(square_list.size(), 1u);
    EXPECT_EQ(cube_list.size(), 1u);
    EXPECT_EQ(seeker_list.size(), 1u);
    EXPECT_EQ(butterfly_list.size(), 1u);
    EXPECT_EQ(cube_list.first()->generation, 0);
    EXPECT_EQ(seeker_list.first()->boost, 0);
    EXPECT_EQ(square_list.first()->spawn_delay, 20);
    EXPECT_EQ(played(snd_butterfly).size(), 1u);
}

TEST_F(enemy_kinds, speed_limits_follow_the_difficulty) {
    enemy_speeds_reset(0);
    EXPECT_FLOAT_EQ(square_speed, 3.5f * 0.65f);
    EXPECT_FLOAT_EQ(cube_speed, 3.0f * 0.7f);
    EXPECT_FLOAT_EQ(butterfly_speed, 5.0f * 0.75f);
    enemy_speeds_reset(1);
    EXPECT_FLOAT_EQ(pinwheel_speed, 2.25f);
    EXPECT_FLOAT_EQ(triangle_speed, 2.0f);
    enemy_speeds_reset(2);
    EXPECT_FLOAT_EQ(seeker_speed, 4.5f * 1.15f);
    EXPECT_FLOAT_EQ(diamond_speed, 3.25f * 1.25f);
    EXPECT_FLOAT_EQ(interceptor_speed, 4.25f * 1.15f);
}

TEST_F(enemy_kinds, each_list_is_drawn_in_the_play_frames_order) {
    draw_log.clear();
    for (int k : {9, 4, 3, 1, 0, 2}) enemy_spawn(k, 300, 300, 0);
    draw_log_enabled = true;
    enemies_draw();
    draw_log_enabled = false;
    ASSERT_EQ(draw_log.size(), 12u);
    const int greens[] = {255, 64, 255, 32, 64, 32}; // squares, pinwheels ... butterflies
    for (int i = 0; i < 6; i++) EXPECT_EQ(draw_log[2 * i].g, greens[i]) << i;
}

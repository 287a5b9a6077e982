#include "media/draw_log.h"
#include "test_enemy_env.h"

#include <cmath>

namespace {
using enemies = enemy_test;

float dist(float x, float y, float px, float py) { return std::hypot(x - px, y - py); }

const kind_id all_kinds[] = {K_SQUARE,   K_PINWHEEL, K_DIAMOND,  K_CUBE,
                             K_FRAGMENT, K_SEEKER,   K_BUTTERFLY};
} // namespace

// ---------------------------------------------------------------- spawn_point and create

TEST_F(enemies, spawn_point_steps_straight_away_until_far_enough) {
    float x = 562, y = 384;
    spawn_point(x, y, 512, 384, 100);
    EXPECT_EQ(y, 384);
    float d = dist(x, y, 512, 384);
    EXPECT_GE(d, 100);
    EXPECT_LT(d, 110.01f);              // whole 10 px steps, no further than needed
    float x2 = 512 + 30, y2 = 384 + 40; // 50 px on a diagonal: the direction is kept
    spawn_point(x2, y2, 512, 384, 100);
    EXPECT_NEAR((x2 - 512) / (y2 - 384), 0.75f, 1e-4);
    EXPECT_GE(dist(x2, y2, 512, 384), 100);
}

TEST_F(enemies, spawn_point_clamps_20_px_inside_even_near_a_ship_in_a_corner) {
    float x = 40, y = 384;
    spawn_point(x, y, 60, 384, 100);
    EXPECT_EQ(x, 20); // pushed out of the field, then back on the border 40 px from the ship
    EXPECT_EQ(y, 384);
    float x2 = 1010, y2 = 760;
    spawn_point(x2, y2, 1000, 750, 100);
    EXPECT_EQ(x2, 1004);
    EXPECT_EQ(y2, 748);
    float x3 = 5, y3 = 5; // far enough already: only the clamp
    spawn_point(x3, y3, 512, 384, 100);
    EXPECT_EQ(x3, 20);
    EXPECT_EQ(y3, 20);
}

TEST_F(enemies, spawn_point_on_the_ship_moves_off_it_to_random_sides_and_ends) {
    bool left = false, right = false, up = false, down = false;
    for (int i = 0; i < 60; i++) {
        float x = 512, y = 384;
        spawn_point(x, y, 512, 384, 100);
        EXPECT_GE(dist(x, y, 512, 384), 100);
        EXPECT_GT(std::fabs(x - 512), 10 * 0.5f); // both axes moved off, 10-20 px to start with
        EXPECT_GT(std::fabs(y - 384), 10 * 0.5f);
        left |= x<512, right |= x> 512, up |= y<384, down |= y> 384;
    }
    EXPECT_TRUE(left && right && up && down);
}

TEST_F(enemies, create_announces_itself_where_it_lands_and_starts_moving) {
    player_x = 100.7f; // truncated to 100 for the spawn rule
    square* s = square::create(150, 700, 7);
    ASSERT_EQ(square_list.size(), 1u);
    EXPECT_GE(dist(s->x, s->y, 100, 384), 100);
    EXPECT_EQ(s->spawn_delay, 7);
    EXPECT_EQ(s->angle, 90);
    float v = std::hypot(s->dx, s->dy);
    EXPECT_GE(v, 2.0f - 1e-4f);
    EXPECT_LT(v, 4.0f);
    auto calls = played(snd_buzz3);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rate, 1);
    float pan = (s->x - player_x) / 1024;
    EXPECT_FLOAT_EQ(calls[0].pan, pan);
    EXPECT_FLOAT_EQ(calls[0].volume,
                    (1 - std::fabs(pan) / 10) * (1 - std::fabs(s->y - 384) / 768 / 10));

    butterfly* b = butterfly::create(100, 384 + 110, 0); // butterflies keep 120 px off
    EXPECT_EQ(b->x, 100);
    EXPECT_GE(b->y, 384 + 120);
    EXPECT_LT(b->y, 384 + 130.01f);
    cube::create(300, 300, 4, 2);
    EXPECT_TRUE(played(snd_snake1).empty()); // fragments arrive quietly
}

TEST_F(enemies, no_more_than_101_cubes) {
    for (int i = 0; i < 101; i++) ASSERT_NE(cube::create(100, 100, 0, 0), nullptr);
    sfx_log.clear();
    EXPECT_EQ(cube::create(100, 100, 0, 0), nullptr);
    EXPECT_EQ(cube::create(100, 100, 4, 2), nullptr);
    EXPECT_EQ(cube_list.size(), 101u);
    EXPECT_TRUE(sfx_log.empty());
}

// ---------------------------------------------------------------- spawn-in

TEST_F(enemies, spawning_in_is_frozen_harmless_and_can_be_shot_for_full_points) {
    square* s = square::create(900, 384, 3);
    s->x = player_x;
    s->y = player_y;
    s->dx = 2;
    blackhole* h = blackhole_list.emplace();
    h->x = player_x, h->y = player_y, h->mass = 20;
    for (int i = 0; i < 3; i++) s->update();
    EXPECT_EQ(s->spawn_delay, 0);
    EXPECT_EQ(s->x, player_x);
    EXPECT_EQ(s->dx, 2);
    EXPECT_EQ(s->angle, 90);
    EXPECT_EQ(s->touched, 0);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(square_list.size(), 1u); // not swallowed either
    blackhole_list.clear();

    pinwheel* p = pinwheel::create(900, 384, 20);
    shot hit{p->x + 10, p->y + 10, 5, 0, 5}; // d2 200 < 260
    EXPECT_EQ(enemies_hit_by_shot(hit), 1);
    EXPECT_TRUE(pinwheel_list.empty());
    EXPECT_EQ(score, 25 * 3);
}

// ---------------------------------------------------------------- update template

// With the ship 512 px to the right and a dormant hole 100 px below, one update adds the
// kind's seek gain along x and its gravity along y.
TEST_F(enemies, each_kind_seeks_with_its_gain_and_feels_holes_with_its_constants) {
    struct row {
        kind_id k;
        float gain, pull;
    };
    const row rows[] = {
        {K_SQUARE, 1, 1100.0f / 512},     {K_PINWHEEL, 0, 1100.0f / 512},
        {K_DIAMOND, 0.5f, 1100.0f / 512}, {K_CUBE, 2.5f, 1100.0f / 512},
        {K_SEEKER, 4, 600.0f / 1024},     {K_BUTTERFLY, 2, 400.0f / 2048},
    };
    no_speed_limits();
    player_x = 812;
    player_y = 300;
    blackhole* h = blackhole_list.emplace();
    h->x = 300, h->y = 400, h->mass = 10; // inside every kind's reach, outside its capture
    for (const row& r : rows) {
        enemy* e = place(make_kind(r.k, 0, 0), 300, 300);
        float angle = e->angle;
        update_kind(r.k, e);
        EXPECT_NEAR(e->dx, r.gain, 1e-4) << r.k;
        EXPECT_NEAR(e->dy, r.pull, 1e-4) << r.k;
        EXPECT_EQ(e->angle, angle + 1);
        clear_kinds();
    }
    h->mass = 5; // the seeker reaches 75 + 6 x 5 = 105: a hole 100 px off still pulls ...
    enemy* e = place(make_kind(K_SEEKER, 0, 0), 300, 300);
    update_kind(K_SEEKER, e);
    EXPECT_NEAR(e->dy, 600.0f / 1024, 1e-4);
    h->mass = 4; // ... a butterfly's reach of 75 + 5 x 4 = 95 px does not
    e = place(make_kind(K_BUTTERFLY, 0, 0), 300, 300);
    update_kind(K_BUTTERFLY, e);
    EXPECT_EQ(e->dy, 0);
}

TEST_F(enemies, a_swallowed_enemy_scores_nothing_and_feeds_its_hole_once) {
    frame_count = 1;
    for (kind_id k : all_kinds) {
        enemy* e = place(make_kind(k, 0, 0), 300, 300);
        blackhole* h = blackhole_list.emplace();
        h->x = 303, h->y = 300, h->mass = 20; // 3 px: inside every capture radius
        sfx_log.clear();
        int before = part_next;
        update_kind(k, e);
        EXPECT_EQ(enemies_alive(), 0u) << k;
        EXPECT_GT(sparks_since(before), 0) << k;
        EXPECT_EQ(lives, 3) << k;
        EXPECT_EQ(score, 0);
        EXPECT_TRUE(played(snd_quarkhit).empty()) << k;
        EXPECT_EQ(h->eaten, 1) << k;
        EXPECT_EQ(h->mass, 21) << k;
        EXPECT_EQ(h->active, 1) << k; // swallowing wakes it
        EXPECT_EQ(cube_list.size(), 0u); // swallowed cubes never split
        blackhole_list.clear();
    }
}

TEST_F(enemies, near_neighbours_of_a_kind_push_apart_by_its_step) {
    struct row {
        kind_id k;
        float radius2, step;
    };
    const row rows[] = {{K_SQUARE, 1476, 1},       {K_PINWHEEL, 800, 1},  {K_DIAMOND, 1300, 1},
                        {K_CUBE, 1300, 1},         {K_FRAGMENT, 1220, 1}, {K_SEEKER, 976, 1},
                        {K_BUTTERFLY, 512, 0.125f}};
    no_speed_limits();
    player_x = 900, player_y = 700;
    for (const row& r : rows) {
        for (float off : {-0.5f, 0.5f}) {
            float gap = std::sqrt(r.radius2) + off;
            enemy* alone = place(make_kind(r.k, 0, 0), 300, 300);
            alone->angle = 0;
            update_kind(r.k, alone);
            float free_dx = alone->dx, free_dy = alone->dy;
            clear_kinds();
            enemy* a = place(make_kind(r.k, 0, 0), 300, 300);
            a->angle = 0;
            place(make_kind(r.k, 0, 0), 300 + gap * 0.6f, 300 + gap * 0.8f);
            update_kind(r.k, a);
            float kick = off < 0 ? r.step : 0;
            EXPECT_NEAR(free_dx - a->dx, kick, 1e-4) << r.k << " " << off;
            EXPECT_NEAR(free_dy - a->dy, kick, 1e-4) << r.k << " " << off;
            clear_kinds();
        }
    }
}

TEST_F(enemies, speed_is_capped_at_the_kinds_limit) {
    enemy_speeds_reset(2);
    struct row {
        kind_id k;
        float limit;
    };
    const row rows[] = {{K_SQUARE, square_speed},      {K_PINWHEEL, pinwheel_speed},
                        {K_DIAMOND, diamond_speed},    {K_CUBE, cube_speed},
                        {K_FRAGMENT, cube_speed - 1},  {K_SEEKER, seeker_speed},
                        {K_BUTTERFLY, butterfly_speed}};
    for (const row& r : rows) {
        enemy* e = place(make_kind(r.k, 0, 0), 500, 300);
        e->dx = 30;
        e->dy = -40;
        update_kind(r.k, e);
        EXPECT_NEAR(std::hypot(e->dx, e->dy), r.limit, 1e-4) << r.k;
        clear_kinds();
    }
    seeker* boosted = place(seeker::create(0, 0, 0, 1), 500, 300);
    boosted->dx = 50;
    boosted->update();
    EXPECT_NEAR(std::hypot(boosted->dx, boosted->dy), seeker_speed + 1, 1e-4);
}

TEST_F(enemies, the_ship_is_touched_inside_the_kinds_contact_radius) {
    struct row {
        kind_id k;
        float contact2;
    };
    const row rows[] = {{K_SQUARE, 576}, {K_PINWHEEL, 576}, {K_DIAMOND, 576},
                        {K_CUBE, 288},   {K_SEEKER, 288},   {K_BUTTERFLY, 288}};
    shield_timer = 50; // protected: the enemy stays and keeps its flag
    for (const row& r : rows) {
        for (float off : {-0.1f, 0.1f}) {
            enemy* e =
                place(make_kind(r.k, 0, 0), player_x + std::sqrt(r.contact2) + off, player_y);
            update_kind(r.k, e);
            EXPECT_EQ(e->touched, off < 0 ? 1 : 0) << r.k;
            EXPECT_EQ(enemies_alive(), 1u);
            clear_kinds();
        }
    }
    EXPECT_EQ(lives, 3);
}

TEST_F(enemies, an_enemy_swallowed_while_touching_the_ship_still_destroys_it) {
    for (kind_id k : all_kinds) {
        lives = 1;
        game_over = 0;
        place(make_kind(k, 0, 0), 300, 300);
        blackhole* h = blackhole_list.emplace();
        h->x = 303, h->y = 300, h->mass = 20;
        player_x = 300, player_y = 300;
        headless_key(27, true); // cut the death sequence short
        enemies_update();
        headless_key(27, false);
        EXPECT_EQ(lives, 0) << k;
        EXPECT_EQ(game_over, 1) << k;
        blackhole_list.clear();
        clear_kinds();
    }
}

TEST_F(enemies, an_enemy_that_destroys_the_ship_leaves_with_it) {
    lives = 1; // the last ship: no GET READY afterwards
    place(square::create(0, 0, 0), player_x + 5, player_y);
    pinwheel* later = place(pinwheel::create(0, 0, 0), 100, 100);
    headless_key(27, true); // cut the death sequence short
    enemies_update();
    headless_key(27, false);
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(game_over, 1);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(enemies_alive(), 0u);
    EXPECT_FALSE(pinwheel_list.contains(later));
    actor_lists_collect();
}

TEST_F(enemies, each_kind_bounces_off_the_walls_at_its_margin) {
    for (kind_id k : all_kinds) {
        if (k == K_FRAGMENT) continue; // its wobble moves it as well
        float margin = k == K_SQUARE ? 12 : 8;
        enemy* e = place(make_kind(k, 0, 0), 10, 500);
        e->dx = -1; // to 9: below the square's margin, not the others'
        update_kind(k, e);
        EXPECT_EQ(e->x, margin == 12 ? 10 : 9) << k;
        clear_kinds();
        e = place(make_kind(k, 0, 0), 500, 768 - 10);
        e->dy = 1;
        update_kind(k, e);
        EXPECT_EQ(e->y, margin == 12 ? 768 - 10 : 768 - 9) << k;
        clear_kinds();
    }
}

TEST_F(enemies, fragments_wobble_and_whole_cubes_do_not) {
    no_speed_limits();
    player_x = 512, player_y = 700;
    cube* whole = place(cube::create(0, 0, 0, 0), 400, 300);
    cube* frag = place(cube::create(0, 0, 4, 0), 600, 300);
    whole->angle = frag->angle = 9; // 10 after the turn: the wobble's phase is 100 degrees
    whole->update();
    frag->update();
    EXPECT_EQ(whole->x, 400);
    EXPECT_NEAR(frag->x, 600 + sin_deg(100) * 4, 1e-4);
    EXPECT_NEAR(frag->y, 300 + cos_deg(100) * 4, 1e-4);
}

// ---------------------------------------------------------------- kill template

TEST_F(enemies, a_kill_scores_times_the_multiplier_and_bursts_in_the_kinds_sparks) {
    struct row {
        kind_id k;
        int points;
        float rate;
        int sparks, r, g, b;
        float base, step; // every spark flies at base + step x i, give or take its kind's turn
        float turn;       // the kind's turn between possible directions; 0: exactly
    };
    const row rows[] = {
        {K_SQUARE, 100, 1.1f, 16, 32, 255, 32, 0, 0, 45},
        {K_PINWHEEL, 25, 1.0f, 16, 200, 64, 255, 10, 0, 45},
        {K_DIAMOND, 50, 0.98f, 16, 32, 255, 255, 0, 0, 90},
        {K_CUBE, 100, 1.0f, 16, 255, 32, 255, 10, 0, 90},
        {K_FRAGMENT, 50, 1.25f, 16, 255, 32, 255, 10, 0, 90},
        {K_SEEKER, 10, 1.0f, 16, 32, 64, 255, 10, 24, 0},
        {K_BUTTERFLY, 10, 1.0f, 9, 128, 32, 255, 10, 120, 120},
    };
    for (const row& r : rows) {
        for (int by_player : {1, 0}) {
            grid_reset();
            score = 0;
            sfx_log.clear();
            enemy* e = place(make_kind(r.k, 0, 0), 400, 200);
            e->angle = 10;
            int before = part_next;
            kill_kind(r.k, e, by_player);
            EXPECT_EQ(score, by_player * r.points * 3) << r.k;
            auto calls = played(snd_quarkhit);
            ASSERT_EQ(calls.size(), std::size_t(by_player)) << r.k;
            if (by_player) {
                EXPECT_FLOAT_EQ(calls[0].rate, r.rate) << r.k;
            }
            ASSERT_EQ(sparks_since(before), r.sparks) << r.k;
            for (int i = 0; i < r.sparks; i++) {
                const part& p = particles[before + i];
                EXPECT_EQ(p.r * 65536 + p.g * 256 + p.b, r.r * 65536 + r.g * 256 + r.b);
                float sx = p.x - p.dx, sy = p.y - p.dy; // advanced by one step
                float scatter = r.k == K_DIAMOND ? 8 : 0;
                EXPECT_LE(std::fabs(sx - 400), scatter + 1e-3f) << r.k;
                EXPECT_LE(std::fabs(sy - 200), scatter + 1e-3f) << r.k;
                float dir = atan2_deg(p.dy, p.dx) - std::trunc(r.base + r.step * float(i));
                float off = std::fmod(dir + 720.0f + 0.01f, r.turn ? r.turn : 360.0f);
                EXPECT_LT(off, 0.05f) << r.k << " spark " << i;
            }
            EXPECT_FALSE(grid_at_rest()) << r.k;
            EXPECT_EQ(enemies_alive(), r.k == K_CUBE && by_player ? 3u : 0u) << r.k;
            clear_kinds();
        }
    }
}

TEST_F(enemies, a_dead_enemy_is_not_paid_for_twice) {
    square* s = place(square::create(0, 0, 0), 300, 300);
    s->kill(1);
    s->kill(1); // still valid memory until the frame ends
    EXPECT_EQ(score, 300);
    actor_lists_collect();
}

// ---------------------------------------------------------------- draw template

TEST_F(enemies, the_outline_shrinks_and_fades_in_during_spawn_in_then_pulses) {
    draw_log.clear();
    draw_log_enabled = true;
    camera_x = 100, camera_y = 50;
    square* s = place(square::create(0, 0, 0), 400, 300);
    s->spawn_delay = 10;
    s->angle = 90;
    s->draw();
    s->spawn_delay = 0;
    s->angle = 40; // t = 40 / 16 + 0.5 = 3
    s->draw();
    diamond* d = place(diamond::create(0, 0, 0), 400, 300);
    d->spawn_delay = 10;
    d->angle = 0;
    d->draw();
    draw_log_enabled = false;
    ASSERT_EQ(draw_log.size(), 6u);
    const draw_record &in = draw_log[0], &img = draw_log[1], &on = draw_log[2];
    EXPECT_EQ(in.op, OP_POLY);
    EXPECT_FLOAT_EQ(in.alpha, 0.25f);
    EXPECT_FLOAT_EQ(in.scale_x, 2);
    EXPECT_FLOAT_EQ(in.scale_y, 2);
    EXPECT_FLOAT_EQ(in.rotation, 135);
    EXPECT_EQ(in.blend, BLEND_ALPHA);
    EXPECT_EQ(in.g, 255);
    EXPECT_EQ(img.op, OP_IMAGE);
    EXPECT_EQ(img.x, 300);
    EXPECT_EQ(img.y, 250);
    EXPECT_EQ(img.alpha, 1);
    EXPECT_EQ(img.scale_x, 1);
    EXPECT_EQ(img.blend, BLEND_LIGHT);
    EXPECT_FLOAT_EQ(img.rotation, 90);
    EXPECT_EQ(img.r + img.g + img.b, 3 * 255);
    EXPECT_FLOAT_EQ(on.alpha, 0.5f - 3.0f / 8);
    EXPECT_FLOAT_EQ(on.scale_x, 3);
    EXPECT_FLOAT_EQ(draw_log[4].scale_x, 3); // the diamond's spawn-in outline: 1 + 10 / 5
    EXPECT_FLOAT_EQ(draw_log[4].alpha, 0.25f);
}

TEST_F(enemies, the_diamond_stretches_one_way_then_the_other) {
    diamond* d = place(diamond::create(0, 0, 0), 400, 300);
    int a, b;
    const int cases[][3] = {{0, 0, 0},    {63, 0, 63},  {64, 0, 63}, {127, 0, 0},      {128, 1, 0},
                            {190, 63, 0}, {191, 64, 0}, {255, 0, 0}, {256 + 10, 0, 10}};
    for (const auto& c : cases) {
        d->angle = float(c[0]);
        d->stretch(a, b);
        EXPECT_EQ(a, c[1]) << c[0];
        EXPECT_EQ(b, c[2]) << c[0];
    }
    draw_log.clear();
    draw_log_enabled = true;
    d->angle = 48;
    d->draw();
    draw_log_enabled = false;
    ASSERT_EQ(draw_log.size(), 2u);
    EXPECT_FLOAT_EQ(draw_log[0].scale_x, 1.5f + 3); // b = 48
    EXPECT_FLOAT_EQ(draw_log[0].scale_y, 1.5f);
    EXPECT_FLOAT_EQ(draw_log[1].scale_x, 1 + 48.0f / 80);
    EXPECT_FLOAT_EQ(draw_log[1].scale_y, 1);
}

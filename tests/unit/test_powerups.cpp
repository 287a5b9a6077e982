// Power-up tokens: what each gives (and 2000 points at a limit), what drops, and what becomes
// of a token nobody takes: eaten by a hole, hatched into a generator, turned into a butterfly.
#include "enemies/generator.h"
#include "media/draw_log.h"
#include "player/powerups.h"
#include "test_enemy_env.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class tokens : public enemy_test {
  protected:
    void SetUp() override {
        enemy_test::SetUp();
        powerups_clear();
        generator_list.clear();
        powerup_duration = 16;
        cannons = 2;
        shot_speed = 3;
        bombs = 3;
        bottom_message.clear();
    }
    void TearDown() override {
        powerups_clear();
        generator_list.clear();
        enemy_test::TearDown();
    }
    // A token at rest far from the ship, past its delay.
    static powerup* token(int kind, float x = 100, float y = 100) {
        powerup* p = powerup_spawn(x, y, kind, 0);
        p->dx = p->dy = 0;
        return p;
    }
    static void take(powerup* p) {
        p->x = player_x;
        p->y = player_y;
        p->update();
    }
    static int popups() {
        int n = 0;
        score_popups.for_each([&](score_popup*) { n++; });
        return n;
    }
    // The colours the token's icon and star were drawn in.
    static void drawn_colours(powerup* p, draw_record& icon, draw_record& star) {
        draw_log.clear();
        draw_log_enabled = true;
        p->draw();
        draw_log_enabled = false;
        ASSERT_EQ(draw_log.size(), 2u);
        icon = draw_log[0];
        star = draw_log[1];
    }
};

TEST_F(tokens, an_upgrade_at_its_limit_gives_2000_points_times_the_multiplier_instead) {
    struct row {
        int kind;
        int* field;
        int limit;
    };
    const row rows[] = {{2, &cannons, 4}, {4, &lives, 10}, {5, &bombs, 9}};
    for (const row& r : rows) {
        *r.field = r.limit;
        score = 0;
        popups_clear();
        take(token(r.kind));
        EXPECT_EQ(*r.field, r.limit) << r.kind;
        EXPECT_EQ(score, 2000 * 3) << r.kind;
        EXPECT_EQ(bottom_message, "2000 Points!");
        EXPECT_EQ(bottom_message_length, 12);
        EXPECT_EQ(popups(), 1); // the text only: the points have no popup of their own
    }
    shot_speed = 5.0f;
    score = 0;
    take(token(3));
    EXPECT_EQ(shot_speed, 5.0f);
    EXPECT_EQ(score, 6000);
    // Below the limit the token gives its own thing and says so.
    bombs = 8;
    take(token(5));
    EXPECT_EQ(bombs, 9);
    EXPECT_EQ(bottom_message, "Extra Bomb");
    EXPECT_EQ(bottom_message_length, 10);
}

TEST_F(tokens, shields_add_up_to_twice_a_pick_up_at_most) {
    powerup_duration = 20; // Easy
    shield_timer = 100;
    take(token(6));
    EXPECT_EQ(shield_timer, 500);
    take(token(6));
    EXPECT_EQ(shield_timer, 800);
}

TEST_F(tokens, a_token_touched_while_it_waits_pays_out_once) {
    lives = 3;
    powerup* p = powerup_spawn(player_x, player_y, 4, 2);
    for (int i = 0; i < 4; i++) powerups_update();
    EXPECT_EQ(lives, 4);
    EXPECT_FALSE(powerups.contains(p));
}

TEST_F(tokens, a_reverse_shooter_left_alone_warns_in_purple_then_becomes_a_butterfly) {
    powerup* p = token(0, 500, 150);
    draw_record icon, star;
    for (int f = 1; f <= 400; f++) {
        p->dx = p->dy = 0; // keep it where the ship never reaches
        p->update();
        ASSERT_TRUE(powerups.contains(p)) << f;
        if (f == 300 || f == 301 || f == 360 || f == 361) {
            drawn_colours(p, icon, star);
            bool star_purple = star.r == 180 && star.g == 80 && star.b == 200;
            bool icon_purple = icon.r == 180 && icon.g == 80 && icon.b == 200;
            EXPECT_EQ(star_purple, f > 300) << f;
            EXPECT_EQ(icon_purple, f > 360) << f;
        }
    }
    EXPECT_TRUE(butterfly_list.empty());
    p->update();
    EXPECT_FALSE(powerups.contains(p));
    EXPECT_EQ(butterfly_list.size(), 1u);
}

TEST_F(tokens, two_upgrades_that_meet_after_200_frames_hatch_one_generator) {
    powerup* a = token(3, 300, 150);
    powerup* b = token(3, 316, 165); // 21.9 px apart
    for (int f = 1; f <= 200; f++) {
        a->dx = a->dy = b->dx = b->dy = 0;
        powerups_update();
    }
    EXPECT_EQ(powerups.size(), 2u);
    a->dx = a->dy = b->dx = b->dy = 0;
    powerups_update();
    EXPECT_TRUE(powerups.empty());
    ASSERT_EQ(generator_list.size(), 1u);
    EXPECT_EQ(generator_list.first()->kind, 10);
    // Weapon-timer tokens never merge.
    powerup* c = token(0, 300, 150);
    powerup* d = token(1, 305, 150);
    for (int f = 1; f <= 300; f++) {
        c->dx = c->dy = d->dx = d->dy = 0;
        powerups_update();
    }
    EXPECT_EQ(powerups.size(), 2u);
    EXPECT_EQ(generator_list.size(), 1u);
}

TEST_F(tokens, a_dormant_hole_eats_a_token_and_grows) {
    blackhole* h = blackhole_list.emplace();
    h->x = 110, h->y = 100, h->mass = 20;
    frame_count = 1;
    powerup* p = token(7);
    p->update();
    EXPECT_FALSE(powerups.contains(p));
    EXPECT_EQ(h->eaten, 1);
    EXPECT_EQ(h->mass, 21);
    EXPECT_EQ(h->active, 1);
}

TEST_F(tokens, a_token_never_drifts_faster_than_4) {
    blackhole* h = blackhole_list.emplace();
    h->x = 400, h->y = 300, h->mass = 60; // a strong pull from afar
    powerup* p = token(2, 200, 150);
    for (int f = 0; f < 150 && powerups.contains(p); f++) {
        p->dx += 3;
        p->update();
        EXPECT_LE(std::hypot(p->dx, p->dy), 4.0f + 1e-4f) << f;
    }
}

TEST_F(tokens, with_one_cannon_every_random_drop_is_an_extra_cannon) {
    cannons = 1;
    for (int i = 0; i < 50; i++) powerup_drop(-1);
    powerups.for_each([](powerup* p) { EXPECT_EQ(p->kind, 2); });
    powerups_clear();
    cannons = 4;
    shot_speed = 5;
    lives = 3;
    bombs = 3;
    int seen[9] = {};
    for (int i = 0; i < 400; i++) powerup_drop(-1);
    powerups.for_each([&](powerup* p) {
        seen[p->kind]++;
        EXPECT_GE(p->x, 400);
        EXPECT_LE(p->x, float(field_width - 400));
        EXPECT_EQ(p->delay, 2);
    });
    // Nothing forces a kind: the timers, the shield and both shot kinds all turn up.
    for (int k : {0, 1, 6, 7, 8}) EXPECT_GT(seen[k], 0) << k;
    EXPECT_EQ(seen[2] + seen[3] + seen[4] + seen[5], 0);
}

TEST_F(tokens, a_given_kind_draws_the_same_random_numbers_as_a_random_drop) {
    seed_rnd(99);
    powerup_drop(-1);
    auto after_random = rnd_state();
    seed_rnd(99);
    powerup_drop(8);
    EXPECT_EQ(rnd_state(), after_random);
    EXPECT_EQ(powerups.size(), 2u);
}

} // namespace

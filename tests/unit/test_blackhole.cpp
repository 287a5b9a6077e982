// Black holes: shot down or overloaded, what they eat, how they jostle, and a hum that never
// outlives its hole nor is shared by two.
#include "enemies/blackhole.h"
#include "media/mixer.h"
#include "player/shots.h"
#include "test_enemy_env.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class holes : public enemy_test {
  protected:
    sound made[6] = {};
    sound saved_hole_sounds[6];
    sound* hole_sounds[6] = {&snd_bondloop, &snd_sun1,   &snd_sunhit1,
                             &snd_sizzle1,  &snd_sunexp, &snd_explo1_big};

    void SetUp() override {
        enemy_test::SetUp();
        mixer_reset();
        for (channel& c : sfx_channels) c = 0;
        blackhole_channel_next = 0;
        frame_count = 1;
        // Real sounds, so the hum has a channel to follow: a loop and five short blips.
        for (int i = 0; i < 6; i++) {
            made[i] = sound_from_samples(
                std::vector<float>(i == 0 ? 4410 : 441, 0.1f * float(i + 1)), 1, MIX_RATE, i == 0);
            saved_hole_sounds[i] = *hole_sounds[i];
            *hole_sounds[i] = made[i];
        }
        sfx_volume = 1;
    }
    void TearDown() override {
        sfx_volume = 0;
        blackhole_list.for_each([](blackhole* h) { h->discard(); });
        for (int i = 0; i < 6; i++) {
            *hole_sounds[i] = saved_hole_sounds[i];
            free_sound(made[i]);
        }
        for (channel& c : sfx_channels) c = 0;
        mixer_reset();
        enemy_test::TearDown();
    }
    // A hole past its spawn-in, at rest, far from the ship.
    static blackhole* hole_at(float x, float y, float mass) {
        blackhole* h = blackhole::create(x, y, mass, 0);
        h->dx = h->dy = 0;
        return h;
    }
    static channel hum_of(const blackhole* h) { return sfx_channels[h->channel]; }
    static int shots_to_destroy(float mass) {
        blackhole* h = hole_at(200, 200, mass);
        int n = 0;
        while (blackhole_list.contains(h) && n < 100) {
            h->hit(1);
            n++;
        }
        return n;
    }
};

TEST_F(holes, shots_shrink_a_hole_until_it_bursts_for_points_that_grow_with_what_it_ate) {
    EXPECT_EQ(shots_to_destroy(10), 9); // 10 - 8 x 0.75 = 4 still stands
    EXPECT_EQ(shots_to_destroy(20), 22);
    const int eaten[] = {0, 1, 2, 3, 5, 10};
    const int points[] = {150, 155, 165, 180, 225, 425};
    for (int i = 0; i < 6; i++) {
        multiplier = 1;
        score = 0;
        blackhole* h = hole_at(200, 200, 4.5f);
        h->eaten = eaten[i];
        h->hit(1);
        EXPECT_FALSE(blackhole_list.contains(h));
        EXPECT_EQ(score, points[i]) << eaten[i];
    }
    EXPECT_EQ(played(snd_explo1_big).size(), 6u + 2u);
}

TEST_F(holes, a_shot_hits_within_the_holes_radius_before_any_other_enemy) {
    blackhole* h = hole_at(300, 300, 20); // radius 22
    place(square::create(0, 0, 0), 310, 300); // the shot is well inside the square's reach too
    shot s{300 + 21.9f, 300, 1, 0, 3};
    EXPECT_EQ(enemies_hit_by_shot(s), 1);
    EXPECT_EQ(h->active, 1);
    EXPECT_FLOAT_EQ(h->mass, 19.25f);
    EXPECT_EQ(square_list.size(), 1u);
    s.x = 322.1f;
    s.y = 320; // outside the hole, and outside the square as well
    EXPECT_EQ(enemies_hit_by_shot(s), 0);
}

TEST_F(holes, eating_too_much_overloads_into_seekers_and_butterflies_for_no_points) {
    blackhole* h = hole_at(500, 100, 63.5f);
    h->feed(1.0f);
    EXPECT_FALSE(blackhole_list.contains(h));
    EXPECT_EQ(seeker_list.size(), 16u);
    EXPECT_EQ(butterfly_list.size(), 18u);
    seeker_list.for_each([](seeker* s) {
        EXPECT_EQ(s->boost, 1);
        EXPECT_EQ(s->spawn_delay, 2);
    });
    EXPECT_EQ(score, 0);
    EXPECT_EQ(played(snd_sunexp).size(), 1u);
    EXPECT_TRUE(played(snd_sizzle1).empty());
}

TEST_F(holes, holes_grow_faster_the_longer_the_game_has_run) {
    const int frames[] = {14999, 15000, 75000, 200000};
    const float growth[] = {1, 2, 6, 6};
    for (int i = 0; i < 4; i++) {
        frame_count = frames[i];
        blackhole* h = hole_at(500, 100, 20);
        h->feed(1.0f);
        EXPECT_EQ(h->mass, 20 + growth[i]) << frames[i];
        EXPECT_EQ(h->eaten, 1);
        h->discard();
    }
}

TEST_F(holes, equal_holes_attract_until_they_overlap_then_push_apart) {
    blackhole* a = hole_at(200, 100, 20);
    blackhole* b = hole_at(300, 100, 20); // 100 px: inside 2 x 20 + 2 x 20 + 64
    a->repel();
    EXPECT_NEAR(a->dx, 1, 1e-4); // k = 1 toward the other
    EXPECT_NEAR(a->dy, 0, 1e-4);
    a->dx = 0;
    b->x = 230; // 30 px: overlapping
    a->repel();
    EXPECT_NEAR(a->dx, -1, 1e-4);
    EXPECT_NEAR(a->dy, 0.25f, 1e-4); // the twist uses the new ax
    b->x = 345;                      // 145 px: out of reach
    a->dx = a->dy = 0;
    a->repel();
    EXPECT_EQ(a->dx, 0);
}

TEST_F(holes, a_fifth_hole_is_refused_silently) {
    for (int i = 0; i < 4; i++)
        ASSERT_NE(blackhole::create(100 + 200 * float(i), 100, 20, 0), nullptr);
    sfx_log.clear();
    EXPECT_EQ(blackhole::create(900, 600, 20, 0), nullptr);
    EXPECT_EQ(blackhole_list.size(), 4u);
    EXPECT_TRUE(sfx_log.empty());
}

TEST_F(holes, a_hole_stays_on_a_protected_ship_and_goes_with_an_unprotected_one) {
    blackhole* h = hole_at(0, 0, 20);
    h->x = player_x + 20, h->y = player_y;
    shield_timer = 50;
    h->update();
    EXPECT_EQ(h->touched, 1);
    EXPECT_TRUE(blackhole_list.contains(h));
    EXPECT_EQ(lives, 3);
    shield_timer = 0;
    lives = 1;
    headless_key(27, true); // cut the death sequence short
    h->update();
    headless_key(27, false);
    EXPECT_FALSE(blackhole_list.contains(h));
    EXPECT_EQ(lives, 0);
}

TEST_F(holes, the_bomb_clears_every_hole_however_large_for_no_points) {
    blackhole* big = hole_at(300, 300, 60);
    big->eaten = 30;
    hole_at(700, 300, 20); // dormant
    bombs = 1;
    smart_bomb();
    EXPECT_TRUE(blackhole_list.empty());
    EXPECT_EQ(score, 0);
    EXPECT_EQ(played(snd_explo1_big).size(), 2u);
}

TEST_F(holes, only_an_active_hole_pulls_the_grid_and_sparks) {
    blackhole* h = hole_at(512, 384, 20);
    h->angle = 5; // the next frame is a sixth
    int before = part_next;
    h->update();
    EXPECT_TRUE(grid_at_rest());
    EXPECT_EQ(sparks_since(before), 0);
    h->active = 1;
    h->angle = 5;
    h->update();
    EXPECT_FALSE(grid_at_rest());
    EXPECT_EQ(sparks_since(before), 8);
}

TEST_F(holes, a_hum_lives_exactly_as_long_as_its_hole) {
    // Shot down.
    blackhole* a = hole_at(300, 100, 5);
    EXPECT_EQ(hum_of(a), 0); // dormant: silent
    a->hit(1);
    channel ha = hum_of(a);
    EXPECT_TRUE(channel_playing(ha));
    a->hit(1);
    EXPECT_FALSE(blackhole_list.contains(a));
    EXPECT_FALSE(channel_playing(ha));
    // Overloaded.
    blackhole* b = hole_at(300, 100, 63);
    b->feed(0.5f);
    channel hb = hum_of(b);
    EXPECT_TRUE(channel_playing(hb));
    b->feed(1);
    EXPECT_FALSE(blackhole_list.contains(b));
    EXPECT_FALSE(channel_playing(hb));
    // Cleared with the board.
    blackhole* c = hole_at(300, 100, 20);
    c->hit(1);
    channel hc = hum_of(c);
    EXPECT_TRUE(channel_playing(hc));
    enemies_clear(1);
    EXPECT_FALSE(channel_playing(hc));
    for (channel slot : sfx_channels) EXPECT_EQ(slot, 0);
}

TEST_F(holes, a_living_hole_keeps_its_hum_however_many_holes_come_after_it) {
    blackhole* old = hole_at(100, 100, 20);
    old->hit(1);
    channel mine = hum_of(old);
    // Nine more holes come and go while the first lives: the rotation wraps past its slot.
    for (int i = 0; i < 9; i++) {
        blackhole* h = hole_at(700, 500, 20);
        ASSERT_NE(h, nullptr);
        EXPECT_NE(h->channel, old->channel);
        h->hit(1);
        EXPECT_NE(hum_of(h), mine);
        h->hit(0);
    }
    EXPECT_EQ(hum_of(old), mine);
    EXPECT_TRUE(channel_playing(mine));
    old->hit(0);
    EXPECT_FALSE(channel_playing(mine));
}

} // namespace

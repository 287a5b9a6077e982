// The spark pool: ring overwrite, lives, walls, fading, black-hole gravity and drawing.
#include "playfield/particles.h"

#include "enemies/blackhole.h"
#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "support/headless_env.h"

#include <cmath>

namespace {

class sparks : public media_test {
  protected:
    void SetUp() override {
        media_test::SetUp();
        seed_rnd(1234);
        screen_width = 1024;
        screen_height = 768;
        field_width = 1024;
        field_height = 768;
        camera_x = camera_y = 0;
        particle_count = 2048;
        particle_life = 40;
        particle_decay = 0.95f;
        particle_style = 0;
        part_init();
    }
    void TearDown() override {
        blackhole_list.clear();
        actor_lists_collect();
        draw_log_enabled = false;
        draw_log.clear();
        particle_count = 2048;
        particle_life = 40;
        part_clear();
        media_test::TearDown();
    }
    // A spark placed by hand in slot i.
    static part& put(int i, float x, float y, float dx, float dy, int life = 30) {
        part& p = particles[i];
        p = part{};
        p.x = x;
        p.y = y;
        p.dx = dx;
        p.dy = dy;
        p.r = p.g = p.b = 200;
        p.life = life;
        return p;
    }
    static float speed(const part& p) { return std::sqrt(p.dx * p.dx + p.dy * p.dy); }
};

TEST_F(sparks, spawning_past_the_count_overwrites_the_oldest_slot) {
    particle_count = 16;
    for (int i = 0; i < 16; i++) part_spawn(100, 100, 2, 255, 0, 0, 0, 1);
    EXPECT_EQ(part_next, 0);
    part_spawn(500, 300, 2, 0, 255, 0, 90, 1);
    EXPECT_EQ(part_next, 1);
    EXPECT_NEAR(particles[0].x, 500, 1e-4); // straight down: the x stays
    EXPECT_NEAR(particles[0].y, 316, 1e-4); // one step of 16 out
    EXPECT_EQ(particles[0].g, 255);
    EXPECT_EQ(particles[16].life, 0); // beyond the count nothing is touched
}

TEST_F(sparks, a_count_beyond_the_pool_never_reaches_past_it) {
    particle_count = 25000; // a hand-edited settings file
    part_next = PARTICLE_MAX - 1;
    part_spawn(10, 10, 0, 255, 255, 255, 0, 1);
    EXPECT_EQ(part_next, 0);
    part_update_all(0);
    particle_count = -3;
    part_spawn(10, 10, 0, 255, 255, 255, 0, 1);
    EXPECT_EQ(part_next, 0);
    part_update_all(0);
    part_draw_all();
}

TEST_F(sparks, lives_span_the_twenty_below_the_setting_and_a_dead_spark_stays_put) {
    particle_life = 20;
    int lo = 99, hi = -1;
    for (int i = 0; i < 2000; i++) {
        part_spawn(100, 100, 0, 255, 255, 255, 0, 1);
        int l = particles[(part_next + particle_count - 1) % particle_count].life;
        lo = std::min(lo, l);
        hi = std::max(hi, l);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 20);

    part_clear();
    part& p = put(0, 100, 100, 3, 0, 0);
    part_update_all(0);
    EXPECT_EQ(p.x, 100.0f);
    draw_log_enabled = true;
    part_draw_all();
    EXPECT_TRUE(draw_log.empty());
}

TEST_F(sparks, a_ring_spark_lives_exactly_24_updates) {
    particle_life = 200;
    part_spawn(500, 400, 1, 255, 255, 255, 45, 1);
    EXPECT_NEAR(speed(particles[0]), 32, 1e-3);
    for (int i = 0; i < 23; i++) part_update_all(0);
    EXPECT_EQ(particles[0].life, 1);
    part_update_all(0);
    EXPECT_EQ(particles[0].life, 0);
}

TEST_F(sparks, burst_kinds_fly_along_their_spokes_at_their_speeds) {
    for (int i = 0; i < 200; i++) {
        part_clear();
        part_spawn(500, 400, 3, 255, 255, 255, 10.7f, 0);
        const part& p = particles[0];
        float a = atan2_deg(p.dy, p.dx);
        float from10 = std::fmod(a - 10.0f + 720.0f, 90.0f); // trunc(10.7 + 90 k)
        EXPECT_TRUE(from10 < 0.01f || from10 > 89.99f) << a;
        EXPECT_GE(speed(p), 6.0f - 1e-3f);
        EXPECT_LT(speed(p), 20.0f);
        EXPECT_EQ(p.x, 500.0f); // advance 0 leaves it at the origin
    }
    part_spawn(0, 0, 7, 1, 1, 1, 30, 1);
    EXPECT_GE(speed(particles[1]), 1.0f - 1e-4f);
    EXPECT_LT(speed(particles[1]), 2.0f);
}

TEST_F(sparks, walls_flip_by_the_velocity_before_the_flip) {
    particle_decay = 1.0f;
    part& right = put(0, -1, 300, 3, 0); // x 2 after the move, below dx: flips
    part& left = put(2, 1, 300, -2, 0);  // x -1 after the move, not below dx -2: keeps going
    part& far = put(4, 1019, 300, 3, 0); // 1022 > 1023 - 3
    part& down = put(6, 500, 765, 0, 2); // 767 > 767 - 2
    part_update_all(0);
    EXPECT_EQ(right.dx, -3.0f);
    EXPECT_EQ(right.x, -4.0f);
    EXPECT_EQ(left.dx, -2.0f);
    EXPECT_EQ(left.x, -1.0f);
    EXPECT_EQ(far.dx, -3.0f);
    EXPECT_EQ(far.x, 1016.0f);
    EXPECT_EQ(down.dy, -2.0f);
    EXPECT_EQ(down.y, 763.0f);

    // The attract screens bound sparks by the screen, not the playfield.
    field_width = 2048;
    part& s = put(8, 1019, 300, 3, 0);
    part_update_all(1);
    EXPECT_EQ(s.dx, -3.0f);
    part& f = put(10, 1019, 300, 3, 0);
    part_update_all(0);
    EXPECT_EQ(f.dx, 3.0f);
}

TEST_F(sparks, colours_fade_over_the_last_twenty_updates_and_never_brighten) {
    part& p = put(0, 500, 400, 1, 1, 21);
    p.r = 255;
    p.g = 100;
    p.b = 7;
    int r = p.r, g = p.g, b = p.b;
    part_update_all(0); // life 20: not yet
    EXPECT_EQ(p.r, 255);
    part_update_all(0); // 19: slow fade
    EXPECT_EQ(p.r, 247);
    EXPECT_EQ(p.g, 97);
    while (p.life > 0) {
        part_update_all(0);
        EXPECT_LE(p.r, r);
        EXPECT_LE(p.g, g);
        EXPECT_LE(p.b, b);
        r = p.r, g = p.g, b = p.b;
    }
    EXPECT_LT(p.r, 40); // ten fast steps of 0.8 after ten slow ones of 0.97

    // Drawing brightens by 1.25 but caps at 255 and leaves the stored colour alone.
    part& q = put(2, 100, 100, 1, 0);
    q.r = 250;
    q.g = 100;
    q.b = 0;
    draw_log_enabled = true;
    part_draw_all();
    ASSERT_EQ(draw_log.size(), 1u);
    EXPECT_EQ(draw_log[0].r, 255);
    EXPECT_EQ(draw_log[0].g, 125);
    EXPECT_EQ(q.r, 250);
}

TEST_F(sparks, active_holes_pull_only_even_slots_and_only_nearby) {
    blackhole* h = blackhole_list.emplace();
    h->centre_x = 500;
    h->centre_y = 400;
    h->mass = 20; // reach 200 px, core 44 px
    h->active = 1;
    part& even = put(0, 600, 400, 0, 0);
    part& odd = put(1, 600, 400, 0, 0);
    part& far = put(2, 800, 400, 0, 0);
    part& core = put(4, 510, 400, 2, 0);
    part& fast = put(6, 400, 400, 20, 0);
    part_gravity();
    EXPECT_FLOAT_EQ(even.dx, -0.5f);
    EXPECT_EQ(odd.dx, 0.0f);
    EXPECT_EQ(far.dx, 0.0f);
    EXPECT_EQ(core.life, 34);
    EXPECT_FLOAT_EQ(core.dx, 2.09f);
    EXPECT_NEAR(speed(fast), 1.0f, 1e-5); // 20.5 is over 15: cut to speed 1

    h->active = 0;
    part_gravity();
    EXPECT_FLOAT_EQ(even.dx, -0.5f);
    EXPECT_EQ(core.life, 34);
}

TEST_F(sparks, fireworks_are_64_sparks_of_one_colour_from_one_point) {
    particle_count = 64;
    part_fireworks(2);
    for (int i = 0; i < 64; i++) {
        const part& p = particles[i];
        EXPECT_NEAR(p.x - p.dx, 512, 1e-3);
        EXPECT_NEAR(p.y - p.dy, 384, 1e-3);
        EXPECT_EQ(p.r, particles[0].r);
        EXPECT_EQ(p.r % 64, 0);
    }
    for (int n = 0; n < 50; n++) {
        part_fireworks(1); // near one of the four edges
        float x = particles[0].x - particles[0].dx, y = particles[0].y - particles[0].dy;
        auto at = [](float v, float want) { return std::fabs(v - want) < 1e-3f; };
        bool edge = at(x, 16) || at(x, 1008) || at(y, 16) || at(y, 752);
        EXPECT_TRUE(edge) << x << ", " << y;
    }
}

TEST_F(sparks, every_style_draws_live_sparks_in_one_batch) {
    image img = create_image(8, 8, 1);
    image saved = img_particle;
    img_particle = img;
    for (int i = 0; i < 100; i++) put(i, float(10 * i), 300, 2, 1);
    for (int style = 0; style < 4; style++) {
        particle_style = style;
        batch_flush();
        headless_reset_stats();
        part_draw_all();
        flip();
        EXPECT_EQ(headless_stats().draw_calls, 1) << "style " << style;
        float sx, sy;
        get_scale(sx, sy);
        EXPECT_EQ(sx, 1.0f);
        EXPECT_EQ(get_rotation(), 0.0f);
    }
    draw_log_enabled = true;
    particle_style = 3; // a streak along the motion, half a step behind
    part_draw_all();
    ASSERT_EQ(draw_log.size(), 100u);
    EXPECT_NEAR(draw_log[0].rotation, atan2_deg(-1, -2), 1e-4);
    EXPECT_NEAR(draw_log[0].scale_x, std::sqrt(5.0f) * 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(draw_log[0].x, -1);
    draw_log.clear();
    particle_style = 4;
    part_draw_all();
    EXPECT_TRUE(draw_log.empty());
    img_particle = saved;
    free_image(img);
}

} // namespace

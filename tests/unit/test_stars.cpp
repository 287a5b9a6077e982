// Star parallax and brightness, the star count, and the life of an exhaust trail.
#include "playfield/stars.h"

#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "support/headless_env.h"

namespace {

class starfield : public media_test {
  protected:
    void SetUp() override {
        media_test::SetUp();
        seed_rnd(99);
        screen_width = 1024;
        screen_height = 768;
        field_width = 1600;
        field_height = 600;
        camera_x = camera_y = 0;
        show_stars = 300;
        draw_log.clear();
        draw_log_enabled = true;
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        trails_clear();
        actor_lists_collect();
        camera_x = camera_y = 0;
        show_stars = 300;
        media_test::TearDown();
    }
};

TEST_F(starfield, stars_cover_the_larger_of_field_and_screen_in_eight_depth_layers) {
    stars_init();
    int max_x = -1000, max_y = -1000, min_x = 1000, min_y = 1000;
    for (int i = 0; i <= STAR_LAST; i++) {
        max_x = std::max(max_x, star_x[i]);
        max_y = std::max(max_y, star_y[i]);
        min_x = std::min(min_x, star_x[i]);
        min_y = std::min(min_y, star_y[i]);
    }
    EXPECT_GE(min_x, -100);
    EXPECT_LE(max_x, 1700); // the field is wider than the screen
    EXPECT_GT(max_x, 1500);
    EXPECT_LE(max_y, 868); // the screen is taller than the field
    EXPECT_GT(max_y, 750);
    EXPECT_EQ(star_depth[0], 2.0f);
    EXPECT_EQ(star_depth[7], 3.75f);
    EXPECT_EQ(star_depth[8], 2.0f);
}

TEST_F(starfield, the_count_is_the_last_star_drawn) {
    stars_init();
    show_stars = 1000;
    stars_draw();
    EXPECT_EQ(draw_log.size(), 1001u);
    draw_log.clear();
    show_stars = 0;
    stars_draw();
    EXPECT_TRUE(draw_log.empty());
    show_stars = 5000; // more than there are: all of them, no more
    stars_draw();
    EXPECT_EQ(draw_log.size(), 1001u);
    draw_log.clear();
    show_stars = 7;
    stars_draw();
    EXPECT_EQ(draw_log.size(), 8u);
}

TEST_F(starfield, far_stars_are_dimmer_and_scroll_slower) {
    stars_init();
    show_stars = 7;
    star_x[0] = 300, star_y[0] = 200; // depth 2.0
    star_x[7] = 300, star_y[7] = 200; // depth 3.75
    stars_draw();
    ASSERT_EQ(draw_log.size(), 8u);
    EXPECT_EQ(draw_log[0].x, 300.0f);
    EXPECT_EQ(draw_log[0].r, 240);
    EXPECT_EQ(draw_log[7].r, 128);
    EXPECT_EQ(draw_log[0].scale_x, 2.0f);
    EXPECT_FLOAT_EQ(draw_log[0].alpha, 0.8f);
    EXPECT_EQ(draw_log[0].blend, BLEND_LIGHT);
    draw_log.clear();
    camera_x = 100;
    camera_y = -100;
    stars_draw();
    EXPECT_FLOAT_EQ(draw_log[0].x, 250.0f);
    EXPECT_FLOAT_EQ(draw_log[0].y, 250.0f);
    EXPECT_NEAR(draw_log[7].x, 300.0f - 26.6667f, 1e-3);
    float sx, sy;
    get_scale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    EXPECT_EQ(get_alpha(), 1.0f);
}

TEST_F(starfield, a_trail_hangs_for_15_updates_then_drifts_fades_and_goes) {
    trail_spawn(100, 50, 245, 245, 100, 3, -1);
    ASSERT_EQ(trails.size(), 1u);
    trail* t = trails.first();
    for (int i = 0; i < 15; i++) trails_update();
    EXPECT_EQ(t->r, 245);
    EXPECT_EQ(t->b, 100);
    EXPECT_EQ(t->x, 100.0f);
    trails_update();
    EXPECT_EQ(t->r, 222);
    EXPECT_EQ(t->g, 215);
    EXPECT_EQ(t->b, 86);
    EXPECT_EQ(t->x, 103.0f);
    EXPECT_EQ(t->y, 49.0f);
    for (int i = 16; i < 39; i++) trails_update();
    EXPECT_EQ(trails.size(), 1u);
    trails_update(); // the 40th
    EXPECT_EQ(trails.size(), 0u);
}

TEST_F(starfield, trails_draw_as_doubled_streaks_from_the_camera) {
    trail_spawn(100, 50, 10, 20, 30, 3, -1);
    trail_spawn(200, 60, 1, 2, 3, 0, 0);
    camera_x = 40;
    trails_draw();
    ASSERT_EQ(draw_log.size(), 2u);
    EXPECT_EQ(draw_log[0].op, OP_LINE);
    EXPECT_EQ(draw_log[0].x, 60.0f);
    EXPECT_EQ(draw_log[0].x2, 63.0f);
    EXPECT_EQ(draw_log[0].y2, 49.0f);
    EXPECT_EQ(draw_log[0].scale_x, 2.0f);
    EXPECT_EQ(draw_log[1].g, 2);
    trails_clear();
    EXPECT_TRUE(trails.empty());
}

} // namespace

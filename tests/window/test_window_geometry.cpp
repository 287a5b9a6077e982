// Where things land on a real screen: points, rotation, image handles, strips, line width,
// text and the viewport.
#include "window_fixture.h"

#include <algorithm>

namespace {
using geometry = window_test;

int lit_rows_in_column(const frame& f, int x) {
    int n = 0;
    for (int y = 0; y < SCREEN_H; ++y) n += f.lit(x, y);
    return n;
}

TEST_F(geometry, a_plotted_point_lights_exactly_its_pixel) {
    plot(5, 7);
    plot(SCREEN_W - 1, SCREEN_H - 1);
    frame f = snap();
    EXPECT_TRUE(f.lit(5, 7));
    EXPECT_FALSE(f.lit(4, 7) || f.lit(6, 7) || f.lit(5, 6) || f.lit(5, 8));
    EXPECT_TRUE(f.lit(SCREEN_W - 1, SCREEN_H - 1));
}

TEST_F(geometry, positive_rotation_turns_clockwise_about_the_reference_point) {
    set_rotation(90);
    draw_rect(100, 100, 40, 4); // would run right from (100, 100) unrotated
    set_rotation(0);
    frame f = snap();
    EXPECT_TRUE(f.lit(98, 110));
    EXPECT_TRUE(f.lit(98, 138));
    EXPECT_FALSE(f.lit(120, 102)) << "not drawn where it would be unrotated";
    EXPECT_FALSE(f.lit(98, 90)) << "must extend down, not up";
    EXPECT_FALSE(f.lit(102, 120)) << "its 4 pixel width lies left of the point";
}

TEST_F(geometry, images_are_drawn_about_their_centre_and_scaled_about_it) {
    std::string path = picture("square.png", 20, 20, [](int, int) {
        return std::array<int, 4>{255, 255, 255, 255};
    });
    image sq = load_image(path);
    ASSERT_NE(sq, nullptr);
    draw_image(sq, 100, 100);
    set_scale(2, 1);
    draw_image(sq, 200, 100);
    set_scale(1, 1);
    frame f = snap();
    EXPECT_TRUE(f.lit(90, 90) && f.lit(109, 109));
    EXPECT_FALSE(f.lit(88, 100) || f.lit(111, 100) || f.lit(100, 88) || f.lit(100, 111));
    EXPECT_TRUE(f.lit(181, 100) && f.lit(218, 100));
    EXPECT_FALSE(f.lit(178, 100) || f.lit(221, 100) || f.lit(200, 88));
    free_image(sq);
}

TEST_F(geometry, strip_frames_are_cut_left_to_right_then_top_to_bottom) {
    const rgb colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    // A 2 x 2 sheet of 8 x 8 cells.
    std::string path = picture("strip.png", 16, 16, [&](int x, int y) {
        const rgb& c = colours[(y / 8) * 2 + x / 8];
        return std::array<int, 4>{c[0], c[1], c[2], 255};
    });
    image strip = load_anim_image(path, 8, 8, 0, 4);
    image tail = load_anim_image(path, 8, 8, 1, 3);
    ASSERT_NE(strip, nullptr);
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(image_width(strip), 8);
    for (int k = 0; k < 4; ++k) draw_image(strip, 20.0f + 20 * k, 20, k);
    for (int k = 0; k < 3; ++k) draw_image(tail, 20.0f + 20 * k, 60, k);
    frame f = snap();
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(near(f.at(20 + 20 * k, 20), colours[k])) << k;
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(near(f.at(20 + 20 * k, 60), colours[k + 1])) << k;
    free_image(strip);
    free_image(tail);
}

TEST_F(geometry, line_width_sets_the_thickness_of_lines) {
    draw_line(20, 50, 300, 50);
    set_line_width(5);
    draw_line(20, 150, 300, 150);
    set_line_width(1);
    frame f = snap();
    EXPECT_EQ(lit_rows_in_column(f, 100), 1 + 5);
    EXPECT_TRUE(f.lit(100, 50));
    EXPECT_TRUE(f.lit(100, 148) && f.lit(100, 152));
}

TEST_F(geometry, text_lights_pixels_only_inside_its_cells) {
    draw_text("HI8", 40, 100);
    frame f = snap();
    int inside = 0, outside = 0;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            bool in_box = x >= 40 && x < 40 + 3 * 8 && y >= 100 && y < 116;
            (in_box ? inside : outside) += f.lit(x, y);
        }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(text_width("HI8"), 24);
}

TEST_F(geometry, the_viewport_clips_drawing_to_its_rectangle) {
    set_viewport(10, 20, 30, 40);
    fill(0, 0, SCREEN_W, SCREEN_H, 255, 0, 0);
    set_viewport(0, 0, SCREEN_W, SCREEN_H);
    fill(200, 200, 10, 10, 0, 255, 0);
    frame f = snap();
    EXPECT_TRUE(f.lit(10, 20) && f.lit(39, 59));
    EXPECT_FALSE(f.lit(9, 30) || f.lit(40, 30) || f.lit(20, 19) || f.lit(20, 60));
    EXPECT_FALSE(f.lit(20, 200)) << "the clip rectangle counts rows from the top";
    EXPECT_TRUE(near(f.at(205, 205), {0, 255, 0})) << "a whole-screen viewport clips nothing";
}

TEST_F(geometry, clearing_fills_the_whole_screen_whatever_the_viewport) {
    set_viewport(0, 0, 10, 10);
    set_clear_color(0, 40, 80);
    clear_screen();
    set_viewport(0, 0, SCREEN_W, SCREEN_H);
    frame f = snap();
    EXPECT_TRUE(near(f.at(0, 0), {0, 40, 80}));
    EXPECT_TRUE(near(f.at(SCREEN_W - 1, SCREEN_H - 1), {0, 40, 80}));
}

} // namespace

// Opening, re-opening and reading the display; grabbing the screen into images; batching.
#include "window_fixture.h"

#include "media/sdl/sdl_stats.h"

#include <cstdio>
#include <string>

namespace {
using display = window_test;

TEST_F(display, a_desktop_gets_the_core_profile_it_asks_for_first) {
    std::string name = sdl_context_name();
    printf("context: %s\n", name.c_str());
    EXPECT_EQ(name.rfind("OpenGL 3.3 core (", 0), 0u) << name;
}

TEST_F(display, grabbed_screen_keeps_its_orientation_in_the_image) {
    // Quadrants red, green / blue, white of a 16 x 16 square at (100, 100).
    fill(100, 100, 8, 8, 255, 0, 0);
    fill(108, 100, 8, 8, 0, 255, 0);
    fill(100, 108, 8, 8, 0, 0, 255);
    fill(108, 108, 8, 8, 255, 255, 255);
    image copy = create_image(16, 16, 2);
    ASSERT_NE(copy, nullptr);
    grab_image(copy, 100, 100, 1);
    clear_screen();
    set_color(255, 255, 255);
    draw_image(copy, 48, 48, 1); // covers 40..55
    frame f = snap();
    EXPECT_TRUE(near(f.at(43, 43), {255, 0, 0}));
    EXPECT_TRUE(near(f.at(52, 43), {0, 255, 0}));
    EXPECT_TRUE(near(f.at(43, 52), {0, 0, 255}));
    EXPECT_TRUE(near(f.at(52, 52), {255, 255, 255}));
    draw_image(copy, 148, 48, 0); // frame 0 was never grabbed
    EXPECT_FALSE(snap().lit(148, 48));
    free_image(copy);
}

TEST_F(display, a_grabbed_image_drawn_small_shows_the_grab_too) {
    fill(100, 100, 32, 32, 255, 0, 0);
    image copy = create_image(32, 32, 1);
    ASSERT_NE(copy, nullptr);
    grab_image(copy, 100, 100);
    clear_screen();
    set_color(255, 255, 255);
    set_scale(0.25f, 0.25f); // drawn from the smaller mip-map levels
    draw_image(copy, 50, 50);
    set_scale(1, 1);
    EXPECT_GT(snap().at(50, 50)[0], 200);
    free_image(copy);
}

TEST_F(display, reopening_at_another_size_keeps_images_and_the_pixel_grid) {
    std::string path = picture("dot.png", 8, 8, [](int, int) {
        return std::array<int, 4>{0, 255, 0, 255};
    });
    image dot = load_image(path);
    ASSERT_NE(dot, nullptr);

    ASSERT_TRUE(display_open(400, 300, 0, 60));
    EXPECT_EQ(display_width(), 400);
    EXPECT_EQ(display_height(), 300);
    clear_screen();
    draw_image(dot, 390, 290);
    plot(0, 0);
    std::vector<uint8_t> px = read_pixels(386, 286, 14, 14);
    ASSERT_EQ(px.size(), 14u * 14 * 4);
    EXPECT_EQ(px[(4 * 14 + 4) * 4 + 1], 255) << "image texture survives the re-open";
    std::vector<uint8_t> corner = read_pixels(0, 0, 1, 1);
    EXPECT_EQ(corner[0], 255) << "origin stays top left";

    ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    free_image(dot);
}

TEST_F(display, full_screen_at_a_size_no_mode_lists_covers_the_desktop_in_the_games_pixels) {
    std::vector<display_mode> modes = display_modes();
    ASSERT_FALSE(modes.empty());
    for (const display_mode& m : modes) {
        EXPECT_GT(m.width, 0);
        EXPECT_GT(m.height, 0);
        EXPECT_TRUE(m.depth == 16 || m.depth == 32) << m.depth;
    }
    int dw = 0, dh = 0;
    desktop_size(dw, dh);
    EXPECT_GT(dw, 0);
    EXPECT_GT(dh, 0);

    // No monitor lists 1234 x 567; full screen never switches modes, so it opens anyway.
    ASSERT_TRUE(display_open(1234, 567, 32, 60));
    EXPECT_TRUE(display_is_open());
    EXPECT_EQ(display_width(), 1234);
    EXPECT_EQ(display_height(), 567);
    set_clear_color(0, 0, 0);
    clear_screen();
    set_color(255, 255, 255);
    draw_rect(1200, 500, 34, 67); // the game's bottom-right corner
    std::vector<uint8_t> px = read_pixels(1233, 566, 1, 1);
    ASSERT_EQ(px.size(), 4u);
    EXPECT_EQ(px[0], 255);
    set_color(255, 255, 255);
    ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    EXPECT_TRUE(display_is_open());
}

TEST_F(display, full_screen_at_a_listed_mode_then_back_to_a_window) {
    display_mode m = display_modes().front();
    ASSERT_TRUE(display_open(m.width, m.height, m.depth, m.hertz));
    EXPECT_EQ(display_width(), m.width);
    clear_screen();
    fill(m.width - 10, m.height - 10, 10, 10, 255, 255, 255);
    std::vector<uint8_t> px = read_pixels(m.width - 5, m.height - 5, 1, 1);
    EXPECT_EQ(px[0], 255);
    ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    EXPECT_EQ(display_width(), SCREEN_W);
}

TEST_F(display, reading_beyond_the_screen_gives_zeros_there) {
    set_clear_color(255, 255, 255);
    clear_screen();
    std::vector<uint8_t> px = read_pixels(-1, -1, 2, 2);
    ASSERT_EQ(px.size(), 16u);
    EXPECT_EQ(px[0], 0);                 // (-1, -1)
    EXPECT_EQ(px[(1 * 2 + 1) * 4], 255); // (0, 0)
    EXPECT_TRUE(read_pixels(0, 0, 0, 5).empty());
}

TEST_F(display, drawing_in_one_state_is_one_gl_draw_and_each_state_change_adds_one) {
    read_pixels(0, 0, 1, 1);
    sdl_reset_draw_calls();
    for (int i = 0; i < 200; ++i) fill(i % 300, i % 200, 4, 4, i, 255 - i, 0);
    read_pixels(0, 0, 1, 1);
    EXPECT_EQ(sdl_draw_calls(), 1);

    sdl_reset_draw_calls();
    for (int i = 0; i < 10; ++i) {
        set_blend(i % 2 ? BLEND_LIGHT : BLEND_ALPHA);
        fill(i * 10, 0, 4, 4, 255, 255, 255);
    }
    read_pixels(0, 0, 1, 1);
    EXPECT_EQ(sdl_draw_calls(), 10);
}

} // namespace

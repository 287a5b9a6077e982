// Each blend mode against what is already on the screen, read back from a real GL window.
#include "window_fixture.h"

namespace {
using blending = window_test;

TEST_F(blending, each_mode_combines_source_and_screen_as_documented) {
    fill(0, 0, 40, 40, 0, 0, 255);       // solid over blue
    fill(40, 0, 40, 40, 0, 0, 255);      // alpha over blue
    fill(80, 0, 40, 40, 50, 50, 50);     // light over grey
    fill(120, 0, 40, 40, 50, 50, 50);    // half-light over grey
    fill(160, 0, 40, 40, 200, 200, 200); // shade over light grey

    set_alpha(0.5f);
    set_blend(BLEND_SOLID);
    fill(10, 10, 20, 20, 255, 0, 0);
    set_blend(BLEND_ALPHA);
    fill(50, 10, 20, 20, 255, 0, 0);
    set_alpha(1);
    set_blend(BLEND_LIGHT);
    fill(90, 10, 20, 20, 100, 50, 0);
    set_alpha(0.5f);
    fill(130, 10, 20, 20, 200, 0, 0);
    set_alpha(1);
    set_blend(BLEND_SHADE);
    fill(170, 10, 20, 20, 128, 255, 64);

    frame f = snap();
    EXPECT_TRUE(near(f.at(20, 20), {255, 0, 0})) << "solid ignores alpha";
    EXPECT_TRUE(near(f.at(5, 5), {0, 0, 255}));
    EXPECT_TRUE(near(f.at(60, 20), {128, 0, 128})) << "alpha mixes by source alpha";
    EXPECT_TRUE(near(f.at(100, 20), {150, 100, 50})) << "light adds";
    EXPECT_TRUE(near(f.at(140, 20), {150, 50, 50})) << "light adds source times alpha";
    EXPECT_TRUE(near(f.at(180, 20), {100, 200, 50})) << "shade multiplies";
    EXPECT_TRUE(near(f.at(165, 5), {200, 200, 200}));
}

TEST_F(blending, mask_drops_image_pixels_below_half_alpha_and_solid_keeps_them) {
    // Red columns whose alpha climbs from 0 to 255 left to right.
    std::string path = picture("ramp.png", 16, 8, [](int x, int) {
        return std::array<int, 4>{255, 0, 0, x * 17};
    });
    image ramp = load_image(path);
    ASSERT_NE(ramp, nullptr);
    fill(0, 0, SCREEN_W, 60, 0, 0, 255);
    set_color(255, 255, 255);
    set_blend(BLEND_MASK);
    draw_image(ramp, 40, 20); // covers x 32..47
    set_blend(BLEND_SOLID);
    draw_image(ramp, 100, 20); // covers x 92..107

    frame f = snap();
    for (int c = 0; c < 16; ++c) {
        if (c == 7 || c == 8) continue; // either side of the threshold, filtered
        rgb want = c < 7 ? rgb{0, 0, 255} : rgb{255, 0, 0};
        EXPECT_TRUE(near(f.at(32 + c, 20), want)) << "mask, column " << c;
        EXPECT_EQ(f.at(92 + c, 20)[0], 255) << "solid, column " << c;
    }
    free_image(ramp);
}

TEST_F(blending, image_colour_is_tinted_by_the_current_colour) {
    std::string path = picture("white.png", 8, 8, [](int, int) {
        return std::array<int, 4>{255, 255, 255, 255};
    });
    image white = load_image(path);
    ASSERT_NE(white, nullptr);
    set_color(255, 128, 0);
    draw_image(white, 50, 50);
    EXPECT_TRUE(near(snap().at(50, 50), {255, 128, 0}));
    free_image(white);
}

} // namespace

// Glow: bright strokes light their surroundings in the presented frame, more at High than at
// Low, and Off presents exactly what was drawn.
#include "media/sdl/sdl_stats.h"
#include "window_fixture.h"

namespace {

std::vector<uint8_t> presented;

void keep_presented() { presented = read_pixels(0, 0, SCREEN_W, SCREEN_H); }

class glow : public window_test {
  protected:
    void TearDown() override {
        set_glow(0);
        sdl_set_present_hook(nullptr);
    }
    // The frame as presented with Glow at `level`: a bright cross of lines on black.
    frame draw_at(int level) {
        set_glow(level);
        sdl_set_present_hook(keep_presented);
        clear_screen();
        set_blend(BLEND_LIGHT);
        set_line_width(2);
        set_color(255, 255, 255);
        draw_line(40, 120, 280, 120);
        draw_line(160, 20, 160, 220);
        flip();
        return {presented};
    }
    static int light(const frame& f, int x, int y) {
        rgb c = f.at(x, y);
        return c[0] + c[1] + c[2];
    }
};

TEST_F(glow, strokes_light_their_surroundings_more_at_high_and_not_at_all_when_off) {
    frame off = draw_at(0), low = draw_at(1), high = draw_at(2);
    // Six pixels beside the horizontal line, away from the vertical one.
    EXPECT_EQ(light(off, 80, 126), 0);
    EXPECT_GT(light(low, 80, 126), 15);
    EXPECT_GT(light(high, 80, 126), light(low, 80, 126));
    // The stroke itself stays as drawn, and far corners stay black.
    EXPECT_EQ(off.at(80, 120), (rgb{255, 255, 255}));
    EXPECT_EQ(light(high, 5, 5), 0);
}

// A smoothed line (a GPU draws them so) fades at its edges by coverage and keeps its core.
TEST(smooth_lines, a_smoothed_line_keeps_its_core_and_fades_at_its_edges) {
    ASSERT_TRUE(display_is_open());
    sdl_force_smooth_lines(true);
    clear_screen();
    set_blend(BLEND_LIGHT);
    set_color(255, 255, 255);
    set_alpha(1);
    set_line_width(2);
    set_line_smooth(true);
    draw_line(20, 100.3f, 300, 130.3f); // a shallow slope: every column has partly lit pixels
    frame f{read_pixels(0, 0, SCREEN_W, SCREEN_H)};
    sdl_force_smooth_lines(false);
    set_line_smooth(false);
    set_line_width(1);
    set_blend(BLEND_SOLID);
    int partial = 0, full = 0;
    for (int y = 95; y < 140; y++) {
        int v = f.at(160, y)[0];
        partial += v > 10 && v < 245;
        full += v >= 245;
    }
    EXPECT_GE(full, 1) << "the core of a 2 px line is fully lit";
    EXPECT_GE(partial, 1) << "its edge is shaded";
    EXPECT_EQ(f.at(160, 90)[0], 0) << "nothing far from it";
}

} // namespace

// Every grid look on a real GL screen over a rippling grid: each must light up the lattice.
// The frames are kept as /tmp/grid_style_N.png for a human to look at.
#include "window_fixture.h"

#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "shell/display.h"
#include "shell/play_frame.h"

#include <algorithm>
#include <cmath>

namespace {

class grid_styles : public window_test {
  protected:
    void SetUp() override {
        window_test::SetUp();
        screen_width = field_width = SCREEN_W;
        screen_height = field_height = SCREEN_H;
        camera_x = camera_y = 0;
        full_grid = 1;
        grid_spacing = 2;
        grid_size(field_width, field_height); // 20 x 15 cells
        grid_red = 1, grid_green = 32, grid_blue = 200;
        grid_opacity = 0.85f;
        drift_colour.r = 250, drift_colour.g = 20, drift_colour.b = 30;
        // A pull in the middle and an explosion up left, a few frames on.
        grid_pull(168, 120, 6, 20.0f);
        grid_burst(72, 64);
        for (int i = 0; i < 3; i++) grid_relax();
    }
    void TearDown() override {
        set_line_width(1);
        set_alpha(1);
        set_blend(BLEND_SOLID);
    }

    // Bright pixels within two pixels of where the node is drawn.
    static bool lit_near(const frame& f, const gridpoint& p) {
        int cx = int(p.x), cy = int(p.y);
        for (int y = cy - 2; y <= cy + 2; y++)
            for (int x = cx - 2; x <= cx + 2; x++) {
                if (x < 0 || y < 0 || x >= SCREEN_W || y >= SCREEN_H) continue;
                rgb c = f.at(x, y);
                if (c[0] + c[1] + c[2] > 40) return true;
            }
        return false;
    }

    static float off_rest(const gridpoint& p) {
        return std::fabs(p.x - p.ox) + std::fabs(p.y - p.oy);
    }

    static void save(const frame& f, int style) {
        rgba_picture pic;
        pic.width = SCREEN_W;
        pic.height = SCREEN_H;
        pic.pixels = f.px;
        for (size_t i = 3; i < pic.pixels.size(); i += 4) pic.pixels[i] = 255;
        png_write("/tmp/grid_style_" + std::to_string(style) + ".png", pic);
    }
};

TEST_F(grid_styles, every_style_lights_the_lattice) {
    for (int style = 0; style < GRID_STYLES; style++) {
        clear_screen();
        grid_draw(style);
        frame f = snap();
        save(f, style);

        int lit = 0, nodes = 0, lit_disturbed = 0, calm = 0, lit_calm = 0;
        for (int c = 1; c < grid_cols; c++)
            for (int r = 1; r < grid_rows; r++) {
                const gridpoint& p = grid_at(c, r);
                bool on = lit_near(f, p);
                nodes++;
                lit += on;
                if (off_rest(p) > 2) lit_disturbed += on;
                if (std::max({off_rest(p), off_rest(grid_at(c - 1, r)), off_rest(grid_at(c + 1, r)),
                              off_rest(grid_at(c, r - 1)), off_rest(grid_at(c, r + 1))}) < 0.5f) {
                    calm++;
                    lit_calm += on;
                }
            }
        if (style == 19) {
            // Resting 16 px segments are black in this look: only the ripples glow.
            EXPECT_GT(lit_disturbed, 10) << "style " << style;
            EXPECT_GT(calm, 20);
            EXPECT_LT(lit_calm, calm / 10) << "style " << style;
        } else {
            EXPECT_GT(lit, nodes * 3 / 10) << "style " << style << ": " << lit << " of " << nodes;
        }
    }
}

TEST_F(grid_styles, the_even_looks_glow_in_the_grid_colour_and_the_odd_in_the_drift_colour) {
    clear_screen();
    grid_draw(4);
    frame even = snap();
    clear_screen();
    grid_draw(5);
    frame odd = snap();
    // A resting line in the bottom row of cells, away from the ripples.
    const gridpoint& p = grid_at(3, 14);
    rgb e = even.at(int(p.x) + 6, int(p.y));
    rgb o = odd.at(int(p.x) + 6, int(p.y));
    EXPECT_GT(e[2], e[0] + 50) << "blue grid colour";
    EXPECT_GT(o[0], o[2] + 50) << "red drift colour";
}

} // namespace

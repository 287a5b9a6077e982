// Grid drawing, headless: the visible window, major lines, colour set-ups, batching and the
// colours the wave styles derive from the grid's stretch.
#include "playfield/grid.h"
#include "playfield/grid_draw.h"

#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "support/headless_env.h"

#include <algorithm>
#include <cmath>

namespace {

class grid_looks : public media_test {
  protected:
    void SetUp() override {
        media_test::SetUp();
        screen_width = 1024;
        screen_height = 768;
        camera_x = camera_y = 0;
        grid_spacing = 2;
        grid_size(1024, 768);
        full_grid = 1;
        grid_red = 1, grid_green = 32, grid_blue = 200;
        grid_opacity = 0.85f;
        draw_log.clear();
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        full_grid = 1;
        camera_x = camera_y = 0;
        grid_size(1024, 768);
        media_test::TearDown();
    }
    // Draws with the log on and returns the records.
    static const std::vector<draw_record>& logged(int style) {
        draw_log.clear();
        draw_log_enabled = true;
        grid_draw(style);
        draw_log_enabled = false;
        return draw_log;
    }
    // The colour of the triangle-list vertex drawn at (x, y) as the first corner of a quad.
    static uint32_t quad_colour_at(float x, float y) {
        const auto& v = pending();
        for (size_t k = 0; k + 5 < v.size(); k += 6)
            if (v[k].x == x && v[k].y == y) return v[k].rgba;
        ADD_FAILURE() << "no quad at " << x << ", " << y;
        return 0;
    }
};

TEST_F(grid_looks, the_window_follows_the_camera_with_a_four_cell_margin) {
    grid_size(2048, 1536); // 128 x 96 cells
    full_grid = 0;
    camera_x = 32;
    camera_y = -80; // the view may show 80 px beyond the top
    grid_window w = grid_visible();
    EXPECT_EQ(w.c0, 2);
    EXPECT_EQ(w.c1, 2 + 64 + 4);
    EXPECT_EQ(w.r0, 0);
    EXPECT_EQ(w.r1, 48 + 4);
    camera_x = 2048 - 1024 + 80;
    w = grid_visible();
    EXPECT_EQ(w.c1, 128);
    full_grid = 1;
    w = grid_visible();
    EXPECT_EQ(w.c0, 0);
    EXPECT_EQ(w.c1, 128);
    EXPECT_EQ(w.r1, 96);
}

TEST_F(grid_looks, dots_mark_every_fourth_line_after_the_first_column_and_skip_the_far_edges) {
    grid_size(2048, 1536);
    full_grid = 0;
    camera_x = 32; // c0 = 2: the first major column is 4
    const auto& log = logged(0);
    float first_big = 1e9f, last_small_x = -1e9f;
    for (const auto& r : log) {
        ASSERT_EQ(r.op, OP_RECT);
        if (r.x2 == 3 && r.y == 0) first_big = std::min(first_big, r.x);
        if (r.x2 == 2) last_small_x = std::max(last_small_x, r.x);
        EXPECT_EQ(r.alpha, 1.0f) << "the opacity setting does not reach the dots";
    }
    EXPECT_EQ(first_big, 4 * 16 - 32.0f);
    EXPECT_EQ(last_small_x, 69 * 16 - 32.0f); // column c1 - 1

    full_grid = 1;
    grid_size(1024, 768);
    camera_x = 0;
    for (const auto& r : logged(0)) {
        EXPECT_LT(r.x, 1024.0f) << "the last column of nodes has no dot";
        EXPECT_LT(r.y, 768.0f);
        if (r.x2 == 3) {
            EXPECT_TRUE(int(r.x) % 64 == 0 || int(r.y) % 64 == 0);
            EXPECT_FALSE(r.x == 0 && r.y == 0) << "a window starting on 0 skips line 0";
        }
    }
}

TEST_F(grid_looks, colour_set_ups_follow_the_style) {
    grid_red = 9, grid_green = 8, grid_blue = 7;
    grid_opacity = -0.5f; // its magnitude counts
    drift_colour.r = 100, drift_colour.g = 150, drift_colour.b = 200;
    auto first = [](int style) { return logged(style).at(0); };
    draw_record r = first(0);
    EXPECT_EQ(r.r, 9);
    EXPECT_EQ(r.blend, BLEND_LIGHT);
    r = first(1);
    EXPECT_EQ(r.g, 150);
    r = first(5);
    EXPECT_EQ(r.r, 100);
    EXPECT_FLOAT_EQ(r.alpha, 0.5f);
    r = first(4);
    EXPECT_EQ(r.b, 7);
    EXPECT_FLOAT_EQ(r.alpha, 0.5f);
    for (const auto& rec : logged(14)) { // fixed colour and opacity
        EXPECT_EQ(rec.r, 163);
        EXPECT_EQ(rec.g, 255);
        EXPECT_EQ(rec.b, 7);
        EXPECT_FLOAT_EQ(rec.alpha, 0.35f);
    }
    r = first(15);
    EXPECT_EQ(r.r, 103);
    EXPECT_FLOAT_EQ(r.alpha, 0.5f);
    for (const auto& rec : logged(17)) {
        EXPECT_EQ(rec.r, 127);
        EXPECT_EQ(rec.line_width, 32.0f);
        EXPECT_GE(rec.alpha, 0.46f);
        EXPECT_LT(rec.alpha, 0.5f);
    }
    EXPECT_TRUE(logged(-1).empty());
    EXPECT_TRUE(logged(20).empty());
}

TEST_F(grid_looks, full_lines_send_straight_runs_as_one_segment_and_keep_every_bend) {
    grid_at(10, 5).x += 1.0f;  // bends column 10 at row 5
    grid_at(20, 7).x += 0.01f; // too little to see: column 20 stays one segment
    grid_at(30, 9).y -= 1.0f; // bends row 9 at column 30
    const auto& log = logged(4);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].prim_kind, PRIM_LINES);
    // A segment for each of the 64 columns and 48 rows, the 15 and 11 major ones twice, and
    // three more for each bend: straight to the node before, to the moved node, on, and on.
    EXPECT_EQ(log[0].vertices, 2 * (64 + 15 + 48 + 11 + 3 + 3));
    batch_flush();
    grid_draw(4);
    int ends_at_moved = 0;
    for (const batch_vertex& q : pending())
        ends_at_moved += (q.x == 161.5f && q.y == 80.5f) + (q.x == 480.5f && q.y == 143.5f);
    EXPECT_EQ(ends_at_moved, 4) << "both bends keep their node";
    batch_flush();
    headless_reset_stats();
    grid_draw(4);
    flip();
    EXPECT_EQ(headless_stats().draw_calls, 1);
}

TEST_F(grid_looks, every_style_draws_a_grid_at_rest_in_a_couple_of_draw_calls) {
    for (int style = 0; style < GRID_STYLES; style++) {
        batch_flush();
        headless_reset_stats();
        grid_draw(style);
        flip();
        EXPECT_GT(headless_stats().vertices, 50) << "style " << style;
        EXPECT_LE(headless_stats().draw_calls, 2) << "style " << style;
    }
}

TEST_F(grid_looks, stretched_cells_turn_from_blue_to_orange) {
    grid_at(11, 11).x += 100; // cell (10, 10) stretched past 90 px
    batch_flush();
    grid_draw(8);
    EXPECT_EQ(quad_colour_at(160, 160), pack_rgba(255, 120, 40, 77)); // alpha 0.3
    EXPECT_EQ(quad_colour_at(320, 320), pack_rgba(20, 20, 180, 255)); // at rest
    batch_flush();
    grid_draw(6); // the plain checker has every second cell only
    const auto& v = pending();
    EXPECT_EQ(v.size(), size_t(64 * 48 / 2 * 6));
}

TEST_F(grid_looks, coloured_cells_light_stretched_rows_and_only_stretched_columns) {
    grid_at(10, 5).x += 20; // row 5: the segments either side of column 10 change length
    grid_at(20, 10).y -= 8; // column 20: the segment above shrinks, the one below grows
    batch_flush();
    grid_draw(19);
    const auto& v = pending();
    // Row polylines come first; a column's segment is the vertical one.
    auto colour_of_segment_ending_at = [&](float x, float y, bool vertical = false) -> uint32_t {
        for (size_t k = 1; k < v.size(); k += 2)
            if (std::fabs(v[k].x - x - 0.5f) < 1e-3f && std::fabs(v[k].y - y - 0.5f) < 1e-3f &&
                (!vertical || v[k - 1].x == v[k].x))
                return v[k].rgba;
        ADD_FAILURE() << "no segment ends at " << x << ", " << y;
        return 0;
    };
    // Row 5, column 10: 20 px longer, s = 0.4: (0.24, 0.08, 0).
    EXPECT_EQ(colour_of_segment_ending_at(180, 80), pack_rgba(61, 20, 0, 255));
    EXPECT_EQ(colour_of_segment_ending_at(48, 80), pack_rgba(0, 0, 0, 255)); // at rest: dark
    // Column 20: 8 px shorter above gives no red or green, just a trace of blue;
    // 8 px longer below, s = 0.16: (0.032, 0.096, 0).
    uint32_t above = colour_of_segment_ending_at(320, 152, true);
    EXPECT_EQ(above & 0xffffu, 0u);
    EXPECT_GT((above >> 16) & 0xffu, 0u);
    EXPECT_EQ(colour_of_segment_ending_at(320, 176, true), pack_rgba(8, 24, 0, 255));
}

TEST_F(grid_looks, triangles_and_spirals_cover_the_window) {
    batch_flush();
    grid_draw(13);
    EXPECT_EQ(pending().size(), size_t(64 * 48 * 3));
    const auto& log = logged(18);
    ASSERT_EQ(log.size(), 3u); // red, green and blue snakes
    for (const auto& r : log) {
        EXPECT_EQ(r.prim_kind, PRIM_LINE_STRIP);
        EXPECT_GT(r.vertices, 63 * 47 / 2);
        EXPECT_LE(r.vertices, 63 * 47);
    }
}

TEST_F(grid_looks, a_grid_sized_behind_its_back_is_not_drawn) {
    grid_cols = 100; // storage still 64 x 48
    EXPECT_TRUE(logged(4).empty());
    grid_reset();
    EXPECT_FALSE(logged(4).empty());
}

} // namespace

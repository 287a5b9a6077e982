#include "media/draw_log.h"
#include "support/headless_env.h"

#include <algorithm>

namespace {
using draw = media_test;

uint8_t alpha_of(const batch_vertex& v) { return uint8_t(v.rgba >> 24); }
uint8_t red_of(const batch_vertex& v) { return uint8_t(v.rgba); }

struct box {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
};
box bounds(const std::vector<batch_vertex>& vs) {
    box b;
    for (auto& v : vs) {
        b.x0 = std::min(b.x0, v.x);
        b.y0 = std::min(b.y0, v.y);
        b.x1 = std::max(b.x1, v.x);
        b.y1 = std::max(b.y1, v.y);
    }
    return b;
}
} // namespace

TEST_F(draw, colour_and_alpha_are_clamped_when_set) {
    set_color(495, -5, 128);
    int r, g, b;
    get_color(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 128);
    set_alpha(1.7f);
    EXPECT_EQ(get_alpha(), 1.0f);
    set_alpha(-0.2f);
    EXPECT_EQ(get_alpha(), 0.0f);
    set_alpha(0.5f);
    draw_rect(0, 0, 4, 4);
    ASSERT_FALSE(pending().empty());
    EXPECT_EQ(red_of(pending()[0]), 255); // 495 draws as full red
    EXPECT_NEAR(alpha_of(pending()[0]), 128, 1);
}

TEST_F(draw, unknown_blend_modes_are_solid_and_repeating_a_mode_keeps_the_batch) {
    set_blend(9);
    EXPECT_EQ(get_blend(), BLEND_SOLID);
    set_blend(BLEND_LIGHT);
    draw_rect(0, 0, 1, 1);
    set_blend(BLEND_LIGHT);
    draw_rect(2, 2, 1, 1);
    flip();
    EXPECT_EQ(headless_stats().draw_calls, 1);
    set_blend(BLEND_ALPHA);
    draw_rect(0, 0, 1, 1);
    set_blend(BLEND_LIGHT);
    draw_rect(0, 0, 1, 1);
    flip();
    EXPECT_EQ(headless_stats().draw_calls, 3);
}

TEST_F(draw, corners_are_scaled_then_rotated_clockwise_then_moved) {
    set_origin(10, 20);
    set_transform(90, 2, 1);
    draw_rect(100, 100, 10, 5);
    ASSERT_EQ(pending().size(), 6u);
    // local (10, 0) scales to (20, 0) and turns clockwise to point down: (0, 20)
    auto v = pending();
    EXPECT_NEAR(v[0].x, 110, 1e-4);
    EXPECT_NEAR(v[0].y, 120, 1e-4);
    EXPECT_NEAR(v[1].x, 110, 1e-4);
    EXPECT_NEAR(v[1].y, 140, 1e-4);
    EXPECT_NEAR(v[2].x, 105, 1e-4);
    EXPECT_NEAR(v[2].y, 140, 1e-4);
}

TEST_F(draw, an_image_is_drawn_around_its_centre_handle) {
    image img = create_image(10, 6, 3);
    ASSERT_NE(img, nullptr);
    draw_image(img, 50, 50, 2);
    box b = bounds(pending());
    EXPECT_FLOAT_EQ(b.x0, 45);
    EXPECT_FLOAT_EQ(b.x1, 55);
    EXPECT_FLOAT_EQ(b.y0, 47);
    EXPECT_FLOAT_EQ(b.y1, 53);
    // a frame outside the strip draws nothing
    size_t n = pending().size();
    draw_image(img, 50, 50, 3);
    draw_image(nullptr, 50, 50, 0);
    EXPECT_EQ(pending().size(), n);
    free_image(img);
}

TEST_F(draw, lines_put_back_their_last_pixel_only_when_asked) {
    draw_line(0, 0, 10, 0, true);
    draw_line(0, 4, 10, 4, false);
    auto v = pending();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[1].x, 11.5f);
    EXPECT_FLOAT_EQ(v[3].x, 10.5f);
}

TEST_F(draw, text_stays_in_its_cells_and_unknown_codes_only_advance) {
    set_scale(2, 1);
    draw_text("A", 100, 10);
    box a = bounds(pending());
    EXPECT_GE(a.x0, 100);
    EXPECT_LE(a.x1, 116);
    EXPECT_GE(a.y0, 10);
    EXPECT_LE(a.y1, 26);
    batch_flush();
    draw_text(std::string("A\xC8") + "A", 100, 10);
    box three = bounds(pending());
    EXPECT_GT(three.x1, 100 + 2 * 16); // the second A sits in the third cell
    size_t with_gap = pending().size();
    batch_flush();
    draw_text("AA", 100, 10);
    EXPECT_EQ(pending().size(), with_gap); // code 200 drew nothing
    EXPECT_EQ(text_width("abc"), 24);
}

TEST_F(draw, polylines_of_many_columns_share_one_draw_call) {
    for (int c = 0; c < 480; c++) {
        prim_begin(PRIM_LINE_STRIP);
        for (int r = 0; r <= 300; r++) prim_vertex(float(c * 4), float(r * 4));
        prim_end();
    }
    flip();
    EXPECT_EQ(headless_stats().draw_calls, 1);
    EXPECT_EQ(headless_stats().vertices, 480L * 300 * 2);
}

TEST_F(draw, primitive_colours_follow_the_fixed_function_rules) {
    set_color(10, 20, 30);
    set_alpha(0.5f);
    prim_begin(PRIM_LINE_LOOP);
    prim_vertex(0, 0);
    prim_vertex(10, 0);
    prim_color(1, 0, -0.5f); // negative components count as 0; alpha becomes 1
    prim_vertex(10, 10);
    prim_end();
    auto v = pending();
    ASSERT_EQ(v.size(), 6u); // three segments, the loop closed
    EXPECT_EQ(v[0].rgba, pack_rgba(10, 20, 30, 128));
    EXPECT_EQ(v[3].rgba, pack_rgba(255, 0, 0, 255));
    EXPECT_FLOAT_EQ(v[5].x, 0.5f); // back to the first vertex
}

TEST_F(draw, quads_and_fans_become_triangles) {
    prim_begin(PRIM_QUADS);
    for (int i = 0; i < 8; i++) prim_vertex(float(i), float(i));
    prim_end();
    EXPECT_EQ(pending().size(), 12u);
    batch_flush();
    prim_begin(PRIM_TRIANGLE_FAN);
    for (int i = 0; i < 6; i++) prim_vertex(float(i), 0);
    prim_end();
    EXPECT_EQ(pending().size(), 12u);
}

TEST_F(draw, the_viewport_clips_and_the_whole_screen_does_not) {
    set_viewport(10, 10, 100, 100);
    draw_rect(0, 0, 1, 1);
    EXPECT_EQ(batch_current().state.clip[2], 100);
    set_viewport(0, 0, 1024, 768);
    draw_rect(0, 0, 1, 1);
    EXPECT_EQ(batch_current().state.clip[2], 0);
}

TEST_F(draw, the_draw_log_records_state_for_tests) {
    draw_log_enabled = true;
    draw_log.clear();
    set_color(1, 2, 3);
    set_alpha(0.25f);
    set_scale(3, 3);
    draw_text("hi", 5, 6);
    draw_log_enabled = false;
    ASSERT_EQ(draw_log.size(), 1u);
    EXPECT_EQ(draw_log[0].op, OP_TEXT);
    EXPECT_EQ(draw_log[0].text, "hi");
    EXPECT_EQ(draw_log[0].b, 3);
    EXPECT_FLOAT_EQ(draw_log[0].alpha, 0.25f);
    EXPECT_FLOAT_EQ(draw_log[0].scale_x, 3);
    draw_log.clear();
}

TEST_F(draw, a_refused_display_reports_failure) {
    display_close();
    headless_refuse_open(true);
    EXPECT_FALSE(display_open(800, 600, 0, 60));
    EXPECT_FALSE(display_is_open());
    headless_refuse_open(false);
    EXPECT_TRUE(display_open(800, 600, 0, 60));
    EXPECT_EQ(display_width(), 800);
}

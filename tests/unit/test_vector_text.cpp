#include "media/draw_log.h"
#include "shell/vector_text.h"
#include "support/headless_env.h"

namespace {
class vector_text : public media_test {
protected:
    void SetUp() override {
        media_test::SetUp();
        vector_text_init();
        draw_log.clear();
        draw_log_enabled = true;
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        media_test::TearDown();
    }
    float right_edge() {
        float x = -1e9f;
        for (auto& r : draw_log) x = std::max({x, r.x, r.x2});
        return x;
    }
};
} // namespace

TEST_F(vector_text, each_character_advances_five_times_the_scale) {
    draw_vector_text("MM", 100, 50, 3);
    // M spans grid columns 0..4, so the second one ends at 100 + 15 + 12
    EXPECT_FLOAT_EQ(right_edge(), 127);
    for (auto& r : draw_log) {
        EXPECT_EQ(r.op, OP_LINE);
        EXPECT_GE(r.y, 50);
        EXPECT_LE(r.y2, 50 + 3 * 7);
    }
}

TEST_F(vector_text, spaces_and_codes_outside_the_font_draw_nothing_but_advance) {
    draw_vector_text(std::string(" \x01\xC8\xFF") + "1", 0, 0, 2);
    ASSERT_EQ(draw_log.size(), 1u); // only the 1
    EXPECT_FLOAT_EQ(draw_log[0].x, 4 * 10 + 2 * 2);
    EXPECT_EQ(glyph_count[32], -1);
    EXPECT_EQ(glyph_count[31], -1);
    EXPECT_EQ(glyph_count[65], 4);
}

TEST_F(vector_text, a_full_stop_is_a_single_dot_with_its_last_pixel) {
    draw_vector_text(".", 10, 10, 1);
    ASSERT_EQ(draw_log.size(), 1u);
    EXPECT_EQ(draw_log[0].x, draw_log[0].x2);
    EXPECT_EQ(draw_log[0].y, draw_log[0].y2);
    ASSERT_EQ(pending().size(), 2u); // still one visible pixel: a line of length one
    EXPECT_NE(pending()[0].x, pending()[1].x);
}

TEST_F(vector_text, every_printable_code_has_a_glyph_of_at_most_six_strokes) {
    for (int c = 33; c < 128; c++) {
        EXPECT_GE(glyph_count[c], 0) << c;
        EXPECT_LE(glyph_count[c], 5) << c;
        for (int s = 0; s <= glyph_count[c]; s++) {
            const auto& d = glyph_segments[c][s];
            EXPECT_TRUE(d.x1 >= 0 && d.x1 <= 4 && d.x2 >= 0 && d.x2 <= 4) << c;
            EXPECT_TRUE(d.y1 >= 0 && d.y1 <= 7 && d.y2 >= 0 && d.y2 <= 7) << c;
        }
    }
}

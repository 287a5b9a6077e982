// The game's screen fitted into a larger or differently shaped display: where the picture
// lies, and how the mouse and the pointer map between the two.
#include "media/letterbox.h"

#include <gtest/gtest.h>

TEST(letterbox, four_by_three_on_sixteen_by_nine_is_pillarboxed_and_centred) {
    letterbox b = letterbox_fit(1024, 768, 1920, 1080);
    EXPECT_EQ(b.h, 1080);
    EXPECT_EQ(b.w, 1440);
    EXPECT_EQ(b.x, 240);
    EXPECT_EQ(b.y, 0);
    EXPECT_FLOAT_EQ(b.scale, 1080.0f / 768);
    int x = 0, y = 0;
    b.to_logical(960, 540, x, y); // the display's centre is the game's
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
    b.to_logical(240, 0, x, y); // the picture's corners are the game's
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    b.to_logical(1679.9f, 1079.9f, x, y);
    EXPECT_EQ(x, 1023);
    EXPECT_EQ(y, 767);
    b.to_logical(100, 500, x, y); // on the left bar: held at the edge
    EXPECT_EQ(x, 0);
    b.to_logical(1900, 500, x, y); // on the right bar
    EXPECT_EQ(x, 1023);
}

TEST(letterbox, sixteen_by_ten_on_four_by_three_is_letterboxed) {
    letterbox b = letterbox_fit(1920, 1200, 1024, 768);
    EXPECT_EQ(b.w, 1024);
    EXPECT_EQ(b.h, 640);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.y, 64);
    int x = 0, y = 0;
    b.to_logical(512, 10, x, y); // the top bar
    EXPECT_EQ(y, 0);
    b.to_logical(512, 760, x, y); // the bottom bar
    EXPECT_EQ(y, 1199);
    b.to_logical(512, 384, x, y);
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 600);
}

TEST(letterbox, a_pointer_moved_in_game_pixels_reads_back_the_same_pixel) {
    for (auto [lw, lh, rw, rh] :
         {std::array{1024, 768, 1920, 1080}, std::array{640, 480, 2560, 1440},
          std::array{1920, 1200, 1024, 768}, std::array{800, 600, 800, 600}}) {
        letterbox b = letterbox_fit(lw, lh, rw, rh);
        for (int lx : {0, 1, lw / 2, lw - 1})
            for (int ly : {0, 7, lh / 3, lh - 1}) {
                float rx = 0, ry = 0;
                b.to_real(float(lx), float(ly), rx, ry);
                int bx = -1, by = -1;
                b.to_logical(rx, ry, bx, by);
                EXPECT_EQ(bx, lx) << lw << "x" << lh << " on " << rw << "x" << rh;
                EXPECT_EQ(by, ly) << lw << "x" << lh << " on " << rw << "x" << rh;
            }
    }
}

TEST(letterbox, a_clip_rectangle_covers_its_game_pixels_and_the_same_size_is_the_identity) {
    letterbox b = letterbox_fit(1024, 768, 1920, 1080);
    int x = 0, y = 0, w = 0, h = 0;
    b.rect_to_real(0, 0, 1024, 768, x, y, w, h);
    EXPECT_EQ(x, 240);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 1440);
    EXPECT_EQ(h, 1080);
    b.rect_to_real(100, 100, 1, 1, x, y, w, h);
    EXPECT_GE(w, 1);
    EXPECT_GE(h, 1);
    EXPECT_TRUE(letterbox_fit(800, 600, 800, 600).identity());
    EXPECT_FALSE(b.identity());
}

// The game's screen fitted into a larger or differently shaped display: where the picture
// lies, and how the mouse and the pointer map between the two.
#include "media/letterbox.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

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

TEST(letterbox, a_window_of_a_pixel_or_two_or_none_still_holds_the_screen_at_a_positive_scale) {
    for (auto [lw, lh] : {std::array{640, 480}, std::array{1920, 1080}, std::array{3840, 1080},
                          std::array{1080, 1920}})
        for (auto [rw, rh] : {std::array{0, 0}, std::array{1, 1}, std::array{2, 2},
                              std::array{1, 2}, std::array{2, 1}}) {
            letterbox b = letterbox_fit(lw, lh, rw, rh);
            std::string at = std::to_string(lw) + "x" + std::to_string(lh) + " in " +
                             std::to_string(rw) + "x" + std::to_string(rh);
            EXPECT_TRUE(std::isfinite(b.scale) && b.scale > 0) << at;
            EXPECT_TRUE(b.w >= 1 && b.h >= 1 && b.x >= 0 && b.y >= 0) << at;
            EXPECT_TRUE(b.x + b.w <= std::max(rw, 1) && b.y + b.h <= std::max(rh, 1)) << at;
            int x = -1, y = -1;
            b.to_logical(0.5f, 0.5f, x, y);
            EXPECT_TRUE(x >= 0 && x < lw && y >= 0 && y < lh) << at;
            pointer_track t;
            t.fit(b, rw, rh);
            t.seen(0, 0);
            EXPECT_TRUE(t.x() >= 0 && t.x() < lw && t.y() >= 0 && t.y() < lh) << at;
            int wx = -1, wy = -1;
            t.place(lw / 2, lh / 2, wx, wy);
            EXPECT_TRUE(wx >= 0 && wx < std::max(rw, 1) && wy >= 0 && wy < std::max(rh, 1)) << at;
        }
}

// ---------------------------------------------------------------- the pointer

namespace {

// A window of the drawable's own size in points, as full screen without a high density.
pointer_track tracking(int lw, int lh, int rw, int rh) {
    pointer_track t;
    t.fit(letterbox_fit(lw, lh, rw, rh), rw, rh);
    return t;
}

// The mouse steering of one play frame: the pointer was put back at the centre (its warp
// seen), the player moves it (mx, my) window points, and the game steers by the offset.
void steer(pointer_track& t, int mx, int my, int& sx, int& sy) {
    int cx = t.ax.size / 2, cy = t.ay.size / 2, wx = 0, wy = 0;
    t.place(cx, cy, wx, wy);
    t.seen(wx, wy);
    t.seen(wx + mx, wy + my);
    sx += t.x() - cx;
    sy += t.y() - cy;
}

} // namespace

TEST(letterbox, at_scale_1_875_many_one_pixel_motions_steer_as_far_as_the_same_distance_at_once) {
    // 1024 x 576 on 1920 x 1080: 1.875 real pixels to the game's one.
    for (int n : {7, 60, 61}) {
        pointer_track t = tracking(1024, 576, 1920, 1080);
        int px = 0, py = 0;
        for (int i = 0; i < n; ++i) steer(t, 1, -1, px, py);
        steer(t, 0, 0, px, py);

        pointer_track u = tracking(1024, 576, 1920, 1080);
        int ax = 0, ay = 0;
        steer(u, n, -n, ax, ay);
        for (int i = 0; i < n; ++i) steer(u, 0, 0, ax, ay);

        EXPECT_EQ(px, ax) << n << " pixels";
        EXPECT_EQ(py, ay) << n << " pixels";
        if (n == 60) {
            EXPECT_TRUE(px == 32 && py == -32) << px << ", " << py;
        }
    }
}

TEST(letterbox, a_pointer_put_at_the_centre_of_a_screen_larger_than_the_monitor_stays_there) {
    // Each has a centre whose real pixel's own centre lies in the next game pixel.
    for (auto [lw, lh, rw, rh] :
         {std::array{2560, 1440, 1280, 720}, std::array{1920, 1080, 640, 480},
          std::array{3840, 2160, 1366, 768}}) {
        pointer_track t = tracking(lw, lh, rw, rh);
        t.seen(rw / 3, rh / 3); // wherever the pointer was before
        int sx = 0, sy = 0;
        for (int frame = 0; frame < 50; ++frame) steer(t, 0, 0, sx, sy);
        EXPECT_TRUE(sx == 0 && sy == 0) << lw << "x" << lh << " on " << rw << "x" << rh;
    }
}

TEST(letterbox, a_window_at_scale_1_reads_the_pointer_where_it_is) {
    // A plain window, and one whose drawable has two pixels to the point.
    for (auto [lw, lh, rw, rh] :
         {std::array{1024, 768, 1024, 768}, std::array{800, 600, 1600, 1200}}) {
        pointer_track t;
        t.fit(letterbox_fit(lw, lh, rw, rh), lw, lh);
        for (auto [x, y] : {std::array{0, 0}, std::array{123, 45}, std::array{lw - 1, lh - 1}}) {
            t.seen(x, y);
            EXPECT_TRUE(t.x() == x && t.y() == y) << x << ", " << y;
        }
        t.seen(-5, lh + 5); // outside the window while a button holds the mouse
        EXPECT_TRUE(t.x() == 0 && t.y() == lh - 1);
        int wx = 0, wy = 0, sx = 0, sy = 0;
        t.place(10, 20, wx, wy);
        EXPECT_TRUE(wx == 10 && wy == 20);
        steer(t, 3, -2, sx, sy);
        EXPECT_TRUE(sx == 3 && sy == -2);
    }
}

// One real 320 x 240 window for the whole run (opening a GL window per test would dominate
// the run time); each test starts from the default drawing state on a black screen.
#pragma once

#include "media/image_png.h"
#include "media/media.h"
#include "tests/support/temp_dir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

constexpr int SCREEN_W = 320, SCREEN_H = 240;

using rgb = std::array<int, 3>;

// The frame as drawn so far, read back whole.
struct frame {
    std::vector<uint8_t> px;
    rgb at(int x, int y) const {
        const uint8_t* p = &px[(size_t(y) * SCREEN_W + x) * 4];
        return {p[0], p[1], p[2]};
    }
    bool lit(int x, int y) const {
        rgb c = at(x, y);
        return c[0] + c[1] + c[2] > 0;
    }
};

class window_test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static bool started = false;
        if (!started) {
            // Nothing gives the test window focus, and SDL drops pad events of an
            // unfocused window unless told otherwise.
            SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
            ASSERT_TRUE(media_init());
            started = true;
            std::atexit(media_shutdown);
        }
        if (display_width() != SCREEN_W || display_height() != SCREEN_H || !display_is_open()) {
            ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
        }
    }

    void SetUp() override {
        ASSERT_TRUE(display_is_open());
        set_blend(BLEND_SOLID);
        set_color(255, 255, 255);
        set_alpha(1);
        set_transform(0, 1, 1);
        set_origin(0, 0);
        set_line_width(1);
        set_line_smooth(false);
        set_viewport(0, 0, SCREEN_W, SCREEN_H);
        set_clear_color(0, 0, 0);
        clear_screen();
    }

    // read_pixels flushes the batch first, so everything drawn so far is there.
    static frame snap() { return {read_pixels(0, 0, SCREEN_W, SCREEN_H)}; }

    static void fill(int x, int y, int w, int h, int r, int g, int b) {
        set_color(r, g, b);
        draw_rect(float(x), float(y), float(w), float(h));
    }

    // Writes a picture of w x h whose pixel (x, y) is paint(x, y) as {r, g, b, a}.
    template <class F> std::string picture(const std::string& name, int w, int h, F paint) {
        rgba_picture pic;
        pic.width = w;
        pic.height = h;
        pic.pixels.resize(size_t(w) * h * 4);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::array<int, 4> c = paint(x, y);
                for (int k = 0; k < 4; ++k) pic.pixels[(size_t(y) * w + x) * 4 + k] = uint8_t(c[k]);
            }
        std::string path = dir.file(name);
        EXPECT_TRUE(png_write(path, pic));
        return path;
    }

    // The w x h frame as drawn, kept as a picture for a human to look at (and copied where
    // the smoke tests keep theirs).
    std::vector<uint8_t> snap_kept(const std::string& name, int w, int h) {
        std::vector<uint8_t> px = read_pixels(0, 0, w, h);
        rgba_picture pic;
        pic.width = w;
        pic.height = h;
        pic.pixels = px;
        std::string path = dir.file(name);
        EXPECT_TRUE(png_write(path, pic));
        if (const char* keep = std::getenv("VEX_SMOKE_KEEP"))
            std::filesystem::copy_file(path, std::filesystem::path(keep) / name,
                                       std::filesystem::copy_options::overwrite_existing);
        return px;
    }

    temp_dir dir;
};

// Colours within a small tolerance: blending rounds differently on different drivers.
inline ::testing::AssertionResult near(const rgb& got, const rgb& want, int tol = 3) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(got[k] - want[k]) > tol)
            return ::testing::AssertionFailure()
                   << "got (" << got[0] << ", " << got[1] << ", " << got[2] << "), want ("
                   << want[0] << ", " << want[1] << ", " << want[2] << ")";
    return ::testing::AssertionSuccess();
}

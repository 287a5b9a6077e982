// The Dual Stick Configuration screen in a real window, fed by an SDL virtual game
// controller: the live dots follow the sticks, and the raw-axis overlay shows them.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/image_png.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "virtual_pad.h"
#include "window_fixture.h"

#include <cstdlib>

namespace {

class joypad_window : public window_test {
  protected:
    void SetUp() override {
        window_test::SetUp();
        ASSERT_TRUE(display_open(640, 480, 0, 60)); // the panel fills the window exactly
        screen_width = 640, screen_height = 480;
        for (auto& p : joypads) p = bbjoypad{};
        used_port = 0;
        debug_mode = 0;
    }
    void TearDown() override {
        debug_mode = 0;
        ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    }
    static rgb pixel(const std::vector<uint8_t>& px, int x, int y) {
        const uint8_t* p = &px[(size_t(y) * 640 + x) * 4];
        return {p[0], p[1], p[2]};
    }
    std::vector<uint8_t> snap_screen(const std::string& name) { return snap_kept(name, 640, 480); }
};

bool red_dot(const rgb& c) { return c[0] > 150 && c[1] < 40 && c[2] < 40; }

} // namespace

TEST_F(joypad_window, the_dots_follow_a_virtual_controller_and_the_overlay_shows_its_axes) {
    virtual_pad pad = virtual_pad::controller();
    ASSERT_TRUE(pad.handle);
    pad_sync();
    joypad_screen_enter();
    status_message = "Config file loaded.";
    status_message_timer = 120;

    joypad_screen_frame();
    std::vector<uint8_t> rest = read_pixels(0, 0, 640, 480);
    flip();
    EXPECT_TRUE(red_dot(pixel(rest, 60, 325))) << "stick 1 at rest: the dot in its green square";

    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, 16384);
    pad_sync();
    for (int i = 0; i < 3; i++) {
        joypad_screen_frame();
        if (i < 2) flip();
    }
    std::vector<uint8_t> moved = snap_screen("dual_stick_window.png");
    flip();
    EXPECT_TRUE(red_dot(pixel(moved, 108, 277))) << "stick 1 pushed up and right";
    EXPECT_FALSE(red_dot(pixel(moved, 60, 325)));
    EXPECT_TRUE(red_dot(pixel(moved, 325, 325))) << "stick 2 half right";

    debug_mode = 1;
    joypad_screen_frame();
    std::vector<uint8_t> overlay = snap_screen("dual_stick_debug.png");
    flip();
    // Line 1 is the X slot at full right: its bar runs 100 pixels right of x 180.
    EXPECT_GT(pixel(overlay, 270, 67)[1], 150);
    EXPECT_EQ(pixel(overlay, 150, 67)[1], 48) << "no bar to the left of a positive reading";
    pad.detach();
    pad_sync();
}

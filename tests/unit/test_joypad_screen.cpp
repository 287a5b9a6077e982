// The Dual Stick Configuration screen, a frame at a time, and the wizard's axis detection.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "support/headless_env.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>

namespace {

enum { RET = 13, ESC = 27, LEFT = 37, RIGHT = 39, SHIFT_LEFT = 160 };

class joypad_screen : public media_test {
  protected:
    scratch_cwd dir;

    void SetUp() override {
        media_test::SetUp();
        screen_width = 1024, screen_height = 768; // the panel sits at (192, 144)
        for (auto& p : joypads) p = bbjoypad{};
        used_port = 0;
        apply_joypad_config();
        selected_stick = wizard_running = wizard_step = option_capture = bomb_capture = 0;
        debug_mode = 0;
        status_message.clear();
        status_message_timer = 0;
        control_type = CONTROL_DUAL_ANALOG;
        inertia = 0;
        headless_joy_plug(0, true);
        joypad_screen_enter();
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        used_port = 0;
        debug_mode = 0;
        selected_stick = wizard_running = option_capture = bomb_capture = 0;
        for (auto& p : joypads) p = bbjoypad{};
        apply_joypad_config();
        media_test::TearDown();
    }
    static bool frame() { return joypad_screen_frame(); }
    // A click at a panel place (the mouse's window place is read as one).
    static bool click_at(int x, int y, int button = 1) {
        headless_mouse_move(x, y);
        headless_mouse_button(button, true);
        headless_mouse_button(button, false);
        return frame();
    }
    static std::vector<draw_record> logged_frame() {
        draw_log.clear();
        draw_log_enabled = true;
        frame();
        draw_log_enabled = false;
        return draw_log;
    }
    static bool drew_text(const std::vector<draw_record>& log, const std::string& s) {
        for (auto& r : log)
            if (r.op == OP_TEXT && r.text == s) return true;
        return false;
    }
};

} // namespace

TEST_F(joypad_screen, detection_needs_the_band_between_half_and_nine_tenths) {
    headless_joy_slot(0, 0, 1.0f); // held hard over
    EXPECT_EQ(detect_axis(0, 1), -1);
    headless_joy_slot(0, 0, 0.7f);
    EXPECT_EQ(detect_axis(0, 1), 1);
    headless_joy_slot(0, 0, 0);
    headless_joy_slot(0, 12, -0.6f); // axis 12 lives on slot 12
    EXPECT_EQ(detect_axis(0, 1), 12);
    headless_joy_slot(0, 12, 0);
    headless_key_tap(ESC);
    EXPECT_EQ(detect_axis(0, 1), 0);
}

TEST_F(joypad_screen, escape_twice_at_the_first_prompt_keeps_the_axis_and_moves_on) {
    click_at(20, 230); // AXIS WIZARD
    ASSERT_TRUE(wizard_running);
    EXPECT_TRUE(drew_text(logged_frame(), "move stick 1 left or right (Escape to Cancel)"));
    EXPECT_EQ(wizard_step, 0) << "nothing moved: the wizard waits";
    headless_key_tap(ESC);
    EXPECT_TRUE(frame()) << "Escape in the wizard does not leave the screen";
    headless_key_tap(ESC);
    frame();
    EXPECT_EQ(wizard_step, 2);
    EXPECT_EQ(joypads[0].move_x_axis, 1);
    EXPECT_EQ(status_message, "Stick 1 X axis assigned to JoyX()");
    EXPECT_TRUE(drew_text(logged_frame(), "move stick 1 up or down (Escape to Cancel)"));

    headless_joy_slot(0, 3, 0.8f); // stick 1 moved up or down, on the R slot
    frame();
    EXPECT_EQ(joypads[0].move_y_axis, 4);
    EXPECT_EQ(status_message, "Stick 1 Y axis assigned to JoyR()");
    headless_joy_slot(0, 3, 0);
    for (int i = 0; i < 5; i++) {
        headless_key_tap(ESC);
        EXPECT_TRUE(frame());
    }
    EXPECT_FALSE(wizard_running) << "eight results end it";
    EXPECT_EQ(status_message_timer, 240 - 1);
}

TEST_F(joypad_screen, axis_boxes_cycle_to_null_and_right_clicks_toggle_invert) {
    joypads[0].move_x_axis = 15;
    click_at(20, 400);
    EXPECT_EQ(joypads[0].move_x_axis, 0);
    apply_joypad_config();
    headless_joy_slot(0, 0, 0.8f);
    read_controls();
    EXPECT_EQ(move_x, 0.0f) << "a null axis reads nothing";

    click_at(20, 400, 2);
    EXPECT_EQ(joypads[0].invert[0], -1);
    bool orange = false;
    for (auto& r : logged_frame())
        if (r.op == OP_RECT && r.x == 10 && r.y == 395)
            orange = r.r == 255 && r.g == 128 && r.b == 0;
    EXPECT_TRUE(orange);
    click_at(20, 400, 2);
    EXPECT_EQ(joypads[0].invert[0], 1);
}

TEST_F(joypad_screen, key_3_edits_port_2_and_play_then_reads_port_2) {
    joypads[2].move_x_axis = 5;
    headless_key_tap('3');
    frame();
    EXPECT_EQ(used_port, 2);
    EXPECT_TRUE(drew_text(logged_frame(), "X axis: JoyU()"));
    click_at(20, 400);
    EXPECT_EQ(joypads[2].move_x_axis, 6);
    EXPECT_EQ(joypads[0].move_x_axis, 1);

    apply_joypad_config(); // as Controller Selection does on the way out
    headless_joy_plug(2, true);
    headless_joy_slot(2, 5, 0.8f);
    read_controls();
    EXPECT_FLOAT_EQ(move_x, 0.8f);
}

TEST_F(joypad_screen, shift_and_cursors_stop_the_dead_zone_at_half_and_the_centre_at_0_9) {
    click_at(60, 320); // stick 1's box
    ASSERT_EQ(selected_stick, 1);
    headless_key(SHIFT_LEFT, true);
    headless_key(RIGHT, true);
    for (int i = 0; i < 60; i++) frame();
    EXPECT_EQ(joypads[0].dead_zone[0], 0.5f);
    EXPECT_EQ(joypads[0].centre[0], 0.0f);
    headless_key(SHIFT_LEFT, false);
    for (int i = 0; i < 100; i++) frame();
    EXPECT_EQ(joypads[0].centre[0], 0.9f);
    EXPECT_EQ(joypads[0].centre[1], 0.0f);
    headless_key(RIGHT, false);

    click_at(60, 320);
    EXPECT_EQ(selected_stick, 0);
    headless_key(LEFT, true);
    frame();
    headless_key(LEFT, false);
    EXPECT_EQ(joypads[0].centre[0], 0.9f) << "no stick selected, nothing moves";
}

TEST_F(joypad_screen, a_centre_that_matches_the_drift_puts_the_dot_in_the_green_square) {
    headless_joy_slot(0, 0, 0.2f);
    joypads[0].centre[0] = 0.2f;
    float dot_x = -1;
    for (auto& r : logged_frame())
        if (r.op == OP_OVAL && dot_x < 0) dot_x = r.x;
    EXPECT_EQ(dot_x, 55.0f); // the box's middle, 60, less the dot's radius
    headless_joy_slot(0, 0, 1.0f);
    joypads[0].centre[0] = 0;
    for (auto& r : logged_frame())
        if (r.op == OP_OVAL) {
            EXPECT_EQ(r.x, 105.0f) << "full right is the box's right edge";
            break;
        }
}

TEST_F(joypad_screen, button_captures_take_the_highest_held_and_return_counts_on) {
    click_at(200, 230); // OPTION
    ASSERT_TRUE(option_capture);
    headless_joy_button(0, 3, true);
    headless_joy_button(0, 9, true);
    frame();
    EXPECT_EQ(joypads[0].option_button, 9);
    headless_joy_button(0, 3, false);
    headless_joy_button(0, 9, false);
    for (int i = 0; i < 7; i++) {
        headless_key_tap(RET);
        frame();
    }
    EXPECT_EQ(joypads[0].option_button, 0) << "after 15 comes 0";
    click_at(330, 230); // BOMB ends the option capture
    EXPECT_TRUE(bomb_capture && !option_capture);
    headless_joy_button(0, 5, true);
    frame();
    headless_joy_button(0, 5, false);
    EXPECT_EQ(joypads[0].bomb_button, 5);
    EXPECT_EQ(joypads[0].option_button, 0);
}

TEST_F(joypad_screen, status_line_debug_save_load_and_the_ways_out) {
    status_message = "Config file loaded."; // as start-up leaves it
    status_message_timer = 120;
    EXPECT_TRUE(drew_text(logged_frame(), "Config file loaded."));
    EXPECT_EQ(status_message_timer, 119);

    headless_key_tap('D');
    frame();
    EXPECT_EQ(debug_mode, 1);
    EXPECT_TRUE(drew_text(logged_frame(), "13. JoyAxis13()  : 0.00"));
    click_at(500, 320); // (D)ebug
    EXPECT_EQ(debug_mode, 0);

    headless_key_tap('S');
    frame();
    EXPECT_EQ(status_message, "Config file saved.");
    ASSERT_TRUE(file_exists("Config.txt"));
    joypads[0].bomb_button = 9;
    headless_key_tap('L');
    frame();
    EXPECT_EQ(status_message, "Config file loaded.");
    EXPECT_EQ(joypads[0].bomb_button, 2) << "the saved record came back";

    std::string saved = dir.read("Config.txt");
    std::filesystem::permissions(dir.path / "Config.txt", std::filesystem::perms::owner_read);
    joypads[0].bomb_button = 9;
    click_at(500, 345); // (S)ave Config
    EXPECT_EQ(status_message, "Config save failed.");
    EXPECT_EQ(dir.read("Config.txt"), saved);

    headless_key_tap('E');
    EXPECT_FALSE(frame());
    joypad_screen_enter();
    EXPECT_TRUE(frame());
    EXPECT_FALSE(click_at(500, 395)); // (E)xit
    joypad_screen_enter();
    headless_key_tap(ESC);
    EXPECT_FALSE(frame());
}

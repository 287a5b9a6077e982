#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/draw_log.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "support/headless_env.h"

#include <cmath>

namespace {

// Every control setting at its default, the world still, and a 1024 x 768 screen.
class controls_test : public media_test {
  protected:
    void SetUp() override {
        media_test::SetUp();
        control_type = CONTROL_DUAL_ANALOG;
        hybrid_config = joypad_config = 0;
        joypad_left_button = 0, joypad_up_button = 1, joypad_right_button = 2;
        joypad_down_button = 3, joypad_option_button = 0, joypad_bomb_button = 4;
        autofire = 0;
        key_bomb = 32, key_move_left = 83, key_move_right = 68, key_move_up = 69;
        key_move_down = 88, key_fire_left = 37, key_fire_right = 39, key_fire_up = 38;
        key_fire_down = 40;
        mouse_sensitivity = 0.5f;
        mouse_fire = 1, mouse_bomb = 2;
        inertia = 0;
        used_port = 0;
        for (auto& p : joypads) p = bbjoypad{};
        apply_joypad_config();
        move_x = move_y = aim_x = aim_y = 0;
        last_move_x = last_move_y = hybrid_aim_x = hybrid_aim_y = 0;
        menu_cooldown = frame_count = bombs = 0;
        screen_width = 1024, screen_height = 768;
        player_x = player_y = 0;
        camera_x = camera_y = 0;
        headless_mouse_move(512, 384);
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        media_test::TearDown();
    }
    static void frames(int n) {
        for (int i = 0; i < n; i++) read_controls();
    }
    // Where the first spoke of the pointer cross started, i.e. (x - 7, y - 7).
    static void cursor_drawn_at(float& x, float& y) {
        read_controls();
        draw_log.clear();
        draw_log_enabled = true;
        draw_aim_cursor();
        draw_log_enabled = false;
        ASSERT_EQ(draw_log.size(), 8u);
        x = draw_log[0].x + 7;
        y = draw_log[0].y + 7;
    }
};

using controls_keyboard = controls_test;
using controls_mouse = controls_test;
using controls_pad = controls_test;
using controls_hybrid = controls_test;
using controls_bomb = controls_test;

TEST_F(controls_keyboard, opposite_keys_cancel_and_diagonals_are_capped) {
    control_type = CONTROL_KEYBOARD;
    for (int k : {68, 83, 39, 37}) headless_key(k, true); // both move and both fire keys
    read_controls();
    EXPECT_EQ(move_x, 0.0f);
    EXPECT_EQ(aim_x, 0.0f);
    for (int k : {83, 39, 37}) headless_key(k, false);
    headless_key(88, true); // right + down
    read_controls();
    EXPECT_FLOAT_EQ(move_x, std::sqrt(0.5f));
    EXPECT_FLOAT_EQ(move_y, std::sqrt(0.5f));
}

TEST_F(controls_keyboard, autofire_remembers_the_last_direction_and_plain_fire_forgets_it) {
    control_type = CONTROL_KEYBOARD;
    autofire = 1;
    headless_key(39, true);
    headless_key(40, true);
    read_controls();
    headless_key(39, false);
    headless_key(40, false);
    read_controls();
    EXPECT_EQ(aim_x, 1.0f);
    EXPECT_EQ(aim_y, 1.0f);
    headless_key(38, true); // up alone after a diagonal
    read_controls();
    EXPECT_EQ(aim_x, 0.0f);
    EXPECT_EQ(aim_y, -1.0f);

    autofire = 0;
    headless_key(38, false);
    read_controls();
    EXPECT_EQ(aim_x, 0.0f);
    EXPECT_EQ(aim_y, 0.0f);
}

TEST_F(controls_keyboard, inertia_halves_the_drift_each_frame_and_full_inertia_never_stops) {
    control_type = CONTROL_KEYBOARD;
    inertia = 0.5f;
    headless_key(68, true);
    read_controls();
    EXPECT_EQ(move_x, 1.0f);
    headless_key(68, false);
    for (float want : {0.5f, 0.25f, 0.125f}) {
        read_controls();
        EXPECT_EQ(move_x, want);
    }

    inertia = 1;
    headless_key(68, true);
    frames(3); // the carried motion plus the key would exceed 1
    EXPECT_EQ(move_x, 1.0f);
    headless_key(68, false);
    frames(50);
    EXPECT_EQ(move_x, 1.0f);
}

TEST_F(controls_mouse, motion_is_scaled_then_capped_at_one_plus_ten_sensitivities) {
    control_type = CONTROL_MOUSE;
    headless_mouse_move(512 + 300, 384);
    read_controls();
    EXPECT_EQ(move_x, 1.3671875f); // 300 / 128 * 3.5 = 8.203125, over 6, divided by 6
    EXPECT_EQ(move_y, 0.0f);
    EXPECT_EQ(mouse_x(), 512); // the pointer goes back to the centre
    EXPECT_EQ(mouse_y(), 384);
    headless_mouse_move(512 + 100, 384);
    read_controls();
    EXPECT_EQ(move_x, 2.734375f); // under the cap: left as it is
}

TEST_F(controls_mouse, the_centre_is_the_integer_half_of_an_odd_screen) {
    control_type = CONTROL_MOUSE;
    screen_width = 1023, screen_height = 767;
    mouse_sensitivity = 0;
    headless_mouse_move(511 + 64, 383);
    read_controls();
    EXPECT_EQ(move_x, 0.5f);
    EXPECT_EQ(move_y, 0.0f);
    EXPECT_EQ(mouse_x(), 511);
    EXPECT_EQ(mouse_y(), 383);
}

TEST_F(controls_mouse, aim_follows_motion_while_fire_is_held_and_a_still_mouse_keeps_it) {
    control_type = CONTROL_MOUSE;
    headless_mouse_button(1, true);
    headless_mouse_move(512 - 32, 384 + 16);
    read_controls();
    EXPECT_EQ(aim_x, -2.0f);
    EXPECT_EQ(aim_y, 1.0f);
    read_controls(); // not moved
    EXPECT_EQ(aim_x, -2.0f);
    autofire = 1;
    headless_mouse_button(1, false);
    read_controls();
    EXPECT_EQ(aim_x, -2.0f);
    autofire = 0;
    read_controls();
    EXPECT_EQ(aim_x, 0.0f);
    EXPECT_EQ(aim_y, 0.0f);
}

TEST_F(controls_mouse, settings_out_of_range_cannot_blow_the_move_vector_up) {
    control_type = CONTROL_MOUSE;
    mouse_sensitivity = -0.1f; // a cap of 1 + 10s = 0 would divide by zero
    headless_mouse_move(600, 384);
    read_controls();
    EXPECT_TRUE(std::isfinite(move_x));
    EXPECT_GT(move_x, 0.0f);
    mouse_sensitivity = 0;
    inertia = 3; // grows by three each frame against a cap that only divides by one
    for (int i = 0; i < 200; i++) {
        headless_mouse_move(600, 384);
        read_controls();
    }
    EXPECT_TRUE(std::isfinite(move_x));
    EXPECT_LT(move_x, 200.0f);
}

TEST_F(controls_pad, dual_analog_reads_the_active_pad_with_dead_zone_invert_and_centre) {
    headless_joy_plug(1, true);
    used_port = 1;
    joypads[1].dead_zone[0] = 0.2f;
    joypads[1].invert[1] = -1;
    joypads[1].centre[2] = 0.25f;
    apply_joypad_config();
    headless_joy_slot(1, 0, 0.19f);
    headless_joy_slot(1, 1, 0.5f);
    headless_joy_slot(1, 3, 0.75f); // aim X is "JoyR()", aim Y "JoyZ()"
    headless_joy_slot(1, 2, 1.0f);
    read_controls();
    EXPECT_EQ(move_x, 0.0f);
    EXPECT_EQ(move_y, -0.5f);
    EXPECT_EQ(aim_x, 0.5f);
    EXPECT_EQ(aim_y, 1.0f); // the aim is not normalised here
    headless_joy_slot(1, 0, -0.2f);
    read_controls();
    EXPECT_EQ(move_x, -0.2f); // exactly the dead zone passes
}

TEST_F(controls_pad, axis_numbers_skip_slot_eleven_and_null_reads_nothing) {
    headless_joy_plug(0, true);
    for (int s = 0; s < JOY_SLOTS; s++) headless_joy_slot(0, s, 0.01f * float(s + 1));
    joypads[0].move_x_axis = 12;
    joypads[0].move_y_axis = 11;
    joypads[0].fire_x_axis = 0;
    joypads[0].centre[2] = 0.3f; // a centre left on a null axis must not make it read
    apply_joypad_config();
    read_controls();
    EXPECT_FLOAT_EQ(move_x, 0.13f); // slot 12
    EXPECT_FLOAT_EQ(move_y, 0.11f); // slot 10
    EXPECT_EQ(aim_x, 0.0f);
}

TEST_F(controls_pad, ports_and_buttons_out_of_range_read_nothing) {
    headless_joy_plug(0, true);
    for (int b = 0; b < JOY_BUTTONS; b++) headless_joy_button(0, b, true);
    headless_joy_slot(0, 0, 1.0f);
    bombs = 3;
    used_port = 7;
    apply_joypad_config();
    read_controls();
    EXPECT_EQ(move_x, 0.0f);
    EXPECT_EQ(bombs, 3);

    used_port = 0;
    control_type = CONTROL_JOYPAD;
    joypad_config = 1;
    joypad_left_button = -1, joypad_right_button = 16, joypad_up_button = 99;
    joypad_down_button = 1000, joypad_bomb_button = 16;
    read_controls();
    EXPECT_EQ(move_x, 0.0f);
    EXPECT_EQ(move_y, 0.0f);
    EXPECT_EQ(bombs, 3);
}

TEST_F(controls_pad, joypad_layouts_swap_stick_and_buttons_and_up_pushes_down_the_screen) {
    control_type = CONTROL_JOYPAD;
    headless_joy_plug(0, true);
    headless_joy_plug(2, true);
    used_port = 2; // buttons come from the used port, the stick always from port 0
    headless_joy_slot(0, 0, -0.5f);
    headless_joy_slot(0, 1, 0.25f);
    headless_joy_slot(2, 0, 1.0f);
    headless_joy_button(2, 2, true); // right
    headless_joy_button(2, 1, true); // up
    read_controls();
    EXPECT_EQ(move_x, -0.5f);
    EXPECT_EQ(move_y, 0.25f);
    EXPECT_EQ(aim_x, 1.0f);
    EXPECT_EQ(aim_y, 1.0f);

    joypad_config = 1;
    headless_joy_button(2, 2, false);
    headless_joy_button(2, 0, true); // left
    read_controls();
    EXPECT_FLOAT_EQ(move_x, -std::sqrt(0.5f));
    EXPECT_FLOAT_EQ(move_y, std::sqrt(0.5f));
    EXPECT_EQ(aim_x, -0.5f);
    EXPECT_EQ(aim_y, 0.25f);

    joypad_config = 5; // no such layout: everything stays
    headless_joy_button(2, 0, false);
    read_controls();
    EXPECT_EQ(aim_x, -0.5f);
}

TEST_F(controls_hybrid, relative_aim_points_from_the_ship_on_screen_to_the_pointer) {
    control_type = CONTROL_HYBRID;
    player_x = 600, player_y = 400;
    camera_x = 100, camera_y = 50; // the ship shows at (500, 350)
    headless_mouse_move(530, 390);
    headless_mouse_button(1, true);
    float cx, cy;
    cursor_drawn_at(cx, cy);
    EXPECT_FLOAT_EQ(aim_x, 0.6f);
    EXPECT_FLOAT_EQ(aim_y, 0.8f);
    EXPECT_EQ(cx, 530.0f);
    EXPECT_EQ(cy, 390.0f);
    EXPECT_EQ(mouse_x(), 530);     // the pointer stays where the player put it
    headless_mouse_move(500, 350); // on the ship: no direction, and no division by zero
    read_controls();
    EXPECT_EQ(aim_x, 0.0f);
    EXPECT_EQ(aim_y, 0.0f);
}

TEST_F(controls_hybrid, mouse_moves_and_keys_fire_under_the_mouse_cap) {
    control_type = CONTROL_HYBRID;
    hybrid_config = 1;
    headless_mouse_move(512 + 300, 384);
    headless_key(37, true);
    read_controls();
    EXPECT_EQ(move_x, 1.3671875f);
    EXPECT_EQ(mouse_x(), 512);
    EXPECT_EQ(aim_x, -1.0f);
}

TEST_F(controls_hybrid, centred_aim_turns_with_the_fire_keys_until_it_points_up) {
    control_type = CONTROL_HYBRID;
    hybrid_config = 2;
    autofire = 1;
    hybrid_aim_x = 1, hybrid_aim_y = 0;
    headless_key(38, true);
    read_controls();
    EXPECT_FLOAT_EQ(aim_x, 0.8f);
    EXPECT_FLOAT_EQ(aim_y, -0.1f);
    read_controls();
    EXPECT_FLOAT_EQ(aim_x, 0.64f);
    EXPECT_FLOAT_EQ(aim_y, -0.2f);
    frames(20);
    float y = hybrid_aim_y;
    EXPECT_LE(y, -1.0f);
    EXPECT_GT(y, -1.1f);
    read_controls(); // it stops once it gets there
    EXPECT_EQ(hybrid_aim_y, y);
    EXPECT_EQ(mouse_x(), 512); // fire not held: the pointer rests at the centre
}

TEST_F(controls_hybrid, centred_aim_follows_the_pointer_and_puts_it_on_the_aim_circle) {
    control_type = CONTROL_HYBRID;
    hybrid_config = 2;
    player_x = 300, player_y = 200;
    camera_x = 20, camera_y = 10;
    headless_mouse_button(1, true);
    headless_mouse_move(512 + 30, 384 + 40);
    float cx, cy;
    cursor_drawn_at(cx, cy);
    EXPECT_FLOAT_EQ(aim_x, 0.6f);
    EXPECT_FLOAT_EQ(aim_y, 0.8f);
    EXPECT_EQ(mouse_x(), 512 + 48);
    EXPECT_EQ(mouse_y(), 384 + 64);
    EXPECT_EQ(cx, 300.0f + 48 - 20);
    EXPECT_EQ(cy, 200.0f + 64 - 10);
    headless_mouse_move(512, 385); // within a pixel of the centre: the direction stays
    read_controls();
    EXPECT_FLOAT_EQ(aim_x, 0.6f);
    headless_mouse_button(1, false);
    read_controls();
    EXPECT_EQ(aim_x, 0.0f);
    EXPECT_EQ(mouse_x(), 512);
    EXPECT_EQ(mouse_y(), 384);
}

TEST_F(controls_bomb, held_bomb_fires_again_when_the_cooldown_has_run_out) {
    control_type = CONTROL_KEYBOARD;
    bombs = 3;
    headless_key(32, true);
    read_controls();
    EXPECT_EQ(bombs, 2);
    frames(59);
    EXPECT_EQ(bombs, 2);
    EXPECT_EQ(menu_cooldown, 1);
    read_controls();
    EXPECT_EQ(bombs, 1);
    headless_key(32, false);
    frames(100);
    EXPECT_EQ(menu_cooldown, 0); // and never below
}

TEST_F(controls_bomb, each_scheme_bombs_with_its_own_input) {
    headless_joy_plug(0, true);
    struct {
        int scheme;
        void (*press)(bool);
    } cases[] = {
        {CONTROL_DUAL_ANALOG, [](bool d) { headless_joy_button(0, 2, d); }},
        {CONTROL_JOYPAD, [](bool d) { headless_joy_button(0, 4, d); }},
        {CONTROL_MOUSE, [](bool d) { headless_mouse_button(2, d); }},
        {CONTROL_HYBRID, [](bool d) { headless_key(32, d); }},
        {CONTROL_KEYBOARD, [](bool d) { headless_key(32, d); }},
    };
    for (auto& c : cases) {
        control_type = c.scheme;
        bombs = 1, menu_cooldown = 0;
        c.press(true);
        read_controls();
        c.press(false);
        EXPECT_EQ(bombs, 0) << control_type_names[c.scheme];
    }
    control_type = CONTROL_KEYBOARD; // the mouse does not bomb here
    bombs = 1, menu_cooldown = 0;
    headless_mouse_button(2, true);
    read_controls();
    EXPECT_EQ(bombs, 1);
}

TEST_F(controls_test, a_newcomer_without_settings_or_pad_gets_the_keyboard) {
    controls_first_run(true);
    EXPECT_EQ(control_type, CONTROL_DUAL_ANALOG);
    headless_joy_plug(3, true);
    controls_first_run(false);
    EXPECT_EQ(control_type, CONTROL_DUAL_ANALOG);
    headless_joy_plug(3, false);
    controls_first_run(false);
    EXPECT_EQ(control_type, CONTROL_KEYBOARD);
}

TEST_F(controls_test, pointer_cross_blinks_and_turns_eight_degrees_a_frame) {
    draw_log_enabled = true;
    set_rotation(30); // left over by other drawing; the spokes must not add it
    draw_cursor(100, 50, 14, 5);
    ASSERT_EQ(draw_log.size(), 8u);
    const draw_record& a = draw_log[0];
    EXPECT_EQ(a.r, 255);
    EXPECT_EQ(a.g, 32);
    EXPECT_EQ(a.x, 95.0f);
    EXPECT_EQ(a.y, 45.0f);
    float turn = 14 * 8 + 45, len = 10 * std::sqrt(2.0f);
    EXPECT_NEAR(a.x2, 95 + len * std::cos(turn * 3.14159265f / 180), 1e-3);
    EXPECT_NEAR(a.y2, 45 + len * std::sin(turn * 3.14159265f / 180), 1e-3);
    EXPECT_EQ(a.rotation, 0.0f);
    EXPECT_EQ(get_rotation(), 0.0f);
    draw_log.clear();
    draw_cursor(100, 50, 15, 5);
    EXPECT_EQ(draw_log[0].g, 255);
}

} // namespace

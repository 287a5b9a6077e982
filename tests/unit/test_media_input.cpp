#include "support/headless_env.h"
#include "media/input.h"

namespace {
using input = media_test;
}

TEST_F(input, a_key_hit_is_counted_once) {
    headless_key(65, true);
    EXPECT_TRUE(key_down(65));
    EXPECT_EQ(key_hit(65), 1);
    EXPECT_EQ(key_hit(65), 0); // the second read in the same frame sees nothing
    headless_key(65, false);
    headless_key_tap(65);
    headless_key_tap(65);
    EXPECT_EQ(key_hit(65), 2);
    EXPECT_FALSE(key_down(65));
}

TEST_F(input, holding_a_key_is_one_press_and_flush_forgets_everything) {
    headless_key(32, true);
    headless_key(32, true); // auto-repeat from the system is not a new press
    EXPECT_EQ(key_hit(32), 1);
    headless_mouse_button(1, true);
    flush_keys();
    flush_mouse();
    EXPECT_FALSE(key_down(32));
    EXPECT_FALSE(mouse_down(1));
    EXPECT_EQ(mouse_hit(1), 0);
}

TEST_F(input, indices_out_of_range_read_as_not_pressed) {
    headless_key(300, true);
    headless_key(-4, true);
    EXPECT_EQ(key_hit(300), 0);
    EXPECT_FALSE(key_down(-4));
    EXPECT_FALSE(key_down(256));
    EXPECT_EQ(mouse_hit(0), 0);
    EXPECT_FALSE(mouse_down(7));
    headless_joy_plug(0, true);
    headless_joy_button(0, 3, true);
    EXPECT_TRUE(joy_down(3, 0));
    EXPECT_FALSE(joy_down(16, 0));
    EXPECT_FALSE(joy_down(3, 4));
    EXPECT_FALSE(joy_down(-1, 0));
    EXPECT_EQ(joy_slot(0, 16), 0.0f);
    EXPECT_EQ(joy_slot(9, 0), 0.0f);
    EXPECT_EQ(joy_hit(3, -1), 0);
}

TEST_F(input, joypads_plug_in_and_out_and_axes_stay_in_range) {
    EXPECT_EQ(joy_count(), 0);
    EXPECT_EQ(joy_slot(0, 0), 0.0f); // no pad: centred
    headless_joy_plug(2, true);
    EXPECT_EQ(joy_count(), 1);
    EXPECT_TRUE(joy_present(2));
    headless_joy_slot(2, 3, 1.5f);
    EXPECT_EQ(joy_slot(2, 3), 1.0f);
    headless_joy_slot(2, 4, -0.25f);
    EXPECT_EQ(joy_slot(2, 4), -0.25f);
    headless_joy_button(2, 5, true);
    EXPECT_EQ(joy_hit(5, 2), 1);
    headless_joy_plug(2, false);
    EXPECT_EQ(joy_count(), 0);
    EXPECT_EQ(joy_slot(2, 4), 0.0f);
    EXPECT_FALSE(joy_down(5, 2));
}

TEST_F(input, mouse_position_and_pointer_moves) {
    headless_mouse_move(300, 200);
    EXPECT_EQ(mouse_x(), 300);
    EXPECT_EQ(mouse_y(), 200);
    move_pointer(512, 384);
    EXPECT_EQ(mouse_x(), 512);
    EXPECT_EQ(mouse_y(), 384);
}

namespace {
int closes = 0;
void count_close() { closes++; }
} // namespace

TEST_F(input, closing_the_window_runs_the_handler) {
    closes = 0;
    headless_close_window(); // no handler yet: nothing happens
    set_close_handler(count_close);
    headless_close_window();
    EXPECT_EQ(closes, 1);
    set_close_handler(nullptr);
}

TEST_F(input, a_lost_focus_and_a_dropped_file_are_each_taken_once) {
    EXPECT_FALSE(focus_lost());
    input_focus_lost();
    EXPECT_TRUE(focus_lost());
    EXPECT_FALSE(focus_lost());
    input_focus_lost();
    flush_keys(); // a new screen starts without it
    EXPECT_FALSE(focus_lost());
    input_file_dropped("a.vxr");
    input_file_dropped("b.vxr"); // the last one dropped is the one watched
    EXPECT_EQ(dropped_file(), "b.vxr");
    EXPECT_EQ(dropped_file(), "");
}

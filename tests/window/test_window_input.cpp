// SDL events in, the game's key codes, mouse buttons and joypad slots out. Events are
// pushed into SDL's own queue and pads are SDL virtual joysticks, so the real event path
// is exercised without hardware.
#include "virtual_pad.h"
#include "window_fixture.h"

#include <SDL.h>

#include <string>

namespace {
using input = window_test;

void push_key(SDL_Keycode sym, SDL_Scancode sc, bool down, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = sc;
    SDL_PushEvent(&e);
}

void tap(SDL_Keycode sym, SDL_Scancode sc = SDL_SCANCODE_UNKNOWN) {
    push_key(sym, sc, true);
    push_key(sym, sc, false);
}

void push_button(Uint8 button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

TEST_F(input, keys_arrive_as_the_games_virtual_key_codes) {
    flush_keys();
    struct {
        SDL_Keycode sym;
        int code;
    } cases[] = {
        {SDLK_ESCAPE, 27},     {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},  {SDLK_SPACE, 32},
        {SDLK_q, 81},          {SDLK_0, 48},          {SDLK_9, 57},         {SDLK_F1, 112},
        {SDLK_F12, 123},       {SDLK_LEFT, 37},       {SDLK_DOWN, 40},      {SDLK_KP_0, 96},
        {SDLK_KP_5, 101},      {SDLK_KP_9, 105},      {SDLK_KP_MINUS, 109}, {SDLK_PAGEDOWN, 34},
        {SDLK_SEMICOLON, 186}, {SDLK_BACKQUOTE, 192}, {SDLK_QUOTE, 222},    {SDLK_LGUI, 91}};
    for (auto& c : cases) {
        tap(c.sym);
        EXPECT_EQ(key_hit(c.code), 1) << "SDL key " << SDL_GetKeyName(c.sym);
        EXPECT_FALSE(key_down(c.code));
    }

    // A key whose symbol has no code counts as the key at that place on a US board.
    tap(SDL_Keycode(0xFC) /* u umlaut */, SDL_SCANCODE_LEFTBRACKET);
    EXPECT_EQ(key_hit(219), 1);
}

TEST_F(input, either_shift_holds_the_shared_code_and_its_own_side) {
    flush_keys();
    push_key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, true);
    EXPECT_TRUE(key_down(16) && key_down(160));
    EXPECT_FALSE(key_down(161));
    push_key(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, true);
    push_key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, false);
    EXPECT_TRUE(key_down(16)) << "right shift still holds it";
    EXPECT_TRUE(key_down(161) && !key_down(160));
    push_key(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, false);
    EXPECT_FALSE(key_down(16));
    EXPECT_EQ(key_hit(16), 1) << "one hold of two keys is one press";

    push_key(SDLK_RCTRL, SDL_SCANCODE_RCTRL, true);
    push_key(SDLK_LALT, SDL_SCANCODE_LALT, true);
    EXPECT_TRUE(key_down(17) && key_down(163) && key_down(18) && key_down(164));
    push_key(SDLK_RCTRL, SDL_SCANCODE_RCTRL, false);
    push_key(SDLK_LALT, SDL_SCANCODE_LALT, false);
    EXPECT_FALSE(key_down(17) || key_down(18));
}

TEST_F(input, key_repeats_are_not_presses) {
    flush_keys();
    push_key(SDLK_x, SDL_SCANCODE_X, true);
    push_key(SDLK_x, SDL_SCANCODE_X, true, true);
    push_key(SDLK_x, SDL_SCANCODE_X, true, true);
    EXPECT_EQ(key_hit(88), 1);
    EXPECT_TRUE(key_down(88));
    push_key(SDLK_x, SDL_SCANCODE_X, false);
    EXPECT_FALSE(key_down(88));
}

TEST_F(input, mouse_buttons_are_left_1_right_2_middle_3) {
    flush_mouse();
    push_button(SDL_BUTTON_RIGHT, true);
    push_button(SDL_BUTTON_MIDDLE, true);
    EXPECT_TRUE(mouse_down(2));
    EXPECT_TRUE(mouse_down(3));
    EXPECT_FALSE(mouse_down(1));
    EXPECT_EQ(mouse_hit(2), 1);
    push_button(SDL_BUTTON_RIGHT, false);
    push_button(SDL_BUTTON_MIDDLE, false);
    push_button(SDL_BUTTON_LEFT, true);
    EXPECT_TRUE(mouse_down(1) && !mouse_down(2) && !mouse_down(3));
    push_button(SDL_BUTTON_LEFT, false);

    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 123;
    e.motion.y = 45;
    SDL_PushEvent(&e);
    EXPECT_EQ(mouse_x(), 123);
    EXPECT_EQ(mouse_y(), 45);
    move_pointer(10, 20);
    EXPECT_EQ(mouse_x(), 10);
    EXPECT_EQ(mouse_y(), 20);
}

TEST_F(input, a_pointer_put_at_the_centre_of_a_full_screen_larger_than_the_monitor_stays_there) {
    // Two game pixels to a real one: the warp lands on a real pixel whose own centre is in
    // the next game pixel, and the warp's echo must not move the pointer there.
    int dw = 0, dh = 0;
    desktop_size(dw, dh);
    ASSERT_TRUE(display_open(dw * 2, dh * 2, 32, 60));
    for (int frame = 0; frame < 5; ++frame) {
        move_pointer(dw, dh);
        for (int i = 0; i < 10; ++i) { // the warp's own motion arrives
            delay(5);
            poll_events();
        }
        EXPECT_EQ(mouse_x(), dw) << "frame " << frame;
        EXPECT_EQ(mouse_y(), dh) << "frame " << frame;
    }
    ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
}

bool closed = false;

TEST_F(input, closing_the_window_calls_the_close_handler) {
    closed = false;
    set_close_handler([] { closed = true; });
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    poll_events();
    EXPECT_TRUE(closed);
    set_close_handler(nullptr);
}

// ---------------------------------------------------------------- joypads

TEST_F(input, a_game_controller_reports_the_slots_and_buttons_the_defaults_expect) {
    virtual_pad pad = virtual_pad::controller();
    ASSERT_TRUE(pad.handle);
    pad_sync();
    EXPECT_TRUE(joy_present(0));
    EXPECT_EQ(joy_count(), 1);

    pad.button(SDL_CONTROLLER_BUTTON_X, true);
    pad.button(SDL_CONTROLLER_BUTTON_B, true);
    pad.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 16384);
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTY, -32767);
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
    pad_sync();

    EXPECT_TRUE(joy_down(0, 0)) << "west face is 0";
    EXPECT_TRUE(joy_down(2, 0)) << "east face is 2";
    EXPECT_TRUE(joy_down(4, 0)) << "right shoulder is 4";
    EXPECT_TRUE(joy_down(13, 0)) << "pad left is 13";
    EXPECT_FALSE(joy_down(1, 0) || joy_down(3, 0) || joy_down(5, 0));
    EXPECT_EQ(joy_hit(2, 0), 1);
    EXPECT_FLOAT_EQ(joy_slot(0, 0), -1.0f);
    EXPECT_NEAR(joy_slot(0, 1), 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(joy_slot(0, 3), 1.0f) << "right stick across on R";
    EXPECT_FLOAT_EQ(joy_slot(0, 2), -1.0f) << "right stick down on Z";
    EXPECT_FLOAT_EQ(joy_slot(0, 5), 1.0f) << "right trigger on V";
    EXPECT_NEAR(joy_slot(0, 4), 0.0f, 0.01f) << "a released trigger reads 0";

    pad.button(SDL_CONTROLLER_BUTTON_B, false);
    pad_sync();
    EXPECT_FALSE(joy_down(2, 0));

    pad.detach();
    pad_sync();
    EXPECT_FALSE(joy_present(0));
    EXPECT_EQ(joy_slot(0, 3), 0.0f);
    EXPECT_FALSE(joy_down(0, 0));
}

TEST_F(input, pads_take_the_first_free_port_and_plain_joysticks_report_raw_axes) {
    virtual_pad a = virtual_pad::controller();
    virtual_pad b = virtual_pad::stick("vexlume test stick");
    ASSERT_TRUE(a.handle && b.handle);
    pad_sync();
    EXPECT_EQ(joy_count(), 2);
    EXPECT_TRUE(joy_present(0) && joy_present(1));

    b.axis(0, 32767);
    b.axis(10, -32767);
    b.axis(11, 32767); // slot 11 is skipped: axis 11 lands on slot 12
    b.axis(12, -32767);
    b.hat(SDL_HAT_LEFT);
    b.button(15, true);
    pad_sync();
    EXPECT_FLOAT_EQ(joy_slot(1, 0), 1.0f);
    EXPECT_FLOAT_EQ(joy_slot(1, 10), -1.0f);
    EXPECT_EQ(joy_slot(1, 11), 0.0f);
    EXPECT_FLOAT_EQ(joy_slot(1, 12), 1.0f);
    EXPECT_FLOAT_EQ(joy_slot(1, 13), -1.0f);
    EXPECT_FLOAT_EQ(joy_slot(1, 9), -1.0f) << "the hat's across reading";
    EXPECT_TRUE(joy_down(15, 1));
    EXPECT_EQ(joy_slot(0, 0), 0.0f) << "port 0 untouched";

    a.detach();
    pad_sync();
    EXPECT_FALSE(joy_present(0));
    EXPECT_TRUE(joy_present(1));
    virtual_pad c = virtual_pad::stick("vexlume test stick 2");
    pad_sync();
    EXPECT_TRUE(joy_present(0)) << "a new pad takes the freed port";
    EXPECT_EQ(joy_count(), 2);
    EXPECT_TRUE(joy_down(15, 1)) << "the other pad keeps its port and state";
    b.detach();
    c.detach();
    pad_sync();
    EXPECT_EQ(joy_count(), 0);
}

} // namespace

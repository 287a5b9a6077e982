// The configuration screens of the Mouse, Hybrid, Keyboard and Joypad schemes.
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/key_names.h"
#include "controls/menu.h"
#include "controls/settings_screens.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/vector_text.h"

#include <algorithm>

namespace {

const char* const mouse_button_names[4] = {"None", "Left", "Right", "Middle"};
const char* const hybrid_names[3] = {"Move: Keys* - Aim: Mouse Relative",
                                     "Move: Mouse - Fire: Keys*",
                                     "Move: Keys* - Aim: Mouse Centered"};

std::string mouse_button_row(const char* what, int button) {
    return std::string(what) + mouse_button_names[std::clamp(button, 0, 3)] + " Mouse Button";
}

// The button rows only go forward, 1 -> 2 -> 3 -> 1: no way to leave a scheme without fire.
int next_mouse_button(int button) { return button >= 1 && button < 3 ? button + 1 : 1; }

menu control_menu(const char* title, int title_y, int in_game) {
    menu m;
    m.title = title;
    m.title_y = title_y;
    m.background = in_game ? 0.6f : 0;
    return m;
}

// Mouse Control, and Hybrid Control, which is the same screen under a sub-mode row.
int mouse_screen(int in_game, bool hybrid) {
    int W = screen_width, H = screen_height;
    int top = hybrid ? 40 : 0; // the hybrid screen's rows sit one row lower
    const int MODE = hybrid ? 0 : -1, FIRE = hybrid ? 1 : 0, BOMB = FIRE + 1,
              SENSITIVITY = FIRE + 2, DONE = FIRE + 3;
    menu m = control_menu(hybrid ? "Hybrid Control" : "Mouse Control", H / 2 - 120, in_game);
    if (hybrid) m.rows.push_back({"", H / 2 - 40});
    m.rows.push_back({"", H / 2 - 40 + top});
    m.rows.push_back({"", H / 2 + top});
    m.rows.push_back({"Mouse Sensitivity:", H / 2 + 40 + top});
    m.rows.push_back({"Done", H / 2 + 80 + top});
    m.selected = DONE;
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        if (hybrid) m.rows[MODE].label = hybrid_names[std::clamp(hybrid_config, 0, 2)];
        m.rows[FIRE].label = mouse_button_row("Fire: ", mouse_fire);
        m.rows[BOMB].label = mouse_button_row("Bomb: ", mouse_bomb);
        menu_frame_begin(m);
        draw_value_bar(W / 2 + 100, m.rows[SENSITIVITY].y, 200, mouse_sensitivity,
                       m.selected == SENSITIVITY, true);
        if (hybrid) {
            set_color(0, 200, 0);
            draw_vector_text("* configure in Keys Control", W / 2 - 280, H / 2 + 160, 3);
        }
        menu_frame_end(m);
        menu_step_rows(m);
        screen_keys k = read_screen_keys();
        bool leave =
            k.escape || (m.selected == DONE && (k.ret || k.bomb || k.d || menu_pad_pressed(m, 8)));
        if (k.d) {
            if (m.selected == MODE)
                hybrid_config = hybrid_config >= 0 && hybrid_config < 2 ? hybrid_config + 1 : 0;
            if (m.selected == FIRE) mouse_fire = next_mouse_button(mouse_fire);
            if (m.selected == BOMB) mouse_bomb = next_mouse_button(mouse_bomb);
            if (m.selected == SENSITIVITY)
                mouse_sensitivity = step_fraction(mouse_sensitivity, k.d);
        }
        menu_cooldown_tick();
        if (leave) {
            screen_leave();
            return 0;
        }
    }
}

} // namespace

int mouse_control(int in_game) { return mouse_screen(in_game, false); }
int hybrid_control(int in_game) { return mouse_screen(in_game, true); }

int keyboard_control(int in_game) {
    int H = screen_height;
    int a = H >= 600 ? 40 : 32;
    const char* const labels[9] = {
        "Move Left : ", "Move Right: ", "Move Up   : ", "Move Down : ", "Fire Left : ",
        "Fire Right: ", "Fire Up   : ", "Fire Down : ", "Bomb : "};
    int* const keys[9] = {&key_move_left, &key_move_right, &key_move_up,
                          &key_move_down, &key_fire_left,  &key_fire_right,
                          &key_fire_up,   &key_fire_down,  &key_bomb};
    const int DONE = 9;
    menu m = control_menu("Keyboard Control", H / 2 - 6 * a, in_game);
    for (int n = 0; n <= DONE; n++) m.rows.push_back({"", H / 2 - 4 * a + n * a});
    m.rows[DONE].label = "Done";
    m.selected = DONE;
    bool capturing = false;
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        for (int n = 0; n < 9; n++)
            m.rows[size_t(n)].label =
                labels[n] + (capturing && n == m.selected ? std::string() : key_label(*keys[n]));
        menu_frame_begin(m);
        menu_frame_end(m);
        bool leave = menu_pad_pressed(m, 8);
        if (capturing) {
            // The lowest code first. A key tapped within one frame counts as held in it.
            for (int code = 8; code <= 255; code++)
                if (key_down(code) || key_hit(code) > 0) {
                    *keys[m.selected] = code;
                    capturing = false;
                    m.follow_mouse = true;
                    flush_keys();
                    flush_mouse();
                    break;
                }
        } else {
            menu_step_rows(m);
            int start = key_hit(13) + key_hit(39) + key_hit(37);
            bool click = mouse_hit(1) > 0;
            flush_mouse();
            if (start || click) {
                if (m.selected == DONE) {
                    leave = true;
                } else {
                    capturing = true;
                    m.follow_mouse = false; // the key goes to the row that asked for it
                    flush_keys();
                }
            }
        }
        menu_cooldown_tick();
        if (leave) {
            screen_leave();
            return 0;
        }
    }
}

int joypad_control(int in_game) {
    int W = screen_width, H = screen_height;
    enum { LAYOUT, BOMB, OPTION, DOWN, LEFT, RIGHT, UP, DONE };
    menu m = control_menu("Joypad Control", H / 2 - 160, in_game);
    for (int n = 0; n <= OPTION; n++) m.rows.push_back({"", H / 2 - 80 + 40 * n});
    // The four direction buttons as a diamond: each number, its hover area, its pointer place.
    struct diamond {
        int text_x, text_y, hover_x, hover_y, pointer_x, pointer_y;
    };
    const diamond places[4] = {{72, 48, 64, 40, 44, 60},
                               {8, 88, 0, 80, -20, 100},
                               {136, 88, 128, 80, 108, 100},
                               {72, 128, 64, 120, 44, 140}};
    for (const diamond& p : places) {
        menu_row r{"", H / 2 + p.text_y};
        r.x = W / 2 + p.text_x;
        r.scale = 3;
        r.pointer_x = W / 2 + p.pointer_x;
        r.pointer_y = H / 2 + p.pointer_y;
        r.hover_x = W / 2 + p.hover_x;
        r.hover_y = H / 2 + p.hover_y;
        r.hover_w = 40;
        r.hover_h = 30;
        m.rows.push_back(r);
    }
    m.rows.push_back({"Done", H / 2 + 160});
    m.selected = DONE;
    m.pointer_free = true;
    // The "up" button drives toward the bottom of the screen, so it sits at the bottom.
    int* const buttons[8] = {nullptr,
                             &joypad_bomb_button,
                             &joypad_option_button,
                             &joypad_down_button,
                             &joypad_left_button,
                             &joypad_right_button,
                             &joypad_up_button,
                             nullptr};
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        bool stick_moves = joypad_config == 0;
        m.rows[LAYOUT].label = std::string("Move: ") + (stick_moves ? "D Pad" : "4-Buttons") +
                               "  Fire: " + (stick_moves ? "4-Buttons" : "D Pad");
        m.rows[BOMB].label = "Bomb: Button  [" + std::to_string(joypad_bomb_button + 1) + "]";
        m.rows[OPTION].label = "Option: Button  [" + std::to_string(joypad_option_button + 1) + "]";
        for (int n = DOWN; n <= UP; n++) m.rows[size_t(n)].label = std::to_string(*buttons[n] + 1);
        menu_frame_begin(m);
        menu_frame_end(m);
        menu_step_rows(m);
        screen_keys k = read_screen_keys(true);
        bool leave = k.escape || (m.selected == DONE && (k.d || menu_pad_pressed(m)));
        if (k.escape) m.selected = DONE;
        if (int* b = buttons[m.selected]) {
            if (k.d) *b = std::clamp(*b + k.d, 0, 15);
            for (int pad = 0; pad < JOY_BUTTONS; pad++)
                if (joy_down(pad, used_port)) *b = pad; // the highest held wins
        } else if (m.selected == LAYOUT && k.d) {
            joypad_config = joypad_config == 0 ? 1 : 0;
        }
        menu_cooldown_tick();
        if (leave) {
            screen_leave();
            return 0;
        }
    }
}

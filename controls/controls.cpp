#include "controls/controls.h"

#include "controls/joypad.h"
#include "media/media.h"
#include "shell/game_state.h"

const char* const control_type_names[5] = {"Dual Analog", "Mouse", "Keyboard", "Joypad", "Hybrid"};

int control_type = CONTROL_DUAL_ANALOG;
int hybrid_config = 0, joypad_config = 0;
int joypad_left_button = 0, joypad_up_button = 1, joypad_right_button = 2, joypad_down_button = 3;
int joypad_option_button = 0, joypad_bomb_button = 4;
int autofire = 0;
int key_bomb = 32, key_move_left = 83, key_move_right = 68, key_move_up = 69, key_move_down = 88;
int key_fire_left = 37, key_fire_right = 39, key_fire_up = 38, key_fire_down = 40;
float mouse_sensitivity = 0.5f;
int mouse_fire = 1, mouse_bomb = 2;
float inertia = 0;
int used_port = 0;

float move_x = 0, move_y = 0, aim_x = 0, aim_y = 0;
float last_move_x = 0, last_move_y = 0;

bool menu_pressed() {
    if (key_hit(27)) return true;
    if (menu_cooldown != 0) return false;
    if (control_type == CONTROL_JOYPAD) return joy_down(joypad_option_button, used_port);
    if (control_type == CONTROL_DUAL_ANALOG) return joy_down(active_pad.option_button, used_port);
    return false;
}

bool bomb_pressed() {
    // Read both so a press of either is not left over for the next screen.
    bool key = key_hit(key_bomb) > 0;
    bool mouse = mouse_hit(mouse_bomb) > 0;
    if (key || mouse) return true;
    if (menu_cooldown != 0) return false;
    if (control_type == CONTROL_JOYPAD) return joy_down(joypad_bomb_button, used_port);
    if (control_type == CONTROL_DUAL_ANALOG) return joy_down(active_pad.bomb_button, used_port);
    return false;
}

void controls_first_run(bool config_loaded) {
    if (!config_loaded && joy_count() == 0) control_type = CONTROL_KEYBOARD;
}

void draw_cursor(int x, int y, int phase, int size) {
    // The spokes carry their own turn; a rotation left over by other drawing would add to it.
    set_rotation(0);
    if (phase % 30 >= 15)
        set_color(255, 255, 32);
    else
        set_color(255, 32, 32);
    float len = 2.0f * float(size) * 1.41421356f;
    float ox = float(x - size), oy = float(y - size);
    for (int k = 0; k < 8; k++) {
        float r = float((phase * 8) % 360 + 45 * k) + 45.0f; // (+1, +1) points at 45 degrees
        draw_line(ox, oy, ox + len * cos_deg(r), oy + len * sin_deg(r), true);
    }
    set_rotation(0);
}

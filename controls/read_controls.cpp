// The control step: keys, mouse and joypads become the move and aim vectors of a play frame.
#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/media.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/pose.h"

#include <cmath>

float hybrid_aim_x = 0, hybrid_aim_y = 0;

namespace {

float key(int k) { return key_down(k) ? 1.0f : 0.0f; }
float btn(int b) { return joy_down(b, used_port) ? 1.0f : 0.0f; }

// A hand-edited Config.txt may hold any percentage; outside 0..1 the caps no longer hold
// the ship (a sensitivity of -10% divides by zero, an inertia above 1 grows without end).
float unit_range(float v) {
    if (!(v >= 0)) return 0;
    return v > 1 ? 1 : v;
}

bool bomb_held() {
    switch (control_type) {
    case CONTROL_DUAL_ANALOG:
        return joy_down(active_pad.bomb_button, used_port);
    case CONTROL_MOUSE:
    case CONTROL_HYBRID:
        return key_down(key_bomb) || mouse_down(mouse_bomb);
    case CONTROL_KEYBOARD:
        return key_down(key_bomb);
    case CONTROL_JOYPAD:
        return joy_down(joypad_bomb_button, used_port);
    }
    return false;
}

void bomb_step() {
    menu_cooldown = menu_cooldown > 0 ? menu_cooldown - 1 : 0;
    // Held, not hit: keeping the button down bombs again as soon as the cooldown runs out.
    if (bomb_held() && menu_cooldown == 0) smart_bomb();
}

void keys_move() {
    move_x = key(key_move_right) - key(key_move_left);
    move_y = key(key_move_down) - key(key_move_up);
}

void keys_aim() {
    float across = key(key_fire_right) - key(key_fire_left);
    float down = key(key_fire_down) - key(key_fire_up);
    if (autofire == 0) {
        aim_x = across;
        aim_y = down;
        return;
    }
    // Later keys win; with nothing held the last direction stays and the ship keeps firing.
    if (key_down(key_fire_right)) {
        aim_x = 1;
        aim_y = down;
    }
    if (key_down(key_fire_left)) {
        aim_x = -1;
        aim_y = down;
    }
    if (key_down(key_fire_down)) {
        aim_y = 1;
        aim_x = across;
    }
    if (key_down(key_fire_up)) {
        aim_y = -1;
        aim_x = across;
    }
}

// Moves by the pointer's offset from the screen centre and puts it back there.
void mouse_move(float& dx, float& dy) {
    int cx = screen_width / 2, cy = screen_height / 2;
    dx = float(mouse_x() - cx);
    dy = float(mouse_y() - cy);
    move_pointer(cx, cy);
    float gain = 1 + 5 * unit_range(mouse_sensitivity);
    move_x = dx / 128 * gain;
    move_y = dy / 128 * gain;
}

void mouse_aim(float dx, float dy) {
    if (mouse_down(mouse_fire)) {
        // A still mouse keeps the last direction, so the stream of shots does not stop.
        if (move_x * move_x + move_y * move_y > 0) {
            aim_x = dx / 16;
            aim_y = dy / 16;
        }
    } else if (autofire == 0) {
        aim_x = aim_y = 0;
    }
}

float pad_axis(int i) {
    float v = joy_axis(used_port, active_pad.axis[i], active_pad.invert[i], active_pad.scale[i],
                       active_pad.centre[i]);
    return std::fabs(v) < active_pad.dead_zone[i] ? 0.0f : v;
}

void dual_analog() {
    move_x = pad_axis(0);
    move_y = pad_axis(1);
    aim_x = pad_axis(2);
    aim_y = pad_axis(3);
}

// The "up" button pushes toward the bottom of the screen; the Joypad Control screen draws it
// at the bottom of its diamond to match.
void joypad() {
    float across = btn(joypad_right_button) - btn(joypad_left_button);
    float down = btn(joypad_up_button) - btn(joypad_down_button);
    if (joypad_config == 0) {
        move_x = joy_slot(0, 0);
        move_y = joy_slot(0, 1);
        aim_x = across;
        aim_y = down;
    } else if (joypad_config == 1) {
        move_x = across;
        move_y = down;
        aim_x = joy_slot(0, 0);
        aim_y = joy_slot(0, 1);
    }
}

// Aims from the ship, as it stands on screen, toward the pointer.
void hybrid_relative_aim() {
    hybrid_aim_x = float(mouse_x());
    hybrid_aim_y = float(mouse_y());
    float ox = hybrid_aim_x - (player_x - float(camera_x));
    float oy = hybrid_aim_y - (player_y - float(camera_y));
    float d = std::sqrt(ox * ox + oy * oy);
    if (d < 1) d = 1;
    if (mouse_down(mouse_fire)) {
        aim_x = ox / d;
        aim_y = oy / d;
    } else if (autofire == 0) {
        aim_x = aim_y = 0;
    }
}

void turn_aim(float& toward, float step, float& other) {
    if (step < 0 ? toward > -1 : toward < 1) toward += step;
    if (other != 0) other *= 0.8f;
    aim_x = hybrid_aim_x;
    aim_y = hybrid_aim_y;
}

// The pointer sets a direction around the screen centre; the fire keys turn it.
void hybrid_centred_aim() {
    int cx = screen_width / 2, cy = screen_height / 2;
    float dx = float(mouse_x() - cx), dy = float(mouse_y() - cy);
    if (mouse_down(mouse_fire)) {
        float l = std::sqrt(dx * dx + dy * dy);
        if (l > 1) {
            hybrid_aim_x = dx / l;
            hybrid_aim_y = dy / l;
        }
        aim_x = hybrid_aim_x;
        aim_y = hybrid_aim_y;
        move_pointer(int(float(cx) + 80 * hybrid_aim_x), int(float(cy) + 80 * hybrid_aim_y));
    } else {
        move_pointer(cx, cy);
        if (autofire == 0) aim_x = aim_y = 0;
    }
    if (key_down(key_fire_up)) turn_aim(hybrid_aim_y, -0.1f, hybrid_aim_x);
    if (key_down(key_fire_down)) turn_aim(hybrid_aim_y, 0.1f, hybrid_aim_x);
    if (key_down(key_fire_right)) turn_aim(hybrid_aim_x, 0.1f, hybrid_aim_y);
    if (key_down(key_fire_left)) turn_aim(hybrid_aim_x, -0.1f, hybrid_aim_y);
}

// Inertia carries part of last frame's motion; the mouse cap lets fast swipes run past 1.
void inertia_and_cap(bool mouse_cap) {
    float keep = unit_range(inertia);
    last_move_x *= keep;
    last_move_y *= keep;
    move_x += last_move_x;
    move_y += last_move_y;
    float l = std::sqrt(move_x * move_x + move_y * move_y);
    if (mouse_cap) {
        float cap = 1 + 10 * unit_range(mouse_sensitivity);
        if (l > cap) {
            move_x /= cap;
            move_y /= cap;
        }
    } else if (l > 1) {
        move_x /= l;
        move_y /= l;
    }
    last_move_x = move_x;
    last_move_y = move_y;
}

} // namespace

void read_controls() {
    bomb_step();
    // The schemes that steer or aim with the mouse keep the pointer while they play.
    capture_pointer(control_type == CONTROL_MOUSE || control_type == CONTROL_HYBRID);
    float dx = 0, dy = 0;
    switch (control_type) {
    case CONTROL_DUAL_ANALOG:
        dual_analog();
        inertia_and_cap(false);
        break;
    case CONTROL_MOUSE:
        mouse_move(dx, dy);
        mouse_aim(dx, dy);
        inertia_and_cap(true);
        break;
    case CONTROL_KEYBOARD:
        keys_move();
        keys_aim();
        inertia_and_cap(false);
        break;
    case CONTROL_JOYPAD:
        joypad();
        inertia_and_cap(false);
        break;
    case CONTROL_HYBRID:
        if (hybrid_config == 0) {
            keys_move();
            hybrid_relative_aim();
            inertia_and_cap(false);
        } else if (hybrid_config == 1) {
            mouse_move(dx, dy);
            keys_aim();
            inertia_and_cap(true);
        } else if (hybrid_config == 2) {
            keys_move();
            hybrid_centred_aim();
            inertia_and_cap(false);
        }
        break;
    }
}

void draw_aim_cursor() {
    if (control_type != CONTROL_HYBRID) return;
    // Pointing: the cursor is the pointer as it is now; turning: it rides 80 px out along the aim.
    if (hybrid_config == 0) {
        int mx = 0, my = 0;
        mouse_seen(mx, my);
        draw_cursor(mx, my, frame_count, 7);
    }
    else if (hybrid_config == 2)
        draw_cursor(int(player_x + 80 * hybrid_aim_x - view_x()),
                    int(player_y + 80 * hybrid_aim_y - view_y()), frame_count, 7);
}

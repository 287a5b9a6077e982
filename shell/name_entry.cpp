// The name-entry screen after a top-ten game: eight cells, picked letter by letter with the
// cursors or a pad, or typed.
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/media.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "shell/vector_text.h"

#include <cmath>
#include <string>

namespace {

enum { KEY_RETURN = 13, KEY_SPACE = 32, KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40 };
enum { PAD_MOVE_X = 0, PAD_MOVE_Y = 1, PAD_FIRE_Y = 3 };

// The active pad's axis, read whatever the control scheme; small deflections count as rest.
float pad_axis(int i) {
    float v = joy_axis(used_port, active_pad.axis[i], active_pad.invert[i], active_pad.scale[i],
                       active_pad.centre[i]);
    return std::fabs(v) < 0.3f ? 0.0f : v;
}

// One held flag per axis: a pad held over repeats at the cooldown's pace, not every frame.
struct held_axis {
    bool held = false;
    float gate(float v) const { return held && menu_cooldown > 0 ? 0.0f : v; }
};

void click() { play_sfx(snd_quarkhit, 1, 0, 1); }

// Stepping up walks the letter cycle backwards.
int step_up(int c) {
    c--;
    if (c == 32) return 126;
    if (c == 64) return 32;
    if (c < 32) return 64;
    if (c == 96) return 32;
    if (c == 122) return 96;
    return c;
}

// Stepping down: A..Z, [ to `, { to ~, ! to @, the space, then A again.
int step_down(int c) {
    c++;
    if (c > 126) return 33;
    if (c == 65) return 32;
    if (c == 33) return 65;
    if (c == 123) return 91;
    if (c == 97) return 123;
    return c;
}

// The first typed key, letters lowercase unless a Shift is held; 0 when nothing was typed.
// Later keys keep their hits for the next frame, so fast typing fills the next cells.
int typed_char() {
    bool shift = key_down(160) || key_down(161);
    for (int k = 48; k <= 90; k++)
        if (key_hit(k)) return !shift && k >= 65 ? k + 32 : k;
    if (key_hit(KEY_SPACE)) return ' ';
    return 0;
}

void draw_screen(const std::string& name, const std::string& time, int p) {
    screen_setup();
    int cx = screen_width / 2, cy = screen_height / 2;
    int d = game_difficulty >= 0 && game_difficulty <= 2 ? game_difficulty : 1;
    set_color(255, 255, 255);
    draw_vector_text("Congratulations!", cx - 250, cy - 300, 3);
    draw_vector_text("You are in the top 10.", cx - 250, cy - 250, 3);
    draw_vector_text(std::string("Difficulty Level: ") + difficulty_names[d], cx - 250, cy - 200,
                     3);
    set_color(0, 255, 0);
    draw_vector_text("Score: " + std::to_string(score), cx - 200, cy - 100, 3);
    draw_vector_text("Time:  " + time, cx - 200, cy - 50, 3);
    draw_vector_text("Name:  " + name, cx - 200, cy, 3);
    // "Name:  " is seven cells of 15 pixels, so the underlines sit under the name's cells.
    for (int i = 0; i < 8; i++) {
        if (i == p)
            set_color(255, 255, 0);
        else
            set_color(0, 255, 0);
        draw_line(float(cx - 95 + 15 * i), float(cy + 22), float(cx - 83 + 15 * i), float(cy + 22));
    }
    set_color(255, 255, 255);
    draw_vector_text("Up and Down to select letter,", cx - 250, cy + 100, 3);
    draw_vector_text("Left and Right to select position.", cx - 250, cy + 150, 3);
    draw_vector_text("Press Enter when done.", cx - 250, cy + 200, 3);
}

bool pad_bomb_held() {
    if (menu_cooldown != 0) return false;
    if (control_type == CONTROL_JOYPAD) return joy_down(joypad_bomb_button, used_port);
    if (control_type == CONTROL_DUAL_ANALOG) return joy_down(active_pad.bomb_button, used_port);
    return false;
}

} // namespace

int name_entry() {
    screen_name = "name entry";
    camera_x = camera_y = 0;
    menu_cooldown = 20;
    play_sfx(snd_bonus1b, 1, 0, 1);
    const std::string time = time_text(frame_count);
    flush_keys();
    flush_mouse();
    int p = 0;
    held_axis held_vertical, held_horizontal, held_case;
    std::string name; // shown from the second frame on
    for (;;) {
        clear_screen();
        float case_axis = pad_axis(PAD_FIRE_Y);
        float vertical = pad_axis(PAD_MOVE_Y);
        float horizontal = pad_axis(PAD_MOVE_X);
        if (case_axis == 0) held_case.held = false;
        if (vertical == 0) held_vertical.held = false;
        if (horizontal == 0) held_horizontal.held = false;
        case_axis = held_case.gate(case_axis);
        vertical = held_vertical.gate(vertical);
        horizontal = held_horizontal.gate(horizontal);

        if (key_down(KEY_UP) && menu_cooldown == 0) vertical = -1;
        if (key_down(KEY_DOWN) && menu_cooldown == 0) vertical = 1;
        if (key_hit(KEY_LEFT)) horizontal = -1;
        if (key_hit(KEY_RIGHT)) horizontal = 1;
        if (case_axis != 0) held_case.held = true;
        if (vertical != 0) held_vertical.held = true;
        if (horizontal != 0) held_horizontal.held = true;

        if (int c = typed_char()) {
            name_chars[p] = c;
            horizontal = 1;
        }
        if (case_axis != 0) {
            click();
            int& c = name_chars[p];
            if (c >= 65 && c <= 90)
                c += 32;
            else if (c >= 97 && c <= 122)
                c -= 32;
            menu_cooldown = 15;
        }
        if (vertical < 0) {
            name_chars[p] = step_up(name_chars[p]);
            click();
            menu_cooldown = 8;
        }
        if (vertical > 0) {
            name_chars[p] = step_down(name_chars[p]);
            click();
            menu_cooldown = 8;
        }
        if (horizontal != 0) {
            click();
            menu_cooldown = 15;
            p = (p + (horizontal < 0 ? 7 : 1)) % 8;
        }

        draw_screen(name, time, p);
        name.clear();
        for (int c : name_chars) name.push_back(char(c));
        if (rand_int(0, 100) > 90) part_fireworks(2);
        part_update_all(1);
        part_draw_all();
        pace_frame();
        flip(1);
        if (menu_cooldown > 0) menu_cooldown--;
        if (key_hit(KEY_RETURN) || mouse_hit(mouse_bomb) || pad_bomb_held()) break;
    }
    menu_cooldown = 20;
    int rank = hiscore_insert(score, name, time, game_difficulty);
    // Saved at once: a crash or power cut later in the run keeps the new entry.
    hiscores_save();
    return rank;
}

#include "controls/menu.h"

#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/vector_text.h"

#include <cstdlib>

const menu* menu_open = nullptr;

namespace {

bool stick_held = false; // the move stick steps once per deflection

void place_pointer(const menu& m) {
    move_pointer(screen_width / 2 - 300, m.rows[size_t(m.selected)].y + m.pointer_offset);
}

void draw_menu(menu& m, int my) {
    if (m.background > 0 && screen_image) {
        set_blend(BLEND_SOLID);
        set_alpha(1);
        set_color(64, 64, 128);
        set_scale(m.background, m.background);
        draw_image(screen_image, float(screen_width / 2), float(screen_height / 2));
        set_scale(1, 1);
    }
    set_blend(BLEND_LIGHT);
    set_alpha(1);
    set_line_width(2);
    set_color(255, 0, 0);
    draw_vector_text(m.title, screen_width / 2 - 280, m.title_y, 6);
    for (size_t i = 0; i < m.rows.size(); i++) {
        const auto& r = m.rows[i];
        // The pointer's 16 x 16 square against the row's 20-pixel band.
        if (my + 8 > r.y && my - 8 < r.y + 20) m.selected = int(i);
    }
    for (size_t i = 0; i < m.rows.size(); i++) {
        if (int(i) == m.selected)
            set_color(255, 255, (m.frame * 8) % 255);
        else
            set_color(0, 200, 0);
        draw_vector_text(m.rows[i].label, screen_width / 2 - 280, m.rows[i].y, 4);
    }
    draw_cursor(screen_width / 2 - 300, my, m.frame, 4);
}

bool any_pad_button() {
    for (int b = 0; b < JOY_BUTTONS; b++)
        if (joy_down(b, used_port)) return true;
    return false;
}

} // namespace

int menu_run(menu& m, menu_accept* how) {
    menu_cooldown = 20;
    flush_keys();
    flush_mouse();
    place_pointer(m);
    const menu* outer = menu_open;
    menu_open = &m;
    int n = int(m.rows.size());
    int opened = 0;
    for (;;) {
        clear_screen();
        int my = mouse_y();
        draw_menu(m, my);
        pace_frame();
        flip(1);
        m.frame++;
        opened += 8;

        float stick = joy_axis(used_port, active_pad.axis[1], active_pad.invert[1],
                               active_pad.scale[1], active_pad.centre[1]);
        int step = 0;
        if (stick <= -0.6f || stick >= 0.6f) {
            if (!stick_held) step = stick < 0 ? -1 : 1;
            stick_held = true;
        } else {
            stick_held = false;
        }
        if (key_hit(38)) step = -1;
        if (key_hit(40)) step = 1;
        if (step) {
            m.selected = (m.selected + step + n) % n;
            place_pointer(m);
        }

        int accepted = -1;
        menu_accept way = ACCEPT_KEY;
        bool leave = key_hit(27) > 0;
        bool left = key_hit(37) > 0;
        if (key_hit(key_bomb) + key_hit(13) + mouse_hit(1) + key_hit(39) > 0) accepted = m.selected;
        if (leave || left) {
            if (m.leave_row >= 0) m.selected = m.leave_row;
            accepted = m.selected;
            way = ACCEPT_LEAVE;
        }
        if (accepted < 0 && menu_cooldown == 0 && opened > 120 && any_pad_button()) {
            accepted = m.selected;
            way = ACCEPT_PAD;
        }
        if (menu_cooldown > 0) menu_cooldown--;
        if (accepted >= 0) {
            if (way == ACCEPT_PAD) menu_cooldown = m.pad_cooldown;
            if (way == ACCEPT_LEAVE && m.leave_row >= 0) menu_cooldown = 20;
            flush_keys();
            flush_mouse();
            if (how) *how = way;
            menu_open = outer;
            return accepted;
        }
    }
}

int pause_menu(int in_game) {
    int H = screen_height;
    if (in_game) {
        // Paint the game once more so the frozen picture is what the player just saw.
        clear_screen();
        draw_frame();
        grab_image(screen_image, 0, 0);
    }
    menu m;
    m.title = "Options";
    m.title_y = H / 2 - 120;
    m.rows = {{"Exit Program", H / 2 - 40}, {"Settings", H / 2}};
    if (in_game) m.rows.push_back({"End Game", H / 2 + 40});
    m.rows.push_back({"Continue", H / 2 + (in_game ? 80 : 40)});
    const int cont = int(m.rows.size()) - 1, exit_row = 0, settings_row = 1, end_row = 2;
    m.selected = m.leave_row = cont;
    m.background = in_game ? 0.9f : 0;
    m.pad_cooldown = 10;
    for (;;) {
        int r = menu_run(m);
        if (r == settings_row) {
            int result = settings_menu(in_game);
            m.selected = settings_row;
            menu_cooldown = 20;
            if (result == 2 && in_game) return 2;
            continue;
        }
        if (in_game && r == end_row) {
            if (confirm_box(in_game, "End Game?")) {
                menu_cooldown = 20;
                return 2;
            }
            m.selected = end_row;
            menu_cooldown = 20;
            continue;
        }
        return r == exit_row ? 1 : 0;
    }
}

int confirm_box(int in_game, const std::string& title) {
    int H = screen_height;
    menu m;
    m.title = title.empty() ? "Confirm" : title;
    m.title_y = H / 2 - 80;
    m.rows = {{"Yes", H / 2}, {"No", H / 2 + 40}};
    m.selected = 1;
    m.leave_row = -1; // Escape answers with the selected row, "No" at first
    m.pointer_offset = 10;
    m.background = in_game ? 0.8f : 0;
    m.pad_cooldown = 20;
    return menu_run(m) == 0 ? 1 : 0;
}

int settings_menu(int in_game) {
    int H = screen_height;
    menu m;
    m.title = "Settings";
    m.title_y = H / 2 - 120;
    m.rows = {{"Audio", H / 2 - 40}, {"Video", H / 2}, {"Controls", H / 2 + 40},
              {"Game", H / 2 + 80},  {"Done", H / 2 + 120}};
    m.selected = m.leave_row = 4;
    m.background = in_game ? 0.8f : 0;
    int kept = 0;
    for (;;) {
        int r = menu_run(m);
        if (r == 4) return kept;
        // The settings screens themselves come later; their rows return here for now.
        if (r == 2) apply_joypad_config();
        m.selected = r;
        menu_cooldown = 20;
        flush_keys();
        flush_mouse();
    }
}

#include "controls/menu.h"

#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/settings_screens.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/replays_screen.h"
#include "shell/vector_text.h"

#include <cstdlib>

const menu* menu_open = nullptr;

namespace {

stick_latch rows_stick; // the move stick's Y steps the rows of every menu

bool overlaps(int mx, int my, int x, int y, int w, int h) {
    // The pointer's 16 x 16 square against the area.
    return mx + 8 > x && mx - 8 < x + w && my + 8 > y && my - 8 < y + h;
}

} // namespace

int stick_latch::step(float reading) {
    if (reading <= -0.6f || reading >= 0.6f) {
        int s = held ? 0 : (reading < 0 ? -1 : 1);
        held = true;
        return s;
    }
    held = false;
    return 0;
}

void menu_place_pointer(const menu& m) {
    const menu_row& r = m.rows[size_t(m.selected)];
    if (r.pointer_x != MENU_DEFAULT)
        move_pointer(r.pointer_x, r.pointer_y);
    else
        move_pointer(screen_width / 2 - 300, r.y + m.pointer_offset);
}

void menu_enter(menu& m) {
    menu_cooldown = 20;
    flush_keys();
    flush_mouse();
    m.opened = 0;
    menu_place_pointer(m);
}

void menu_frame_begin(menu& m) {
    clear_screen();
    int mx = mouse_x(), my = mouse_y();
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
    if (m.follow_mouse)
        for (size_t i = 0; i < m.rows.size(); i++) {
            const auto& r = m.rows[i];
            bool over = r.hover_w > 0 ? overlaps(mx, my, r.hover_x, r.hover_y, r.hover_w, r.hover_h)
                                      : overlaps(mx, my, 0, r.y, screen_width, 20);
            if (over) m.selected = int(i);
        }
    for (size_t i = 0; i < m.rows.size(); i++) {
        const auto& r = m.rows[i];
        if (int(i) == m.selected)
            set_color(255, 255, (m.frame * 8) % 255);
        else
            set_color(0, 200, 0);
        draw_vector_text(r.label, r.x != MENU_DEFAULT ? r.x : screen_width / 2 - 280, r.y, r.scale);
    }
}

void menu_frame_end(menu& m) {
    draw_cursor(m.pointer_free ? mouse_x() : screen_width / 2 - 300, mouse_y(), m.frame, 4);
    pace_frame();
    flip(1);
    m.frame++;
    m.opened += 8;
}

int menu_step_rows(menu& m) {
    int n = int(m.rows.size());
    int step = rows_stick.step(joy_axis(used_port, active_pad.axis[1], active_pad.invert[1],
                                        active_pad.scale[1], active_pad.centre[1]));
    if (key_hit(38)) step = -1;
    if (key_hit(40)) step = 1;
    if (step) {
        m.selected = (m.selected + step + n) % n;
        menu_place_pointer(m);
    }
    return step;
}

bool menu_pad_pressed(const menu& m, int buttons) {
    if (menu_cooldown != 0 || m.opened <= 120) return false;
    for (int b = 0; b < buttons && b < JOY_BUTTONS; b++)
        if (joy_down(b, used_port)) return true;
    return false;
}

void menu_cooldown_tick() {
    if (menu_cooldown > 0) menu_cooldown--;
}

int menu_run(menu& m, menu_accept* how) {
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        menu_frame_begin(m);
        menu_frame_end(m);
        menu_step_rows(m);

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
        if (accepted < 0 && menu_pad_pressed(m)) {
            accepted = m.selected;
            way = ACCEPT_PAD;
        }
        menu_cooldown_tick();
        if (accepted >= 0) {
            if (way == ACCEPT_PAD) menu_cooldown = m.pad_cooldown;
            if (way == ACCEPT_LEAVE && m.leave_row >= 0) menu_cooldown = 20;
            flush_keys();
            flush_mouse();
            if (how) *how = way;
            return accepted;
        }
    }
}

namespace {

// The Options menu's rows for the display now open (the Video screen may change it).
void pause_layout(menu& m, int in_game) {
    int H = screen_height;
    m.title = "Options";
    m.title_y = H / 2 - 120;
    // In a game the third row ends it; between games it opens the recorded ones.
    m.rows = {{"Exit Program", H / 2 - 40},
              {"Settings", H / 2},
              {in_game ? "End Game" : "Replays", H / 2 + 40},
              {"Continue", H / 2 + 80}};
}

void settings_layout(menu& m) {
    int H = screen_height;
    m.title = "Settings";
    m.title_y = H / 2 - 120;
    m.rows = {{"Audio", H / 2 - 40},
              {"Video", H / 2},
              {"Controls", H / 2 + 40},
              {"Game", H / 2 + 80},
              {"Done", H / 2 + 120}};
}

} // namespace

static int pause_menu_run(int in_game);

int pause_menu(int in_game) {
    int r = pause_menu_run(in_game);
    keep_point(); // the settings may have changed
    return r;
}

static int pause_menu_run(int in_game) {
    if (in_game) {
        // Paint the game once more so the frozen picture is what the player just saw.
        clear_screen();
        draw_frame();
        grab_image(screen_image, 0, 0);
    }
    menu m;
    pause_layout(m, in_game);
    const int exit_row = 0, settings_row = 1, third_row = 2, cont = 3;
    m.selected = m.leave_row = cont;
    m.background = in_game ? 0.9f : 0;
    m.pad_cooldown = 10;
    for (;;) {
        int r = menu_run(m);
        if (r == settings_row) {
            int result = settings_menu(in_game);
            pause_layout(m, in_game);
            m.selected = settings_row;
            menu_cooldown = 20;
            if (result == 2 && in_game) return 2;
            continue;
        }
        if (r == third_row) {
            if (!in_game) {
                replays_screen();
            } else if (confirm_box(in_game, "End Game?")) {
                menu_cooldown = 20;
                return 2;
            }
            m.selected = third_row;
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
    enum { AUDIO, VIDEO, CONTROLS, GAME, DONE };
    menu m;
    settings_layout(m);
    m.selected = m.leave_row = DONE;
    m.background = in_game ? 0.8f : 0;
    int kept = 0;
    for (;;) {
        int r = menu_run(m);
        int result = 0;
        switch (r) {
        case AUDIO:
            audio_settings(in_game);
            break;
        case VIDEO:
            result = video_settings(in_game);
            break;
        case CONTROLS:
            result = controller_selection(in_game);
            apply_joypad_config();
            break;
        case GAME:
            result = game_settings(in_game);
            break;
        default:
            return kept;
        }
        // A new display or new rules end a running game, whatever is opened after them.
        if (result == 2) kept = 2;
        settings_layout(m);
        m.selected = r;
        menu_cooldown = 20;
        flush_keys();
        flush_mouse();
    }
}

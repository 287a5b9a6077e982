// Audio, Video, Game and Controller Selection, and what every settings screen shares.
#include "controls/settings_screens.h"

#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/menu.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "shell/vector_text.h"

#include <algorithm>
#include <cmath>

namespace {

stick_latch values_stick; // the move stick's X changes a value once per deflection

const char* on_off(int v) { return v ? "On" : "Off"; }

// Return, the bomb key or a pad button leave from "Done" only; Escape goes there and leaves.
bool leaves_from_done(menu& m, const screen_keys& k, int done) {
    if (k.escape) m.selected = done;
    return k.escape || (m.selected == done && (k.ret || k.bomb || menu_pad_pressed(m)));
}

menu screen_menu(const char* title, int title_y, float background, int in_game) {
    menu m;
    m.title = title;
    m.title_y = title_y;
    m.background = in_game ? background : 0;
    return m;
}

} // namespace

float step_fraction(float value, int d) {
    int hundredths = int(std::lround(double(value) * 100.0)) + 5 * d;
    hundredths = std::clamp(hundredths, 0, 100);
    float f = float(hundredths) / 100.0f;
    while (int(double(f) * 100.0) < hundredths) f = std::nextafter(f, 2.0f);
    return f;
}

screen_keys read_screen_keys(bool return_steps) {
    screen_keys k;
    // Every source is read each frame, so a press is never left over for a later frame.
    int left = key_hit(37) + mouse_hit(1);
    int right = key_hit(39) + mouse_hit(2);
    int ret = key_hit(13);
    k.bomb = key_hit(key_bomb) > 0;
    k.escape = key_hit(27) > 0;
    k.d = values_stick.step(joy_axis(used_port, active_pad.axis[0], active_pad.invert[0],
                                     active_pad.scale[0], active_pad.centre[0]));
    if (left) k.d = -1;
    if (right) k.d = 1;
    if (return_steps) {
        if (ret) k.d = 1;
    } else {
        k.ret = ret > 0;
    }
    return k;
}

void draw_outline(float x, float y, float w, float h) {
    float r = x + w - 1, b = y + h - 1;
    draw_line(x, y, r, y);
    draw_line(r, y, r, b);
    draw_line(r, b, x, b);
    draw_line(x, b, x, y);
}

void draw_value_bar(int x, int y, int inner, float value, bool selected, bool yellow_box) {
    int g = selected ? 200 : 100;
    set_blend(BLEND_SOLID);
    set_line_width(1);
    if (yellow_box)
        set_color(255, 255, 0);
    else
        set_color(0, g, 0);
    draw_outline(float(x), float(y), float(inner + 2), 24);
    set_color(0, g, 0);
    draw_rect(float(x + 1), float(y + 1), std::clamp(value, 0.0f, 1.0f) * float(inner), 22);
    set_blend(BLEND_LIGHT);
    set_line_width(2);
}

void screen_leave() {
    flush_keys();
    flush_mouse();
}

int audio_settings(int in_game) {
    int W = screen_width, H = screen_height;
    enum { SFX, MUSIC, DONE };
    menu m = screen_menu("Audio Settings", H / 2 - 80, 0.7f, in_game);
    m.rows = {{"SFX Volume:", H / 2}, {"Music Volume:", H / 2 + 40}, {"Done", H / 2 + 80}};
    m.selected = DONE;
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        menu_frame_begin(m);
        draw_value_bar(W / 2, H / 2, 200, sfx_volume, m.selected == SFX, false);
        draw_value_bar(W / 2, H / 2 + 40, 200, music_volume, m.selected == MUSIC, false);
        menu_frame_end(m);
        menu_step_rows(m);
        screen_keys k = read_screen_keys();
        bool leave = k.ret || k.bomb || k.escape || menu_pad_pressed(m);
        if (k.d && m.selected == SFX) {
            sfx_volume = step_fraction(sfx_volume, k.d);
            set_sfx_channel_volume();
        } else if (k.d && m.selected == MUSIC) {
            set_music_volume(step_fraction(music_volume, k.d));
        } else if (k.d) {
            leave = true;
        }
        menu_cooldown_tick();
        if (leave) {
            screen_leave();
            return 0;
        }
    }
}

namespace {

struct video_values {
    int scroll, mode, field, set, windowed;
    bool operator==(const video_values&) const = default;
};

video_values video_now() { return {scroll, gfx_mode_index, field_size_index, gfx_set, windowed}; }

void video_restore(const video_values& v) {
    scroll = v.scroll;
    gfx_mode_index = v.mode;
    field_size_index = v.field;
    gfx_set = v.set;
    windowed = v.windowed;
}

void gfx_mode_failed() {
    std::string back = "Reverting to old settings: " + gfx_modes[gfx_mode_index].label;
    // Two seconds of frames rather than one long sleep: the window keeps answering.
    for (int i = 0; i < 100; i++) {
        clear_screen();
        screen_setup();
        set_color(0, 255, 255);
        draw_vector_text("Unable to set Gfx Mode", 20, 64, 3);
        draw_vector_text(back, 20, 94, 3);
        pace_frame();
        flip(1);
    }
}

} // namespace

int video_settings(int in_game) {
    int H = screen_height;
    enum { SCROLL, SCREEN, FIELD, SET, WINDOWED, FRAME, GLOW, DONE };
    menu m = screen_menu("Video Settings", H / 2 - 160, 0.7f, in_game);
    for (int n = 0; n <= DONE; n++) m.rows.push_back({"", H / 2 - 80 + 40 * n});
    m.rows[DONE].label = "Done";
    m.selected = DONE;
    const video_values entry = video_now();
    menu_enter(m);
    {
        menu_scope open(m);
        for (;;) {
            int mode = std::clamp(gfx_mode_index, 0, GFX_MODE_COUNT - 1);
            int field = std::clamp(field_size_index, 0, GFX_MODE_COUNT - 1);
            m.rows[SCROLL].label = std::string("Scroll: ") + on_off(scroll);
            m.rows[SCREEN].label =
                "Screen Size: " + gfx_modes[mode].name + " (" + gfx_modes[mode].label + ")";
            m.rows[FIELD].label = "Playfield Size: " + std::to_string(field_sizes[field][0]) + "X" +
                                  std::to_string(field_sizes[field][1]);
            m.rows[SET].label = std::string("Gfx Set: ") + gfx_set_names[std::clamp(gfx_set, 0, 3)];
            m.rows[WINDOWED].label = std::string("Windowed: ") + on_off(windowed);
            m.rows[FRAME].label = "Frame Rate: " + (frame_rate == 0 ? std::string("Display")
                                                                  : std::to_string(frame_rate));
            m.rows[GLOW].label = std::string("Glow: ") + glow_names[std::clamp(glow, 0, 2)];
            menu_frame_begin(m);
            menu_frame_end(m);
            menu_step_rows(m);
            screen_keys k = read_screen_keys();
            bool leave = leaves_from_done(m, k, DONE);
            if (k.d) switch (m.selected) {
                case SCROLL:
                    scroll = !scroll;
                    break;
                case SCREEN:
                    gfx_mode_index = std::clamp(mode + k.d, 0, GFX_MODE_COUNT - 1);
                    break;
                case FIELD:
                    field_size_index = std::clamp(field + k.d, 0, GFX_MODE_COUNT - 1);
                    break;
                case SET:
                    gfx_set = std::clamp(gfx_set + k.d, 0, 3);
                    break;
                case WINDOWED:
                    windowed = !windowed;
                    break;
                case FRAME: {
                    // Takes effect at once: it needs no new display and nothing to confirm.
                    const int* at = std::find(frame_rates, frame_rates + FRAME_RATE_COUNT,
                                              frame_rate_checked(frame_rate));
                    int n = std::clamp(int(at - frame_rates) + k.d, 0, FRAME_RATE_COUNT - 1);
                    frame_rate = frame_rates[n];
                    frame_rate_apply();
                    break;
                }
                case GLOW:
                    // A look, at once: nothing to reopen and nothing to confirm.
                    glow = std::clamp(glow + k.d, 0, 2);
                    glow_apply();
                    break;
                default:
                    leave = true;
                }
            menu_cooldown_tick();
            if (leave) break;
        }
    }
    screen_leave();
    if (video_now() == entry) return 0;
    if (!confirm_box(in_game, "Keep Changes?")) {
        video_restore(entry);
        return 0;
    }
    if (display_open()) return 2;
    video_restore(entry);
    apply_sizes();
    // A mode refused by the system itself may have taken the old display with it.
    if (!display_is_open()) display_open();
    gfx_mode_failed();
    screen_leave();
    return 0;
}

namespace {

struct game_values {
    int difficulty, life[3], bomb[3], autofire;
    float inertia;
};

game_values game_now() {
    game_values v{difficulty, {}, {}, autofire, inertia};
    std::copy(extra_life_table, extra_life_table + 3, v.life);
    std::copy(extra_bomb_table, extra_bomb_table + 3, v.bomb);
    return v;
}

bool game_same(const game_values& a, const game_values& b) {
    return a.difficulty == b.difficulty && std::equal(a.life, a.life + 3, b.life) &&
           std::equal(a.bomb, a.bomb + 3, b.bomb) && a.autofire == b.autofire &&
           a.inertia == b.inertia;
}

void game_restore(const game_values& v) {
    difficulty = v.difficulty;
    std::copy(v.life, v.life + 3, extra_life_table);
    std::copy(v.bomb, v.bomb + 3, extra_bomb_table);
    autofire = v.autofire;
    inertia = v.inertia;
}

int step_interval(int v, int d) { return std::clamp(v + 25000 * d, 25000, 300000); }

} // namespace

int game_settings(int in_game) {
    int W = screen_width, H = screen_height;
    enum { LEVEL, LIFE, BOMB, AUTOFIRE, INERTIA, DONE };
    menu m = screen_menu("Game Settings", H / 2 - 160, 0.7f, in_game);
    for (int n = 0; n <= DONE; n++) m.rows.push_back({"", H / 2 - 80 + 40 * n});
    m.rows[INERTIA].label = "Inertia:";
    m.rows[DONE].label = "Done";
    m.selected = DONE;
    // Every difficulty's intervals count, so an edit made on another level is never kept
    // or thrown away unasked.
    const game_values entry = game_now();
    menu_enter(m);
    {
        menu_scope open(m);
        for (;;) {
            int level = std::clamp(difficulty, 0, 2);
            m.rows[LEVEL].label = std::string("Starting Level: ") + difficulty_names[level];
            m.rows[LIFE].label = "Free Player: " + std::to_string(extra_life_table[level]);
            m.rows[BOMB].label = "Free Bomb: " + std::to_string(extra_bomb_table[level]);
            m.rows[AUTOFIRE].label = std::string("AutoFire: ") + on_off(autofire);
            menu_frame_begin(m);
            draw_value_bar(W / 2 - 120, H / 2 + 80, 300, inertia, m.selected == INERTIA, true);
            menu_frame_end(m);
            menu_step_rows(m);
            screen_keys k = read_screen_keys();
            bool leave = leaves_from_done(m, k, DONE);
            if (k.d) switch (m.selected) {
                case LEVEL:
                    difficulty = std::clamp(level + k.d, 0, 2);
                    break;
                case LIFE:
                    extra_life_table[level] = step_interval(extra_life_table[level], k.d);
                    break;
                case BOMB:
                    extra_bomb_table[level] = step_interval(extra_bomb_table[level], k.d);
                    break;
                case AUTOFIRE:
                    autofire = !autofire;
                    break;
                case INERTIA:
                    inertia = step_fraction(inertia, k.d);
                    break;
                default:
                    leave = true;
                }
            menu_cooldown_tick();
            if (leave) break;
        }
    }
    screen_leave();
    if (game_same(game_now(), entry)) return 0;
    if (confirm_box(in_game, "Keep Changes?")) return 2;
    game_restore(entry);
    return 0;
}

int controller_selection(int in_game) {
    int H = screen_height;
    enum { TYPE, CONFIGURE, DONE };
    menu m = screen_menu("Controller Selection", H / 2 - 80, 0.7f, in_game);
    m.rows = {{"", H / 2}, {"Configure Controls", H / 2 + 40}, {"Done", H / 2 + 80}};
    m.selected = DONE;
    menu_enter(m);
    menu_scope open(m);
    for (;;) {
        if (control_type < 0 || control_type > 4) control_type = 0;
        m.rows[TYPE].label = std::string("Type: ") + control_type_names[control_type];
        menu_frame_begin(m);
        menu_frame_end(m);
        menu_step_rows(m);
        screen_keys k = read_screen_keys();
        bool accept = k.ret || k.bomb || menu_pad_pressed(m);
        bool leave = false;
        if (k.escape) {
            m.selected = DONE;
            leave = true;
        } else if (m.selected == TYPE) {
            if (k.d < 0 || accept) control_type = (control_type + 4) % 5;
            if (k.d > 0) control_type = (control_type + 1) % 5;
            // A held pad button steps the type at a pace one can follow, not every frame.
            if (accept && !k.ret && !k.bomb) menu_cooldown = 20;
        } else if (m.selected == CONFIGURE && (accept || k.d)) {
            switch (control_type) {
            case CONTROL_DUAL_ANALOG:
                joypad_config_screen();
                break;
            case CONTROL_MOUSE:
                mouse_control(in_game);
                break;
            case CONTROL_KEYBOARD:
                keyboard_control(in_game);
                break;
            case CONTROL_JOYPAD:
                joypad_control(in_game);
                break;
            default:
                hybrid_control(in_game);
                break;
            }
            apply_joypad_config();
            m.selected = CONFIGURE;
            menu_enter(m);
            continue;
        } else if (m.selected == DONE && (accept || k.d)) {
            leave = true;
        }
        menu_cooldown_tick();
        if (leave) {
            screen_leave();
            return 0;
        }
    }
}

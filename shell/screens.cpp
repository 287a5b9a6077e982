#include "shell/screens.h"

#include "shell/attract.h"

#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/menu.h"
#include "media/media.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/pose.h"
#include "shell/replay.h"
#include "shell/replays_screen.h"
#include "shell/score.h"
#include "shell/vector_text.h"

#include <cmath>

const char* screen_name = "";

namespace {

// GET READY and GAME OVER: the word grows from nothing and shrinks back.
void draw_big_word(const char* word, float s) {
    set_scale(1, 1);
    set_rotation(0);
    set_blend(BLEND_LIGHT);
    set_alpha(1);
    set_line_width(2);
    set_color(0, int(55 + 200 * s), 0);
    draw_vector_text(word, int(screen_width / 2 - 405 * s), int(screen_height / 2 - 100 * s),
                     20 * s);
}

void circle_points(int cx, int cy, int r) {
    if (r <= 0) return;
    // Midpoint circle: eight points per step around the octants.
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
        const int pts[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                               {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : pts) plot(float(cx + p[0]), float(cy + p[1]));
        y++;
        if (err < 0)
            err += 2 * y + 1;
        else {
            x--;
            err += 2 * (y - x) + 1;
        }
    }
}

bool skip_pressed() { return key_hit(key_bomb) > 0 || mouse_hit(mouse_bomb) > 0; }

} // namespace

void screen_setup() {
    set_viewport(0, 0, screen_width, screen_height);
    set_origin(0, 0);
    set_scale(1, 1);
    set_rotation(0);
    set_line_width(2);
    set_blend(BLEND_LIGHT);
    set_alpha(1);
}

const char* const press_bomb_text = "Press BOMB Button to Start";

int attract_loop(const char* name, int frames, bool menu_back_cools,
                 const std::function<void(int i)>& draw) {
    screen_name = name;
    // Sparks and holes are drawn through the camera: after a scrolled game it may be anywhere.
    camera_x = camera_y = 0;
    flush_keys();
    menu_cooldown = 20;
    for (int i = 0; i < frames; i++) {
        clear_screen();
        draw(i);
        pace_frame();
        flip(1);
        if (menu_cooldown > 0) menu_cooldown--;
        if (menu_pressed()) {
            if (pause_menu(0)) return 1;
            if (menu_back_cools) menu_cooldown = 20;
        }
        if (bomb_pressed()) {
            game_started = 1;
            break;
        }
        // A record dropped on the window is watched at once; the attract cycle then goes on.
        std::string dropped = dropped_file();
        if (!dropped.empty()) {
            replay_watch_file(dropped);
            break;
        }
    }
    return 0;
}

void attract_sparks(int i, int above) {
    if (rand_int(0, 100) > above && i < 700) part_fireworks(1);
    part_update_all(1);
    part_draw_all();
    screen_setup();
}

void press_bomb_prompt(int i) {
    if (i % 50 <= 25) return;
    set_color(255, 255, 0);
    draw_vector_text(press_bomb_text, screen_width / 2 - 250, screen_height - 32, 4);
}

int get_ready() {
    screen_name = "get ready";
    centre_ship();
    play_sfx(snd_startup, 1, 0, 1);
    for (int i = 0; i < 60; i++) {
        bool drawn = world_step_draws();
        grid_relax();
        world_update(0);
        world_step_end(drawn, [i](float alpha) {
            clear_screen();
            draw_posed(alpha, draw_frame);
            draw_big_word("GET READY", std::fabs(sin_deg(float(i))));
        });
        if (step_ask(key_down(27) || skip_pressed())) break;
    }
    grid_pull(player_x, player_y, 20, 20);
    for (int i = 0; i < 40; i++) {
        bool drawn = world_step_draws();
        grid_relax();
        world_update(0);
        world_step_end(drawn, [i](float alpha) {
            clear_screen();
            draw_posed(alpha, draw_frame);
            set_color(240, 240, 0);
            if (i >= 11) draw_ship(float(int(player_x)), float(int(player_y)), float(ship_angle));
            set_color(240, 240, 0);
            set_scale(1, 1);
            int cx = screen_width / 2, cy = screen_height / 2;
            circle_points(cx, cy, 300 - 6 * i);
            circle_points(cx, cy, 300 - 8 * i);
            circle_points(cx, cy, 300 - 12 * i);
        });
        if (step_ask(key_down(27) || skip_pressed())) break;
    }
    shield_timer = 80;
    bottom_message_timer = 0;
    play_music(1);
    reset_multiplier();
    last_move_x = last_move_y = 0;
    move_pointer(screen_width / 2, screen_height / 2);
    return 0;
}

int game_over_screen() {
    screen_name = "game over";
    flush_keys();
    for (int b = 2; b <= 358; b += 2) {
        float s = std::fabs(sin_deg(float(b) / 2));
        freeze_actors = 1;
        bool drawn = world_step_draws();
        world_update(0);
        world_step_end(drawn, [s](float alpha) {
            clear_screen();
            draw_posed(alpha, draw_frame);
            draw_big_word("GAME OVER", s);
        });
        if (menu_pressed()) {
            int r = pause_menu(1);
            if (r == 1) return 1;
            // "End Game" or a kept settings change: the game is over already, so only the
            // animation ends, as the bomb key ends it.
            if (r == 2) break;
        }
        if (skip_pressed()) break;
    }
    return 0;
}

#include "player/ship.h"

#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "enemies/blackhole.h"
#include "media/media.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "shell/pose.h"

#include <cmath>

float player_x = 512, player_y = 384;
int ship_angle = 0;
int shield_timer = 0;
int cannons = 2, fire_delay = 0;
float shot_speed = 3;
int reverse_timer = 0, side_timer = 0, super_timer = 0, bouncy_timer = 0, powerup_duration = 16;

namespace {

void fire_stream(float angle, float f, float start_steps = 0) {
    float dx = aim_x * shot_speed * f, dy = aim_y * shot_speed * f;
    rotate_point(0, 0, angle, dx, dy);
    shot_fire(player_x + start_steps * dx, player_y + start_steps * dy, dx, dy, shot_speed * f);
}

void fire_timed_streams(float f) {
    if (reverse_timer > 0) fire_stream(-180, f);
    if (side_timer > 0) {
        fire_stream(90, f);
        fire_stream(-90, f);
    }
}

bool normalise_aim() {
    if (aim_x == 0 && aim_y == 0) return false;
    float len = std::sqrt(aim_x * aim_x + aim_y * aim_y);
    aim_x /= len;
    aim_y /= len;
    return true;
}

void fire_volley() {
    fire_delay = cannons / 2 + 4;
    if (!normalise_aim()) return;
    if (cannons % 2 == 1) fire_stream(0, 3.2f);
    if (cannons > 1) {
        float a = cannons % 2 == 1 ? 4.0f : 2.0f;
        fire_stream(a, 3.15f);
        fire_stream(-a, 3.15f);
    }
    if (cannons > 3) {
        fire_stream(5, 3.1f);
        fire_stream(-5, 3.1f);
    }
    fire_timed_streams(3.0f);
    play_sfx(snd_shotborn, 1, 0, 1);
}

// The test patterns of debug mode.
void fire_debug_volley() {
    static const int delays[5] = {4, 4, 8, 10, 8};
    fire_delay = delays[cannons >= 1 && cannons <= 4 ? cannons : 1];
    if (!normalise_aim()) return;
    switch (cannons) {
    case 2:
        fire_stream(12, 2.0f, 25);
        fire_stream(-12, 2.0f, 25);
        break;
    case 3:
        fire_stream(3, 2.0f);
        fire_stream(2, 2.05f);
        fire_stream(0, 2.05f);
        fire_stream(-2, 2.05f);
        fire_stream(-3, 2.0f);
        break;
    case 4:
        fire_stream(-2, 2.0f);
        fire_stream(0, 2.25f);
        fire_stream(2, 2.0f);
        break;
    default:
        fire_stream(0, 2.0f);
        break;
    }
    fire_timed_streams(2.0f);
    play_sfx(snd_shotborn, 1, 0, 1);
}

} // namespace

void centre_ship() {
    player_x = float(field_width / 2);
    player_y = float(field_height / 2);
    camera_x = (field_width - screen_width) / 2;
    camera_y = (field_height - screen_height) / 2;
}

void rotate_point(float cx, float cy, float angle, float& x, float& y) {
    float c = cos_deg(angle), s = sin_deg(angle);
    float ox = x - cx, oy = y - cy;
    x = cx + ox * c - oy * s;
    y = cy + oy * c + ox * s;
}

void ship_move() {
    player_x += move_x * ship_speed;
    if (player_x < 16 || player_x > float(field_width - 16)) {
        // The whole step is undone, and inertia bounces off the wall.
        player_x -= move_x * ship_speed;
        last_move_x = -last_move_x;
    }
    player_y += move_y * ship_speed;
    if (player_y < 16 || player_y > float(field_height - 16)) {
        player_y -= move_y * ship_speed;
        last_move_y = -last_move_y;
    }
    if (move_x != 0 || move_y != 0) ship_angle = int(atan2_deg(move_y, move_x) - 90.0f);
    if (std::fabs(move_x) > 0.1f || std::fabs(move_y) > 0.1f)
        for (int i = 0; i < 3; i++)
            trail_spawn(player_x - 12 * move_x + 8 * sin_deg(float(12 * frame_count + 45 * i)),
                        player_y - 12 * move_y + 8 * cos_deg(float(12 * frame_count + 45 * i)), 245,
                        245, 100, -move_x, -move_y);
}

void ship_fire() {
    for (int* t : {&reverse_timer, &side_timer, &shield_timer, &super_timer, &bouncy_timer})
        if (*t > 0) (*t)--;
    if (--fire_delay < 0) fire_delay = 0;
    if (fire_delay != 0) return;
    if (debug_mode)
        fire_debug_volley();
    else
        fire_volley();
}

void ship_black_hole_pull() {
    blackhole_list.for_each([](blackhole* h) {
        float ex = h->x - player_x, ey = h->y - player_y;
        float d = std::sqrt(ex * ex + ey * ey);
        if (d > 0 && d < 10 * h->mass) {
            player_x += ex / d / 30 * h->mass;
            player_y += ey / d / 30 * h->mass;
        }
    });
}

int kill_player() {
    if (god_mode || shield_timer > 0 || freeze_actors) return 0;
    freeze_actors = 1;
    stop_music();
    play_sfx(snd_die1, 1, 0, 1);
    for (int i = 0; i < 128; i++) part_spawn(player_x, player_y, 0, 240, 240, 0, 0, 1);
    grid_pull(player_x, player_y, 32, 64);
    shots.clear();
    clear_board(0);
    for (int i = 0; i < 100 && !step_ask(key_down(27)); i++) {
        bool drawn = world_step_draws();
        world_update(i);
        world_step_end(drawn, [](float alpha) {
            clear_screen();
            draw_posed(alpha, draw_frame);
        });
    }
    clear_board(1);
    lives -= 1;
    centre_ship();
    grid_reset();
    if (lives == 0) {
        game_over = 1;
        play_sfx(snd_gameover, 1, 0, 1);
    } else {
        if (cannons > 2) cannons -= 1;
        if (shot_speed > 3.0f) shot_speed -= 1.0f;
        reverse_timer = side_timer = super_timer = bouncy_timer = 0;
        aim_x = aim_y = 0;
        reset_multiplier();
        get_ready();
        screen_name = "play";
    }
    freeze_actors = 0;
    clear_screen();
    return 1;
}

void draw_ship(float x, float y, float angle) {
    float s;
    if (shield_timer <= 60 && (shield_timer / 4) % 2 != 1) {
        set_alpha(0.1f);
        s = 0.5f;
    } else {
        set_alpha(0.48f);
        s = 2.75f + float(shield_timer) / 128.0f;
    }
    set_scale(s, s);
    set_color(drift_colour.r, drift_colour.g, drift_colour.b);
    set_origin(player_x - view_x(), player_y - view_y());
    set_blend(BLEND_ALPHA);
    draw_poly(&circle_table[0][0], 18);
    set_origin(0, 0);
    set_scale(1, 1);
    set_alpha(1);
    set_blend(BLEND_LIGHT);
    set_color(255, 255, 255);
    set_rotation(angle);
    draw_image(img_whiteplayer, x - view_x(), y - view_y());
    set_rotation(0);
}

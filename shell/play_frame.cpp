#include "shell/play_frame.h"

#include "controls/controls.h"
#include "enemies/enemy.h"
#include "enemies/triangle.h"
#include "media/media.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/vector_text.h"
#include "shell/pose.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int camera_x = 0, camera_y = 0;
wandering_colour drift_colour;

namespace {

void drift(int& c, float& v, float rate) {
    c = int(float(c) + v / 10.0f * rate);
    if (c < 0) {
        c = 0;
        v = float(rnd(1, rate));
    }
    if (c > 255) {
        c = 255;
        v = -float(rnd(1, rate));
    }
}

// The view scrolls 2 to 10 px a frame, faster the nearer the ship is to an edge.
void scroll_axis(float player, int& camera, int screen, int field) {
    int s = int(player - float(camera));
    if (s < 500) {
        camera -= (5 - s / 100) * 2;
        if (camera < -80) camera = -80;
    }
    int e = int(player - float(camera) - float(screen));
    if (e > -500) {
        camera += (5 - std::abs(e) / 100) * 2;
        if (camera > field - screen + 80) camera = field - screen + 80;
    }
}

void move_camera() {
    if (!scroll) return;
    scroll_axis(player_x, camera_x, screen_width, field_width);
    scroll_axis(player_y, camera_y, screen_height, field_height);
}

void debug_popup(const std::string& text) {
    popup_create(text, int(player_x - 100), int(player_y - 64), 2);
}

void debug_keys() {
    if (step_ask(key_hit(114))) {
        if (++grid_style > 20) grid_style = 0;
        debug_popup("Grid Style =" + std::to_string(grid_style));
    }
    if (step_ask(key_hit(115))) {
        show_stars += 100;
        if (show_stars > 1000) show_stars = 0;
        debug_popup("Number of Stars =" + std::to_string(show_stars));
    }
    if (step_ask(key_hit(116))) {
        particle_gravity = !particle_gravity;
        debug_popup(particle_gravity ? "Particle Gravity ON" : "Particle Gravity OFF");
    }
    if (step_ask(key_hit(117))) {
        if (++particle_style > 3) particle_style = 0;
        debug_popup("Particle - Style " + std::to_string(particle_style));
    }
    if (step_ask(key_hit(118))) {
        debug_mode = !debug_mode;
        debug_popup(debug_mode ? "Debug ON" : "Debug OFF");
    }
    if (step_ask(key_hit(112))) {
        cheat_mode = !cheat_mode;
        debug_popup(cheat_mode ? "Cheatmode ON" : "Cheatmode OFF");
    }
    // Read every key each frame so a press made before cheating was on is not kept.
    bool k1 = step_ask(key_hit(49)), k2 = step_ask(key_hit(50)), k3 = step_ask(key_hit(51)), k4 = step_ask(key_hit(52));
    bool kx = step_ask(key_hit(88)), kz = step_ask(key_hit(90)), f2 = step_ask(key_hit(113));
    if (!cheat_mode) return;
    if (k1) reverse_timer += 450;
    if (k2) side_timer += 450;
    if (k3) super_timer += 450;
    if (k4) bouncy_timer += 450;
    if (kx) cannons = std::min(cannons + 1, 4);
    if (kz) shot_speed = std::min(shot_speed + 1.0f, 5.0f);
    if (f2) {
        god_mode = !god_mode;
        debug_popup(god_mode ? "God Mode ON" : "God Mode OFF");
    }
}

// The message fades by game steps, so it reads the same whatever frames are drawn.
void bottom_message_step() {
    if (bottom_message_timer <= 0) return;
    bottom_message_timer--;
    if (bottom_message_timer == 90) {
        bottom_message = "Power Up at " + std::to_string(next_powerup_score);
        bottom_message_length = int(bottom_message.size());
    }
}

void draw_bottom_message() {
    if (bottom_message_timer <= 0) return;
    int t = bottom_message_timer;
    set_color(t, t / 2 + 165, t);
    draw_vector_text(bottom_message, screen_width / 2 - 7 * bottom_message_length,
                     screen_height - 26, 2.8f);
}

void draw_status() {
    set_scale(1, 1);
    set_line_width(2);
    set_blend(BLEND_LIGHT);
    set_alpha(player_y < 80 ? 0.5f + player_y / 400.0f : 0.8f);
    if (lives > 1) {
        set_color(255, 255, 255);
        draw_image(img_icons, float(screen_width / 2 - 16), 19, 0);
    }
    if (lives > 2) {
        set_color(240, 240, 0);
        draw_vector_text(std::to_string(lives - 1), screen_width / 2 - 48, 10, 3);
    }
    if (bombs > 0) {
        set_color(255, 255, 255);
        draw_image(img_icons, float(screen_width / 2 + 16), 19, 1);
    }
    if (bombs > 1) {
        set_color(240, 240, 0);
        draw_vector_text(std::to_string(bombs), screen_width / 2 + 32, 10, 3);
    }
    draw_score_line();
    float edge = float(screen_height - 80);
    set_alpha(player_y > edge ? 1.0f - (player_y - edge) / 400.0f : 0.8f);
    draw_bottom_message();
}

void draw_border() {
    set_scale(1, 1);
    set_alpha(1);
    set_color(64, 64, 196);
    set_line_width(2);
    float cx = view_x(), cy = view_y();
    float w = float(field_width), h = float(field_height);
    draw_line(-cx, -cy, w - cx - 1, -cy);
    draw_line(-cx, -cy, -cx, h - cy - 1);
    draw_line(-cx, h - cy - 1, w - cx - 1, h - cy - 1);
    draw_line(w - cx - 1, h - cy - 1, w - cx - 1, -cy);
}

} // namespace

void colour_cycle(float rate) {
    drift(drift_colour.r, drift_colour.vr, rate);
    drift(drift_colour.g, drift_colour.vg, rate);
    drift(drift_colour.b, drift_colour.vb, rate);
}

int segment_near(float x1, float y1, float x2, float y2, float px, float py, float r) {
    float sx = x2 - x1, sy = y2 - y1;
    float len2 = sx * sx + sy * sy;
    float t = len2 > 0 ? ((px - x1) * sx + (py - y1) * sy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    float ex = x1 + t * sx - px, ey = y1 + t * sy - py;
    return ex * ex + ey * ey <= r * r ? 1 : 0;
}

void destroy_all_enemies() { enemies_destroy_all(); }

void play_step() {
    step_controls();
    ship_move();
    move_camera();
    debug_keys();
    ship_fire();
    triangle_links_hit_ship();
    ship_black_hole_pull();
}

void world_update(int step) {
    if (particle_gravity) part_gravity();
    colour_cycle(10);
    colour_cycle(10);
    popups_update();
    grid_looks_step();
    trails_update();
    grid_relax();
    if (step == 0 || step % 2 == 0) part_update_all(0);
    if (!freeze_actors) {
        enemies_update();
        powerups_update();
        blackholes_update();
        shots_update();
    }
    bottom_message_step();
}

void draw_frame() {
    grid_draw(grid_style);
    set_origin(0, 0);
    stars_draw();
    popups_draw();
    set_viewport(0, 0, screen_width, screen_height);
    set_scale(1, 1);
    set_alpha(1);
    trails_draw();
    part_draw_all();
    set_line_width(2);
    enemies_draw();
    powerups_draw();
    draw_status();
    if (!freeze_actors) {
        // Whole pixels at a frame a step; between steps the ship glides.
        float sx = pose_active() ? player_x : float(int(player_x));
        float sy = pose_active() ? player_y : float(int(player_y));
        draw_ship(sx, sy, float(ship_angle));
        shots_draw();
    }
    draw_border();
}

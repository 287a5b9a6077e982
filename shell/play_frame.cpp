#include "shell/play_frame.h"

#include "controls/controls.h"
#include "media/media.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/vector_text.h"

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

void draw_bottom_message() {
    if (bottom_message_timer <= 0) return;
    bottom_message_timer--;
    if (bottom_message_timer == 90) {
        bottom_message = "Power Up at " + std::to_string(next_powerup_score);
        bottom_message_length = int(bottom_message.size());
    }
    int t = bottom_message_timer;
    set_color(t, t / 2 + 165, t);
    draw_vector_text(bottom_message, screen_width / 2 - 7 * bottom_message_length,
                     screen_height - 26, 2.8f);
}

void draw_border() {
    set_scale(1, 1);
    set_alpha(1);
    set_color(64, 64, 196);
    set_line_width(2);
    float cx = float(camera_x), cy = float(camera_y);
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

void play_step() {
    // Until the control schemes land, the control step only counts the cooldown down.
    if (--menu_cooldown < 0) menu_cooldown = 0;
}

void world_update(int step) {
    if (particle_gravity) part_gravity();
    colour_cycle(10);
    colour_cycle(10);
    trails_update();
    grid_relax();
    if (step == 0 || step % 2 == 0) part_update_all(0);
    if (freeze_actors) return;
}

void draw_frame() {
    grid_draw(grid_style);
    set_origin(0, 0);
    stars_draw();
    set_viewport(0, 0, screen_width, screen_height);
    set_scale(1, 1);
    set_alpha(1);
    trails_draw();
    part_draw_all();
    set_line_width(2);

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

    if (!freeze_actors) draw_ship(int(player_x), int(player_y), ship_angle);
    draw_border();
}

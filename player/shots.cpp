#include "player/shots.h"

#include "audio/sound_bank.h"
#include "enemies/blackhole.h"
#include "enemies/enemy.h"
#include "media/media.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/pose.h"

#include <cmath>
#include <memory>

actor_list<shot> shots;

void shot_fire(float x, float y, float dx, float dy, float speed) {
    if (shots.size() >= SHOT_MAX) return;
    shots.add(std::make_unique<shot>(shot{x, y, dx, dy, speed}));
}

void shot::update() {
    bool dead = false;
    for (int k = 0; k < 2; k++) {
        x += dx / 2.0f;
        y += dy / 2.0f;
        flown += std::sqrt(dx * dx + dy * dy) / 2.0f;
        if (x < 0 || x > float(field_width - 1)) {
            x -= dx * 2.0f / 2.0f;
            flown = 0;
            if (bouncy_timer > 0)
                dx = -dx;
            else
                dead = true;
        }
        if (y < 0 || y > float(field_height - 1)) {
            y -= dy * 2.0f / 2.0f;
            flown = 0;
            if (bouncy_timer > 0)
                dy = -dy;
            else
                dead = true;
        }
        if (!dead) {
            if (super_timer > 0)
                hit_test(); // a super shot hurts what it passes and flies on
            else
                dead = hit_test() != 0;
        }
        if (!dead) bend_all();
        float v = std::sqrt(dx * dx + dy * dy);
        if (v > 0 && v < speed / 2.0f) {
            dx = dx / v * speed / 2.0f;
            dy = dy / v * speed / 2.0f;
        }
        if (dead) break;
        grid_push(x + dx * 2.0f, y + dy * 2.0f, 3, 0.025f);
    }
    if (!dead) return;
    int r = 165, g = 165, b = 83;
    if (super_timer > 0)
        r = 165, g = 32, b = 32;
    else if (bouncy_timer > 0)
        r = 32, g = 165, b = 32;
    for (int i = 0; i < 4; i++) part_spawn(x, y, 0, r, g, b, 0, 1);
    shots.remove(this);
    float p = (x - player_x) / float(field_width);
    float vol = (1.0f - std::fabs(p) / 10.0f) *
                (1.0f - std::fabs(y - player_y) / float(field_height) / 10.0f);
    play_sfx(snd_shotwall, 1.0f, p, vol);
}

int shot::hit_test() { return enemies_hit_by_shot(*this); }

void shot::bend_all() {
    blackhole_list.for_each([this](blackhole* h) {
        if (h->active) bend(h->x, h->y, int(75.0f + h->mass * 5.0f), int(h->mass / 4.0f));
    });
}

void shot::bend(float hx, float hy, int r, int s) {
    float ex = hx - x, ey = hy - y;
    float d2 = ex * ex + ey * ey;
    // Black holes push shots away, per axis; within 32 px they no longer bend them.
    if (d2 < float(r) * float(r) && d2 > 1024.0f) {
        dx += float(-sgn(ex)) / float(24 - s);
        dy += float(-sgn(ey)) / float(24 - s);
    }
}

void shots_update() {
    shots.for_each([](shot* s) { s->update(); });
}

void shots_draw() {
    set_blend(BLEND_LIGHT);
    set_alpha(1);
    set_scale(1, 1);
    set_origin(0, 0);
    if (super_timer > 0)
        set_color(255, 32, 32);
    else if (bouncy_timer > 0)
        set_color(32, 255, 32);
    else
        set_color(255, 255, 255);
    shots.for_each([](shot* s) {
        set_rotation(float(int(atan2_deg(s->dy, s->dx) + 90.0f)));
        draw_image(img_yellowshot, s->x - view_x(), s->y - view_y(), 0);
    });
    set_rotation(0);
}

void smart_bomb() {
    if (bombs <= 0) return;
    play_sfx(snd_explo1, 1.0f, 0, 1.0f);
    menu_cooldown = 60;
    bombs -= 1;
    for (float a = 0; a <= 719; a += 1.0f) {
        part_spawn(player_x, player_y, 1, 255, 255, 255, a / 2, 1);
        part_spawn(player_x, player_y, 9, 255, 255, 255, 0, 1);
    }
    enemies_destroy_all();
    reset_multiplier();
    grid_pull(player_x, player_y, 60, 60.0f);
    shield_timer = 65;
}

#include "player/powerups.h"

#include "audio/sound_bank.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/enemy.h"
#include "enemies/generator.h"
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

actor_list<powerup> powerups;
powerup_counts powerup_stats{};

namespace {

struct token_kind {
    const char* text;
    int length; // what the bottom message is centred by
    int frame;  // of "powerups.png"
};

const token_kind kinds[9] = {
    {"Reverse Shooter", 15, 2}, {"Side Shooters", 13, 3}, {"Extra Cannon", 12, 0},
    {"Faster Shots", 12, 5},    {"Extra Player", 12, 6},  {"Extra Bomb", 10, 8},
    {"Shield", 6, 9},           {"Super Shots", 15, 7},   {"Bouncy Shots", 15, 10},
};

void yellow_sparks(float x, float y) {
    for (int i = 0; i < 8; i++) part_spawn(x, y, 0, 255, 255, 32, 0, 1);
}

} // namespace

powerup* powerup_spawn(float x, float y, int kind, int delay) {
    auto p = std::make_unique<powerup>();
    p->x = x;
    p->y = y;
    p->kind = kind;
    p->delay = delay;
    p->spin = float(rand_int(0, 359));
    float s = float(rnd(0.5, 2.0)), a = float(rand_int(0, 359));
    p->dx = cos_deg(a) * s;
    p->dy = sin_deg(a) * s;
    return powerups.add(std::move(p));
}

void powerup_drop(int k) {
    float x = float(rand_int(400, field_width - 400));
    float y = float(rand_int(150, field_height - 150));
    int c = rand_int(0, 1);
    if (rand_int(0, 100) > 80) {
        c = 6;
        if (rand_int(0, 100) > 45) c = 7 + rand_int(0, 1);
    }
    if (shot_speed < 5.0f && rand_int(1, int(shot_speed)) < 2) c = 3;
    if (cannons < 4 && rand_int(1, cannons) == 1) c = 2;
    if (c < 2 && rand_int(0, 100) > 40) {
        if (lives < 2)
            c = 4;
        else if (bombs < 2)
            c = 5;
    }
    if (k != -1) c = k;
    powerup_spawn(x, y, c, 2);
    powerup_stats.dropped++;
    grid_push(x, y, 6, 1.0f);
}

void powerup::update() {
    float ex = x - player_x, ey = y - player_y;
    if (ex * ex + ey * ey < 656.0f) {
        // Taken once: a token touched while it waits must not pay out every frame.
        collect();
        powerup_stats.collected++;
        powerups.remove(this);
        return;
    }
    if (delay >= 1) {
        delay--;
        return;
    }
    age++;
    star = float(age) * 6.0f;
    spin += 1.0f;
    x += dx;
    y += dy;
    enemy_bounce(x, y, dx, dy, 8, float(field_width), float(field_height));
    if (holes()) return;
    if (rand_int(0, 100) > 96) attract(player_x, player_y, float(field_width));
    if (age > 200) {
        if (kind > 1) {
            powerups.for_each([this](powerup* p) {
                if (p == this || p->kind <= 1 || gone) return;
                float px = p->x - x, py = p->y - y;
                if (age > 300) {
                    // Kin left alone drift together ...
                    dx += float(sgn(px)) / 64.0f;
                    dy += float(sgn(py)) / 64.0f;
                    p->dx -= float(sgn(px)) / 64.0f;
                    p->dy -= float(sgn(py)) / 64.0f;
                }
                if (px * px + py * py < 512.0f) {
                    // ... and two that meet hatch a butterfly generator.
                    powerups.remove(p);
                    gone = 1;
                    powerup_stats.merged++;
                    generator::create(float(int(x)), float(int(y)), 10, 20, 20, 20);
                    yellow_sparks(x, y);
                }
            });
        } else if (age > 400) {
            gone = 1;
            powerup_stats.expired++;
            butterfly::create(float(int(x)), float(int(y)), 30);
            yellow_sparks(x, y);
        }
    }
    float v = std::sqrt(dx * dx + dy * dy) + 0.001f;
    if (v > 4.0f) {
        dx = dx / v * 4.0f;
        dy = dy / v * 4.0f;
    }
    if (gone) powerups.remove(this);
}

void powerup::attract(float px, float py, float radius) {
    float ex = px - x, ey = py - y;
    float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
    if (d < radius) {
        dx += ex / d;
        dy += ey / d;
    }
}

int powerup::holes() {
    blackhole* eater = nullptr;
    blackhole_list.for_each([&](blackhole* h) {
        if (eater) return;
        float ex = h->x - x, ey = h->y - y;
        float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
        if (d >= 75.0f + h->mass * 5.0f) return;
        dx += ex / d / 4096.0f * (400.0f - d);
        dy += ey / d / 4096.0f * (400.0f - d);
        if (d < 12.0f + h->mass) eater = h;
    });
    if (!eater) return 0;
    pop();
    powerup_stats.eaten++;
    eater->feed(1.0f);
    return 1;
}

void powerup::pop() {
    for (int i = 0; i < 15; i++) part_spawn(x, y, 2, 255, 255, 32, float(i) * 24 + spin, 1);
    powerups.remove(this);
}

void powerup::collect() {
    std::string text = kinds[kind].text;
    int length = kinds[kind].length;
    bool award = false;
    switch (kind) {
    case 0:
        reverse_timer += 20 * powerup_duration;
        break;
    case 1:
        side_timer += 20 * powerup_duration;
        break;
    case 2:
        if (++cannons >= 5) {
            cannons = 4;
            award = true;
        }
        break;
    case 3:
        shot_speed += 1.0f;
        if (shot_speed > 5.0f) {
            shot_speed = 5.0f;
            award = true;
        }
        break;
    case 4:
        if (lives < 10)
            lives++;
        else
            award = true;
        break;
    case 5:
        if (bombs < 9)
            bombs++;
        else
            award = true;
        break;
    case 6:
        shield_timer = std::min(shield_timer + 20 * powerup_duration, 40 * powerup_duration);
        break;
    case 7:
        super_timer += 20 * powerup_duration;
        break;
    case 8:
        bouncy_timer += 20 * powerup_duration;
        break;
    }
    if (award) {
        text = "2000 Points!";
        length = 12;
        add_score(int(x), int(y), 2000, 0);
    }
    bottom_message = text;
    bottom_message_length = length;
    popup_create(text, int(x - 6.0f * float(length)), int(y - 8.0f), 1);
    enemy_sfx(snd_bonus1, 1.0f, x, y);
}

void powerup::draw() {
    float sx = x - view_x(), sy = y - view_y();
    set_alpha(1);
    set_scale(1, 1);
    set_rotation(0);
    set_blend(BLEND_LIGHT);
    if (age > 360)
        set_color(180, 80, 200);
    else
        set_color(255, 255, 255);
    draw_image(img_powerups, sx, sy, kinds[kind].frame);
    if (age > 300)
        set_color(180, 80, 200);
    else
        set_color(drift_colour.r, drift_colour.g, drift_colour.b);
    set_origin(0, 0);
    set_rotation(star);
    draw_image(img_whitestar, sx, sy, 0);
    set_rotation(0);
    set_scale(1, 1);
    set_origin(0, 0);
}

void powerups_update() {
    powerups.for_each([](powerup* p) { p->update(); });
}

void powerups_draw() {
    powerups.for_each([](powerup* p) { p->draw(); });
}

void powerups_clear() { powerups.clear(); }

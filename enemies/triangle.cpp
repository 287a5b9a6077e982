#include "enemies/triangle.h"

#include "audio/sound_bank.h"
#include "shell/game_state.h"
#include "shell/pose.h"

actor_list<triangle> triangle_list;

namespace {
constexpr float triangle_outline[6] = {0, -10, 8, 6, -8, 6};
}

const enemy_consts triangle::consts = {
    .spawn_sound = &snd_buzz1,
    .min_dist = 100,
    .speed_lo = 0.25f,
    .speed_hi = 1.0f,
    .start_angle = -1,
    .margin = 8,
    .order = GRAVITY_ONLY,
    .seek_gain = 1,
    .separation = 0,
    .separation_step = 0,
    .speed_limit = &triangle_speed,
    .contact = 576,
    .pull = {25, 5, 500, 1024, 0, 0.5f},
    .hit = 148,
    .points = 150,
    .kill_sound = &snd_elastic,
    .kill_rate = 1,
    .sparks = 32,
    .spark_kind = 8,
    .sparks_turn = false,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 255,
    .g = 128,
    .b = 32,
    .outline = triangle_outline,
    .outline_points = 3,
    .outline_turn = 2,
    .outline_offset = 0,
    .image_turn = 2,
    .picture = &img_orangetriangle,
};

actor_list<triangle>& triangle::list() { return triangle_list; }

triangle* triangle::create(float x, float y, int spawn_delay) {
    return born(x, y, consts.min_dist, spawn_delay, true);
}

void triangle::unlink() {
    if (partner) {
        partner->linked = 0;
        partner->follower = 0;
        partner->partner = nullptr;
    }
    linked = 0;
    follower = 0;
    partner = nullptr;
}

void triangle::update() {
    if (spawn_delay > 0) {
        spawn_delay--;
        return;
    }
    link_tested = 0;
    angle += 2;
    triangle_list.for_each([this](triangle* t) {
        if (linked || t == this || t->linked) return;
        float ex = t->x - x, ey = t->y - y;
        if (ex * ex + ey * ey >= 1024) return;
        linked = t->linked = 1;
        partner = t;
        t->partner = this;
        link_strength = t->link_strength = 25;
    });
    if (linked && partner) {
        tether(partner->x, partner->y);
        if (!follower) blackhole_pull();
    } else {
        seek(player_x, player_y, 300);
        gravity();
    }
    float v = std::sqrt(dx * dx + dy * dy);
    if (v > triangle_speed) {
        dx = dx / v * triangle_speed;
        dy = dy / v * triangle_speed;
    }
    x += dx;
    y += dy;
    enemy_bounce(x, y, dx, dy, 8, float(field_width), float(field_height));
    float ex = x - player_x, ey = y - player_y;
    if (ex * ex + ey * ey < 576) {
        touched = 1;
        if (kill_player()) {
            unlink();
            triangle_list.remove(this);
        } else {
            touched = 0;
        }
    }
}

void triangle::tether(float px, float py) {
    float ex = px - x, ey = py - y;
    float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
    if (d > 150) {
        dx += ex / d * 32;
        dy += ey / d * 32;
    } else if (d < 64) {
        dx -= ex / d * 32;
        dy -= ey / d * 32;
    }
}

void triangle::blackhole_pull() {
    blackhole_list.for_each([this](blackhole* h) {
        if (!partner) return;
        partner->follower = 1;
        seek(h->x, h->y, float(int(100 + h->mass * 10)));
        float ex = h->x - x, ey = h->y - y;
        if (ex * ex + ey * ey >= 144 + 4 * h->mass * h->mass) return;
        if (!partner->strain(cos_deg(2 * h->angle) * 16, sin_deg(2 * h->angle) * 16)) return;
        // Worn out in the hole's core: the handler is swallowed, its partner set free.
        partner->link_strength = 0;
        link_strength = 0;
        unlink();
        triangle_list.remove(this);
        h->feed(1.0f);
    });
}

int triangle::strain(float ax, float ay) {
    dx -= ax / 2;
    dy -= ay / 2;
    link_strength -= 0.25f;
    return link_strength <= 0 ? 1 : 0;
}

void triangle::kill(int by_player, float push_x, float push_y) {
    if (!triangle_list.contains(this)) return;
    for (int i = 0; i < 4; i++)
        part_spawn(x, y, 8, int(20 + link_strength * 4), int(220 - link_strength * 4), 0, angle, 1);
    if (by_player && linked) {
        // A linked triangle takes the shot: knocked along its path, its link worn.
        dx -= push_x / 16;
        dy -= push_y / 16;
        link_strength -= 2.5f;
        if (link_strength <= 0) {
            link_strength = 0;
            if (partner) partner->link_strength = 0;
            unlink();
        }
        enemy_sfx(snd_echo1, 1, x, y);
        return;
    }
    // A bomb or a hole always destroys, and the partner is set free.
    unlink();
    if (by_player) add_score(int(x), int(y), 150, 1);
    grid_burst(int(x), int(y));
    enemy_sfx(snd_elastic, 1, x, y);
    for (int i = 0; i < 32; i++) part_spawn(x, y, 8, 255, 128, 32, 0, 1);
    triangle_list.remove(this);
}

void triangle::draw() {
    enemy_kind<triangle>::draw();
    if (!linked) return;
    set_blend(BLEND_LIGHT);
    set_rotation(4 * angle + 180);
    draw_image(img_orangetriangle, x - view_x(), y - view_y(), 0);
    set_rotation(0);
}

void triangle::draw_link() {
    if (!linked || touched || !partner) return;
    set_color(int(20 + link_strength * 8), int(220 - link_strength * 8), 0);
    float cx = view_x(), cy = view_y();
    draw_line(x - cx, y - cy, partner->x - cx, partner->y - cy);
}

int triangle_links_hit_ship() {
    int killed = 0;
    triangle_list.for_each([&](triangle* t) {
        if (killed || !t->linked || t->link_tested) return;
        t->link_tested = 1;
        if (!t->partner) return;
        t->partner->link_tested = 1;
        if (segment_near(t->x, t->y, t->partner->x, t->partner->y, player_x, player_y, 12)) {
            // One test per frame can end the ship; no further link is looked at.
            killed = 1;
            kill_player();
        }
    });
    return killed;
}

void triangles_draw() {
    set_blend(BLEND_LIGHT);
    set_alpha(1);
    set_scale(1, 1);
    set_origin(0, 0);
    triangle_list.for_each([](triangle* t) { t->draw_link(); });
    triangle_list.for_each([](triangle* t) { t->draw(); });
}

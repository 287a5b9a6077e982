#include "enemies/snake.h"

#include "audio/sound_bank.h"
#include "shell/pose.h"

#include <cmath>

actor_list<snake> snake_list;

const enemy_consts snake::consts = {
    .spawn_sound = &snd_wee,
    .min_dist = 90,
    .speed_lo = 0.5f,
    .speed_hi = 2.0f,
    .start_angle = -1,
    .margin = 8,
    .order = GRAVITY_ONLY,
    .seek_gain = 0,
    .separation = 0,
    .separation_step = 0,
    .speed_limit = &snake_speed,
    .contact = 576,
    .pull = {75, 5, 1200, 1024, 12, 0.5f},
    .hit = 81,
    .points = 100,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1,
    .sparks = 32,
    .spark_kind = 0,
    .sparks_turn = false,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 190,
    .g = 32,
    .b = 255,
    .outline = nullptr,
    .outline_points = 0,
    .outline_turn = 0,
    .outline_offset = 0,
    .image_turn = 0,
    .picture = &img_snakehead,
};

namespace {

constexpr int HEAD = SNAKE_LENGTH - 1;

void tail_sparks(float x, float y) {
    for (int i = 0; i < 8; i++) part_spawn(x, y, 0, 255, 96, 96, 0, 1);
}

} // namespace

actor_list<snake>& snake::list() { return snake_list; }

snake* snake::create(float x, float y, int index, int spawn_delay, int spare, float dx, float dy) {
    (void)spare;
    if (snake_list.size() > std::size_t(SNAKE_LIMIT)) return nullptr;
    spawn_point(x, y, int(player_x), int(player_y), consts.min_dist);
    auto s = std::make_unique<snake>();
    s->x = x;
    s->y = y;
    s->angle = float(rand_int(0, 359));
    s->spawn_delay = spawn_delay;
    s->index = index;
    if (index == HEAD) {
        enemy_sfx(snd_wee, 1, x, y);
        s->is_head = 1;
        s->heading = int(s->angle);
        s->turn = rand_int(0, 1);
        float v = float(rnd(consts.speed_lo, consts.speed_hi));
        s->dx = cos_deg(float(s->heading)) * v;
        s->dy = sin_deg(float(s->heading)) * v;
    } else {
        s->dx = dx;
        s->dy = dy;
    }
    // The segments behind go into the list first, so every create of one snake sees the
    // same count and the list runs from the tail end to the head.
    if (index > 0) {
        s->next = create(x, y, index - 1, spawn_delay, 0, 0, 0);
        if (s->next) s->next->prev = s.get();
    }
    return snake_list.add(std::move(s));
}

void snake::update() {
    if (dying) {
        if (spawn_delay > 0) spawn_delay--;
        if (next) {
            next->dying = 1;
            next->spawn_delay = spawn_delay;
        }
        die();
        return;
    }
    if (spawn_delay > 0) {
        spawn_delay--;
        return;
    }
    angle += 1;
    if (prev) {
        float ex = prev->x - x, ey = prev->y - y;
        float d = std::sqrt(ex * ex + ey * ey);
        // Far behind it closes up at full speed; near, it only creeps after the one ahead.
        if (d > 14) {
            dx = ex / d * snake_speed;
            dy = ey / d * snake_speed;
        } else {
            if (d == 0) d = 0.001f;
            dx = ex / d / 32;
            dy = ey / d / 32;
        }
    }
    if (is_head) {
        dx += cos_deg(float(heading)) * snake_speed;
        dy += sin_deg(float(heading)) * snake_speed;
        heading += turn == 0 ? 4 : -4;
        if (rand_int(1, 100) > 90) turn = 1 - turn;
        gravity();
    }
    cap_speed(snake_speed);
    x += dx;
    y += dy;
    float m = consts.margin, w = float(field_width), h = float(field_height);
    int bounces = (x < m || x > w - m) + (y < m || y > h - m);
    enemy_bounce(x, y, dx, dy, m, w, h);
    heading += 90 * bounces;
    float ex = x - player_x, ey = y - player_y;
    if (ex * ex + ey * ey < consts.contact) {
        touched = 1;
        spread_touched();
        if (kill_player()) discard();
    }
}

void snake::hit(int by_player) {
    // A pointer held through the frame may ask twice; a gone head starts no second ripple.
    if (!snake_list.contains(this)) return;
    if (!is_head) {
        if (by_player) enemy_sfx(snd_tailhit, 1, x, y);
        tail_sparks(x, y);
        return;
    }
    if (by_player) {
        add_score(int(x), int(y), consts.points, 1);
        enemy_sfx(snd_quarkhit, 1, x, y);
    }
    for (int i = 0; i < consts.sparks; i++) part_spawn(x, y, 0, consts.r, consts.g, consts.b, 0, 1);
    grid_burst(int(x), int(y));
    if (next) {
        next->dying = 1;
        // Only a shot's ripple is loud enough to hear (below 50 when the segments fall).
        next->spawn_delay = by_player ? 30 : 300;
    }
    discard();
}

void snake::spread_touched() {
    for (snake* s = prev; s; s = s->prev) s->touched = 1;
    for (snake* s = next; s; s = s->next) s->touched = 1;
}

void snake::die() {
    discard();
    if (spawn_delay < 50) enemy_sfx(snd_snakehit, 1, x, y);
    tail_sparks(x, y);
}

void snake::draw() {
    set_color(255, 255, 255);
    set_origin(0, 0);
    set_alpha(1);
    set_scale(1, 1);
    set_blend(BLEND_LIGHT);
    set_rotation(float(int(atan2_deg(dy, dx) + 90)));
    float ox = x - view_x(), oy = y - view_y();
    if (index == HEAD)
        draw_image(img_snakehead, ox, oy, 0);
    else
        draw_image(img_snaketail, ox, oy, index);
    set_rotation(0);
}

void snake::discard() {
    if (!snake_list.remove(this)) return;
    if (prev) prev->next = nullptr;
    if (next) next->prev = nullptr;
    prev = next = nullptr;
}

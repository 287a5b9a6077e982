#include "enemies/square.h"

#include "audio/sound_bank.h"

#include <cmath>

actor_list<square> square_list;

const enemy_consts square::consts = {
    .spawn_sound = &snd_buzz3,
    .min_dist = 100,
    .speed_lo = 2.0f,
    .speed_hi = 4.0f,
    .start_angle = 90,
    .margin = 12,
    .order = SEEK_THEN_GRAVITY,
    .seek_gain = 1,
    .separation = 1476,
    .separation_step = 1,
    .speed_limit = &square_speed,
    .contact = 576,
    .pull = common_pull,
    .hit = 260,
    .points = 100,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1.1f,
    .sparks = 16,
    .spark_kind = 6,
    .sparks_turn = false,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 32,
    .g = 255,
    .b = 32,
    .outline = corner_outline,
    .outline_points = 4,
    .outline_turn = 1,
    .outline_offset = 45,
    .image_turn = 1,
    .picture = &img_greensquare,
};

actor_list<square>& square::list() { return square_list; }

square* square::create(float x, float y, int spawn_delay) {
    return born(x, y, consts.min_dist, spawn_delay, true);
}

void square::dodge(float sx, float sy, float nx, float ny) {
    float ax = (sx - x) + 4 * (nx - sx), ay = (sy - y) + 4 * (ny - sy);
    float da = std::sqrt(ax * ax + ay * ay) + 0.001f;
    float bx = sx - nx, by = sy - ny;
    float db = std::sqrt(bx * bx + by * by) + 0.001f;
    if (da >= 100) return;
    // Away from where the shot will be, and back along its path: sideways when dead ahead.
    dx += -ax / da * 32 + bx / db * 32;
    dy += -ay / da * 32 + by / db * 32;
    float limit = square_speed * 1.25f, v = std::sqrt(dx * dx + dy * dy);
    if (v > limit) {
        dx = dx / v * limit;
        dy = dy / v * limit;
    }
}

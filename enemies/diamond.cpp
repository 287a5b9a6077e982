#include "enemies/diamond.h"

#include "audio/sound_bank.h"

#include <cmath>

actor_list<diamond> diamond_list;

const enemy_consts diamond::consts = {
    .spawn_sound = &snd_pop3,
    .min_dist = 100,
    .speed_lo = 0.25f,
    .speed_hi = 1.0f,
    .start_angle = -1,
    .margin = 8,
    .order = GRAVITY_THEN_SEEK,
    .seek_gain = 0.5f,
    .separation = 1300,
    .separation_step = 1,
    .speed_limit = &diamond_speed,
    .contact = 576,
    .pull = common_pull,
    .hit = 333,
    .points = 50,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 0.98f,
    .sparks = 16,
    .spark_kind = 3,
    .sparks_turn = false,
    .spark_step = 0,
    .spark_scatter = 8,
    .r = 32,
    .g = 255,
    .b = 255,
    .outline = nullptr,
    .outline_points = 4,
    .outline_turn = 0,
    .outline_offset = 0,
    .image_turn = 0,
    .picture = &img_bluediamond,
};

actor_list<diamond>& diamond::list() { return diamond_list; }

diamond* diamond::create(float x, float y, int spawn_delay) {
    return born(x, y, consts.min_dist, spawn_delay, true);
}

// A 256-frame cycle: stretch along x up to 63 and back, then along y up to 64 and back.
void diamond::stretch(int& a, int& b) const {
    int p = int(std::fmod(angle, 256.0f));
    a = b = 0;
    if (p > 127)
        a = p > 190 ? 255 - p : p - 127;
    else
        b = p > 63 ? 127 - p : p;
}

int diamond::outline(float* xy) const {
    int a, b;
    stretch(a, b);
    float ya = 12 + float(a) / 32, xb = 12 + float(b) / 32;
    const float pts[8] = {0, ya, xb, 0, 0, -ya, -xb, 0};
    for (int i = 0; i < 8; i++) xy[i] = pts[i];
    return 4;
}

float diamond::spawn_scale() const { return 1 + float(spawn_delay) / 5.0f; }

void diamond::outline_scale(float, float& sx, float& sy) const {
    int a, b;
    stretch(a, b);
    sx = 1.5f + float(b) / 16;
    sy = 1.5f + float(a) / 16;
}

void diamond::image_scale(float& sx, float& sy) const {
    int a, b;
    stretch(a, b);
    sx = 1 + float(b) / 80;
    sy = 1 + float(a) / 80;
}

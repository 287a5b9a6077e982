#include "enemies/butterfly.h"

#include "audio/sound_bank.h"

actor_list<butterfly> butterfly_list;

namespace {
const float wings[6] = {0, -10, 8, 6, -8, 6};
}

const enemy_consts butterfly::consts = {
    .spawn_sound = &snd_butterfly,
    .min_dist = 120,
    .speed_lo = 3.0f,
    .speed_hi = 6.0f,
    .start_angle = -1,
    .margin = 8,
    .order = SEEK_THEN_GRAVITY,
    .seek_gain = 2,
    .separation = 512,
    .separation_step = 1.0f / 8,
    .speed_limit = &butterfly_speed,
    .contact = 288,
    .pull = {75, 5, 500, 2048, 12, 1},
    .hit = 104,
    .points = 10,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1.0f,
    .sparks = 9,
    .spark_kind = 8,
    .sparks_turn = true,
    .spark_step = 120,
    .spark_scatter = 0,
    .r = 128,
    .g = 32,
    .b = 255,
    .outline = wings,
    .outline_points = 3,
    .outline_turn = 8,
    .outline_offset = 0,
    .image_turn = 8,
    .picture = &img_indigotriangle,
};

actor_list<butterfly>& butterfly::list() { return butterfly_list; }

butterfly* butterfly::create(float x, float y, int spawn_delay) {
    return born(x, y, consts.min_dist, spawn_delay, true);
}

#include "enemies/pinwheel.h"

#include "audio/sound_bank.h"

actor_list<pinwheel> pinwheel_list;

const enemy_consts pinwheel::consts = {
    .spawn_sound = &snd_pop2,
    .min_dist = 100,
    .speed_lo = 0.5f,
    .speed_hi = 2.0f,
    .start_angle = 90,
    .margin = 8,
    .order = GRAVITY_ONLY,
    .seek_gain = 0,
    .separation = 800,
    .separation_step = 1,
    .speed_limit = &pinwheel_speed,
    .contact = 576,
    .pull = common_pull,
    .hit = 260,
    .points = 25,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1.0f,
    .sparks = 16,
    .spark_kind = 6,
    .sparks_turn = true,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 200,
    .g = 64,
    .b = 255,
    .outline = corner_outline,
    .outline_points = 4,
    .outline_turn = 4,
    .outline_offset = 45,
    .image_turn = 4,
    .picture = &img_pinkpinwheel,
};

actor_list<pinwheel>& pinwheel::list() { return pinwheel_list; }

pinwheel* pinwheel::create(float x, float y, int spawn_delay) {
    return born(x, y, consts.min_dist, spawn_delay, true);
}

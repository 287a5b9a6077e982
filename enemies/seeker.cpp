#include "enemies/seeker.h"

#include "audio/sound_bank.h"
#include "shell/game_state.h"

actor_list<seeker> seeker_list;

const enemy_consts seeker::consts = {
    .spawn_sound = &snd_gruntborn,
    .min_dist = 100,
    .speed_lo = 3.0f,
    .speed_hi = 6.0f,
    .start_angle = -1,
    .margin = 8,
    .order = SEEK_THEN_GRAVITY,
    .seek_gain = 4,
    .separation = 976,
    .separation_step = 1,
    .speed_limit = &seeker_speed,
    .contact = 288,
    .pull = {75, 6, 700, 1024, 0, 0.5f},
    .hit = 148,
    .points = 10,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1.0f,
    .sparks = 16,
    .spark_kind = 2,
    .sparks_turn = true,
    .spark_step = 24,
    .spark_scatter = 0,
    .r = 32,
    .g = 64,
    .b = 255,
    .outline = &circle_table[0][0],
    .outline_points = 18,
    .outline_turn = 0,
    .outline_offset = 0,
    .image_turn = 0,
    .picture = &img_bluecircle,
};

actor_list<seeker>& seeker::list() { return seeker_list; }

seeker* seeker::create(float x, float y, int spawn_delay, int boost) {
    seeker* s = born(x, y, consts.min_dist, spawn_delay, true);
    s->boost = boost;
    return s;
}

float seeker::speed_limit() const { return seeker_speed + float(boost); }

#include "enemies/cube.h"

#include "audio/sound_bank.h"

actor_list<cube> cube_list;

const enemy_consts cube::consts = {
    .spawn_sound = &snd_snake1,
    .min_dist = 100,
    .speed_lo = 0.25f,
    .speed_hi = 2.0f,
    .start_angle = -1,
    .margin = 8,
    .order = SEEK_THEN_GRAVITY,
    .seek_gain = 2.5f,
    .separation = 1300,
    .separation_step = 1,
    .speed_limit = &cube_speed,
    .contact = 0,
    .pull = common_pull,
    .hit = 265,
    .points = 100,
    .kill_sound = &snd_quarkhit,
    .kill_rate = 1.0f,
    .sparks = 16,
    .spark_kind = 3,
    .sparks_turn = true,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 255,
    .g = 32,
    .b = 255,
    .outline = nullptr,
    .outline_points = 4,
    .outline_turn = 1,
    .outline_offset = 45,
    .image_turn = 1,
    .picture = &img_purplesquare1,
};

actor_list<cube>& cube::list() { return cube_list; }

cube* cube::create(float x, float y, int generation, int spawn_delay) {
    if (cube_list.size() >= CUBE_MAX) return nullptr;
    cube* c = born(x, y, consts.min_dist - 5.0f * float(generation), spawn_delay, generation == 0);
    c->generation = generation;
    return c;
}

float cube::speed_limit() const { return cube_speed - float(generation / 4); }
float cube::separation() const { return 1300.0f - 20.0f * float(generation); }
float cube::contact() const { return float((12 - generation) * (12 - generation) + 144); }
float cube::hit_radius() const { return 265.0f - 3.0f * float(generation); }
int cube::points() const { return generation == 0 ? 100 : 50; }
float cube::kill_rate() const { return generation == 0 ? 1.0f : 1.25f; }

// Fragments circle as they go, faster and wider the smaller they are.
void cube::extra_step() {
    float g = float(generation);
    x += sin_deg(angle * (g + 6)) * g;
    y += cos_deg(angle * (g + 6)) * g;
}

void cube::before_sparks(int by_player) {
    if (generation != 0 || !by_player) return;
    for (int i = 0; i < 3; i++) create(x - 30, y + float(rand_int(-30, 30)), 4, 2);
}

int cube::outline(float* xy) const {
    float s = float(12 - generation);
    const float pts[8] = {0, s, s, 0, 0, -s, -s, 0};
    for (int i = 0; i < 8; i++) xy[i] = pts[i];
    return 4;
}

image cube::picture() const { return generation == 0 ? img_purplesquare1 : img_purplesquare2; }

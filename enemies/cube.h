// The cube: a whole cube shot down splits into three smaller, wobbling fragments.
#pragma once

#include "enemies/enemy_model.h"

struct cube : enemy_kind<cube> {
    int generation = 0; // 0 whole, 4 a fragment

    template <class V> void fields(V& v) { enemy::fields(v), v(generation); }

    static const enemy_consts consts;
    static actor_list<cube>& list();
    // Refused (nullptr) while the list holds more than 100 cubes.
    static cube* create(float x, float y, int generation, int spawn_delay);

    float speed_limit() const;
    float separation() const;
    float contact() const;
    float hit_radius() const;
    int points() const;
    float kill_rate() const;
    void extra_step();
    void before_sparks(int by_player);
    int outline(float* xy) const;
    image picture() const;
};

constexpr int CUBE_MAX = 101;
extern actor_list<cube> cube_list;
inline cube* cube_create(float x, float y, int generation, int spawn_delay) {
    return cube::create(x, y, generation, spawn_delay);
}

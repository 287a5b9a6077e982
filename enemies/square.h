// The square: seeks the ship and sidesteps shots that are about to hit it.
#pragma once

#include "enemies/enemy_model.h"

struct square : enemy_kind<square> {
    static const enemy_consts consts;
    static actor_list<square>& list();
    static square* create(float x, float y, int spawn_delay);
    // A shot at (sx, sy) that will be at (nx, ny) next frame passed by.
    void dodge(float sx, float sy, float nx, float ny);
};

extern actor_list<square> square_list;
inline square* square_create(float x, float y, int spawn_delay) {
    return square::create(x, y, spawn_delay);
}

// The pinwheel: drifts and spins, never seeks.
#pragma once

#include "enemies/enemy_model.h"

struct pinwheel : enemy_kind<pinwheel> {
    static const enemy_consts consts;
    static actor_list<pinwheel>& list();
    static pinwheel* create(float x, float y, int spawn_delay);
};

extern actor_list<pinwheel> pinwheel_list;
inline pinwheel* pinwheel_create(float x, float y, int spawn_delay) {
    return pinwheel::create(x, y, spawn_delay);
}

// The butterfly: a quick, twirling seeker that flocks loosely.
#pragma once

#include "enemies/enemy_model.h"

struct butterfly : enemy_kind<butterfly> {
    static const enemy_consts consts;
    static actor_list<butterfly>& list();
    static butterfly* create(float x, float y, int spawn_delay);
};

extern actor_list<butterfly> butterfly_list;
inline butterfly* butterfly_create(float x, float y, int spawn_delay) {
    return butterfly::create(x, y, spawn_delay);
}

// Snakes come with their own module; until then a generator of snakes makes none.
#pragma once
#include "media/actor_list.h"
struct snake {
    float x = 0, y = 0;
    int touched = 0;
    static snake* create(float x, float y, int index, int spawn_delay, int spare, float dx,
                         float dy);
};
extern actor_list<snake> snake_list;

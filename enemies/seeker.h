// The seeker: a fast little circle that homes in on the ship.
#pragma once

#include "enemies/enemy_model.h"

struct seeker : enemy_kind<seeker> {
    int boost = 0; // added to the speed limit: seekers set loose by a black hole

    template <class V> void fields(V& v) { enemy::fields(v), v(boost); }

    static const enemy_consts consts;
    static actor_list<seeker>& list();
    static seeker* create(float x, float y, int spawn_delay, int boost);
    float speed_limit() const;
};

extern actor_list<seeker> seeker_list;
inline seeker* seeker_create(float x, float y, int spawn_delay, int boost) {
    return seeker::create(x, y, spawn_delay, boost);
}

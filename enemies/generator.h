// The generator: a stationary spawner drawn as the kind it makes, releasing one every
// period + 42 - size frames; each hit shrinks it for a point, the last pays 200.
#pragma once

#include "media/actor_list.h"

struct generator {
    float x = 0, y = 0;
    float angle = 0;
    int kind = 1;   // the enemy kind code it makes, 1..10
    int period = 0; // with the size, sets the frames between spawns
    float size = 0; // hit points and drawn size
    int touched = 0;
    int spawn_delay = 0;

    template <class V> void fields(V& v) {
        v(x), v(y), v(angle), v(kind), v(period), v(size), v(touched), v(spawn_delay);
    }

    static generator* create(float x, float y, int kind, int period, int size, int spawn_delay);
    void update();
    void spawn();
    void hit(int by_player);
    void draw();
    int interval() const { return period + 42 - int(size); }
};

extern actor_list<generator> generator_list;

// The colour of an enemy kind code 1..10.
void kind_colour(int kind, int& r, int& g, int& b);

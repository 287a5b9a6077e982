// Power-up tokens: dropped at score milestones, drifting, eaten by black holes, turning into
// enemies when left alone, and collected by the ship.
#pragma once

#include "media/actor_list.h"

struct powerup {
    float x = 0, y = 0;
    float dx = 0, dy = 0;
    float spin = 0; // degrees; aims the sparks of a token eaten by a hole
    int kind = 0;   // 0..8, the table in powerups.cpp
    int delay = 0;  // frames before it moves
    int age = 0;    // frames it has moved
    int gone = 0;   // removed at the end of its update

    template <class V> void fields(V& v) {
        v(x), v(y), v(dx), v(dy), v(spin), v(kind), v(delay), v(age), v(gone);
    }

    void update();
    void draw();
    void collect();
    void pop();
    // 1 when a hole ate it.
    int holes();
    void attract(float px, float py, float radius);
};

extern actor_list<powerup> powerups;
// What has become of the tokens since start-up, for the soak test.
struct powerup_counts {
    long dropped, collected, eaten, merged, expired;
};
extern powerup_counts powerup_stats;

powerup* powerup_spawn(float x, float y, int kind, int delay);
// Drops a token carrying kind (or a kind chosen at random when kind is -1).
void powerup_drop(int kind);
void powerups_update();
void powerups_draw();
void powerups_clear();

// The player's shots and the smart bomb.
#pragma once

#include "media/actor_list.h"

struct shot {
    float x, y, dx, dy, speed;
    float flown = 0; // px since it was fired or last bounced: the path a shield can have crossed

    template <class V> void fields(V& v) { v(x), v(y), v(dx), v(dy), v(speed), v(flown); }
    void update();
    int hit_test();
    void bend_all();
    void bend(float hx, float hy, int r, int s);
};

constexpr int SHOT_MAX = 500;
extern actor_list<shot> shots;

void shot_fire(float x, float y, float dx, float dy, float speed);
void shots_update();
void shots_draw();
void smart_bomb();

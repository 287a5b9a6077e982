// The interceptor: keeps re-aiming at the ship, turns at a fixed rate and thrusts hard once
// lined up, behind a shield bar that swallows shots from the front.
#pragma once

#include "enemies/enemy_model.h"

#include <cstdlib>

struct interceptor : enemy_kind<interceptor> {
    int facing = 0;        // degrees: where it thrusts and points
    int turn = 0;          // degrees still to turn; the shield is up within 4 of lined up
    int lock_cooldown = 0; // frames before the lock-on sound may play again
    float shield_x1 = 0, shield_y1 = 0, shield_x2 = 0, shield_y2 = 0; // refreshed every step

    template <class V> void fields(V& v) {
        enemy::fields(v);
        v(facing), v(turn), v(lock_cooldown), v(shield_x1), v(shield_y1), v(shield_x2), v(shield_y2);
    }

    static const enemy_consts consts;
    static actor_list<interceptor>& list();
    static interceptor* create(float x, float y, int spawn_delay);
    void update();
    void step();
    void draw();
    bool shield_up() const { return std::abs(turn) <= 4; }
    // The bar 64 px ahead along the direction of travel, 72 px long.
    void place_shield();
};

// Signed degrees from the direction of travel (dx, dy) to the target, -179..179; 0 within 5.
int turn_towards(float x, float y, float dx, float dy, float tx, float ty);
// 1 when the segments (ax, ay)-(bx, by) and (cx, cy)-(ex, ey) cross.
int segments_cross(float ax, float ay, float bx, float by, float cx, float cy, float ex, float ey);

extern actor_list<interceptor> interceptor_list;

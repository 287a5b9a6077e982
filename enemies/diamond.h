// The diamond: a slow seeker whose outline and picture stretch as it turns.
#pragma once

#include "enemies/enemy_model.h"

struct diamond : enemy_kind<diamond> {
    static const enemy_consts consts;
    static actor_list<diamond>& list();
    static diamond* create(float x, float y, int spawn_delay);
    // The stretch of this frame: a along y, b along x, 0..64, one of them always 0.
    void stretch(int& a, int& b) const;
    int outline(float* xy) const;
    float spawn_scale() const;
    void outline_scale(float t, float& sx, float& sy) const;
    void image_scale(float& sx, float& sy) const;
};

extern actor_list<diamond> diamond_list;
inline diamond* diamond_create(float x, float y, int spawn_delay) {
    return diamond::create(x, y, spawn_delay);
}

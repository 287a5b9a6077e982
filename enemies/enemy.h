// What the rest of the game asks of the enemies as a whole.
#pragma once

#include "media/media.h"

#include <cmath>

struct shot;

// Removes enemies: all of them, or all but the one that just destroyed the ship.
void enemies_clear(int everything);
// Empties every object list of the world (shots, tokens, trails, popups), enemies as
// enemies_clear does.
void world_lists_clear(int everything);
// Per-kind speed limits for a new game at the given difficulty.
void enemy_speeds_reset(int difficulty);
// The bomb: every enemy explodes without scoring.
void enemies_destroy_all();
// Tests a shot against every enemy list in the fixed order; 1 when the shot is spent.
int enemies_hit_by_shot(const shot& s);
// Every kind but the black holes, which come after the power-ups.
void enemies_update();
void blackholes_update();
void enemies_draw();
// Creates one enemy of a spawn index at (x, y) with that spawn-in delay.
void enemy_spawn(int spawn_index, float x, float y, int delay);

// Speed limits, pixels per frame, set by enemy_speeds_reset.
extern float square_speed, pinwheel_speed, diamond_speed, cube_speed, seeker_speed, blackhole_speed,
    snake_speed, interceptor_speed, butterfly_speed, triangle_speed;

// Moves (x, y) straight away from the ship at (px, py) in 10 px steps until min_dist away,
// then 20 px inside the playfield.
void spawn_point(float& x, float& y, int px, int py, float min_dist);
// Plays s panned and faded by where (x, y) lies from the ship.
channel enemy_sfx(sound s, float rate, float x, float y);
// The pan and volume enemy_sfx gives a sound at (x, y).
void enemy_pan(float x, float y, float& pan, float& volume);

// Turns a velocity component away from a wall it came within m of, and steps off it.
inline void enemy_bounce(float& x, float& y, float& dx, float& dy, float m, float w, float h) {
    if (x < m) {
        dx = std::fabs(dx);
        x += dx;
    } else if (x > w - m) {
        dx = -std::fabs(dx);
        x += dx;
    }
    if (y < m) {
        dy = std::fabs(dy);
        y += dy;
    } else if (y > h - m) {
        dy = -std::fabs(dy);
        y += dy;
    }
}

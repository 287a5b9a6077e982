// What the rest of the game asks of the enemies as a whole.
#pragma once

struct shot;

// Removes enemies: all of them, or all but the one that just destroyed the ship.
void enemies_clear(int everything);
// Per-kind speed limits for a new game at the given difficulty.
void enemy_speeds_reset(int difficulty);
// The bomb: every enemy explodes without scoring.
void enemies_destroy_all();
// Tests a shot against every enemy list in the fixed order; 1 when the shot is spent.
int enemies_hit_by_shot(const shot& s);
void enemies_update();
void enemies_draw();
// Creates one enemy of a spawn index at (x, y) with that spawn-in delay.
void enemy_spawn(int spawn_index, float x, float y, int delay);

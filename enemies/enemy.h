// What the game shell asks of the enemies as a whole.
#pragma once

// Removes enemies: all of them, or all but the one that just destroyed the ship.
void enemies_clear(int everything);
// Per-kind speed limits for a new game at the given difficulty.
void enemy_speeds_reset(int difficulty);

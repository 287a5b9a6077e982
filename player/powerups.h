// Power-up tokens: dropped by the scoring, collected by the ship.
#pragma once

// Drops a token carrying kind (or a kind chosen at random when kind is -1).
void powerup_drop(int kind);
void powerups_clear();

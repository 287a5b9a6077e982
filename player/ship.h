// The player's ship and its weapon state.
#pragma once

extern float player_x, player_y, ship_angle;
extern int shield_timer;
extern int cannons, fire_delay;
extern float shot_speed;
extern int reverse_timer, side_timer, super_timer, bouncy_timer, powerup_duration;

// Puts the ship in the middle of the playfield and the view over it.
void centre_ship();
void draw_ship(int x, int y, float angle);

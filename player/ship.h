// The player's ship and its weapon state: a set of globals moved by the play step.
#pragma once

extern float player_x, player_y;
extern int ship_angle;
constexpr int ship_speed = 6;
extern int shield_timer;
extern int cannons, fire_delay;
extern float shot_speed;
extern int reverse_timer, side_timer, super_timer, bouncy_timer, powerup_duration;

// Puts the ship in the middle of the playfield and the view over it.
void centre_ship();
// Movement, heading and exhaust for this frame's move vector.
void ship_move();
// Weapon countdowns, fire delay and the volley of this frame.
void ship_fire();
// Black holes tug at the ship.
void ship_black_hole_pull();
// Turns (x, y) about (cx, cy) by angle degrees, clockwise on screen.
void rotate_point(float cx, float cy, float angle, float& x, float& y);
// The ship dies unless protected: runs the death sequence; 1 when it died.
int kill_player();
void draw_ship(float x, float y, float angle);

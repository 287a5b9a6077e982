// Joypad configuration: per-port axis assignment, inversion, scale, centre and dead zone.
#pragma once

#include <string>

// Axis numbers 0-15: 0 reads nothing, 1-11 read slots 0-10, 12-15 read slots 12-15.
extern const char* const axis_names[16];

struct bbjoypad {
    int move_x_axis = 1, move_y_axis = 2, fire_x_axis = 4, fire_y_axis = 3;
    int invert[4] = {1, 1, 1, 1};                   // move X, move Y, fire X, fire Y
    float scale[4] = {1, 1, 1, 1};
    float centre[4] = {0, 0, 0, 0};
    float dead_zone[4] = {0, 0, 0, 0};
    int option_button = 1;
    int bomb_button = 2;
};

extern bbjoypad joypads[4];

// The record of the used port as play reads it: axis numbers minus 1 ("null" is -1).
struct active_pad_t {
    int axis[4] = {0, 1, 3, 2};
    int invert[4] = {1, 1, 1, 1};
    float scale[4] = {1, 1, 1, 1};
    float centre[4] = {0, 0, 0, 0};
    float dead_zone[4] = {0, 0, 0, 0};
    int bomb_button = 2, option_button = 1;
};
extern active_pad_t active_pad;

// invert x (raw / scale) - centre of an axis index (axis number - 1); 0 for none.
float joy_axis(int port, int axis_index, int invert, float scale, float centre);
void apply_joypad_config();

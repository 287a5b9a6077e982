// Joypad configuration: per-port axis assignment, inversion, scale, centre and dead zone.
#pragma once

#include <string>

// Axis numbers 0-15: 0 reads nothing, 1-11 read slots 0-10, 12-15 read slots 12-15.
extern const char* const axis_names[16];

struct bbjoypad {
    int move_x_axis = 1, move_y_axis = 2, fire_x_axis = 4, fire_y_axis = 3;
    int invert[4] = {1, 1, 1, 1}; // move X, move Y, fire X, fire Y
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

// Axis detection for the wizard: the first axis number 1-15 whose reading lies strictly
// between 0.5 and 0.9 times factor, tried up to 30 times 2 ms apart; 0 when Escape was hit,
// -1 when nothing moved.
int detect_axis(int port, float factor);

// The "Dual Stick Configuration" screen, kept as it was left between visits.
extern int selected_stick;              // 0 none, 1 stick 1, 2 stick 2
extern int wizard_running, wizard_step; // the axis wizard and its results so far (0-8)
extern int option_capture, bomb_capture;

void joypad_config_screen();
// The same screen a frame at a time: entering, then one frame drawn and handled but not
// presented; false once the player has left.
void joypad_screen_enter();
bool joypad_screen_frame();

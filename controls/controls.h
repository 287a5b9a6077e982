// Control schemes: the settings that turn keys, mouse and joypads into move and aim.
#pragma once

#include <string>

enum control_scheme { CONTROL_DUAL_ANALOG, CONTROL_MOUSE, CONTROL_KEYBOARD, CONTROL_JOYPAD, CONTROL_HYBRID };
extern const char* const control_type_names[5];

extern int control_type;
extern int hybrid_config, joypad_config;
extern int joypad_left_button, joypad_up_button, joypad_right_button, joypad_down_button;
extern int joypad_option_button, joypad_bomb_button;
extern int autofire;
extern int key_bomb, key_move_left, key_move_right, key_move_up, key_move_down;
extern int key_fire_left, key_fire_right, key_fire_up, key_fire_down;
extern float mouse_sensitivity;
extern int mouse_fire, mouse_bomb;
extern float inertia;
extern int used_port;

// The inputs of one play frame, reals in -1..1 (the mouse may exceed 1).
extern float move_x, move_y, aim_x, aim_y;
extern float last_move_x, last_move_y;
// Hybrid: the pointer position (relative aim) or the aim direction (centred aim).
extern float hybrid_aim_x, hybrid_aim_y;

// The control step at the start of every play frame: cooldown and bomb, then the move and
// aim vectors of the chosen scheme, with inertia and the speed cap.
void read_controls();
// The hybrid schemes' aiming cursor, where the last read_controls left the aim.
void draw_aim_cursor();

// A newcomer without Config.txt and without a joypad gets a scheme that works at once.
void controls_first_run(bool config_loaded);

// Escape, or the scheme's option button while no cooldown runs.
bool menu_pressed();
// The bomb key or mouse button, or the scheme's bomb button while no cooldown runs.
bool bomb_pressed();

// The rotating pointer cross of the menus and the hybrid scheme.
void draw_cursor(int x, int y, int phase, int size);

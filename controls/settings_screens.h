// The screens behind the Settings menu, and the configuration screen of each control scheme.
// Each edits the settings in place; only Video and Game can put the old values back.
#pragma once

#include <string>

int audio_settings(int in_game);       // 0
int video_settings(int in_game);       // 2 when a new display was set up, else 0
int game_settings(int in_game);        // 2 when changes were kept, else 0
int controller_selection(int in_game); // 0
int mouse_control(int in_game);        // 0
int hybrid_control(int in_game);       // 0
int keyboard_control(int in_game);     // 0
int joypad_control(int in_game);       // 0

// What the screens share.

// A fraction setting moved by d steps of 0.05 within 0..1, on whole hundredths and never
// just below one, so Config.txt (which cuts hundredths off) keeps what the bar showed.
float step_fraction(float value, int d);

// The keys of one settings frame. d: cursor left or the left mouse button -1, cursor right
// or the right button +1, the move stick across once per deflection; with return_steps,
// Return is a d of +1 rather than a key of its own.
struct screen_keys {
    int d = 0;
    bool ret = false, bomb = false, escape = false;
};
screen_keys read_screen_keys(bool return_steps = false);

// A value bar: an outline box (inner + 2) x 24 and a bar 22 high, value x inner long.
void draw_value_bar(int x, int y, int inner, float value, bool selected, bool yellow_box);
// A rectangle's outline, one pixel wide.
void draw_outline(float x, float y, float w, float h);
// Leaving a screen: no key or click carries over to the one beneath.
void screen_leave();

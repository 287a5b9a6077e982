// The input state the backends feed from their events; the game reads it through media.h.
#pragma once

#include "media.h"

void input_reset();
void input_key(int code, bool down);    // code 0..255; others ignored
void input_mouse_move(int x, int y);
void input_mouse_button(int button, bool down); // 1..3
void input_joy_plug(int port, bool present);
void input_joy_button(int port, int button, bool down);
void input_joy_slot(int port, int slot, float value); // clamped to -1..1

// The window lost the keyboard focus (the player went to another window or tab).
void input_focus_lost();
// A file was dropped on the window (or chosen on the page).
void input_file_dropped(const std::string& path);

// The player closed the window: runs the handler given to set_close_handler.
void media_window_closed();
// The program may end without a word (a browser's tab hidden or closed): runs the handler
// given to set_keep_handler.
void media_keep_now();

// The state of the game as a whole: which phase it is in and the per-game counters.
#pragma once

extern int game_started;  // an attract screen saw the bomb control
extern int game_over;     // the last ship is lost or the menu ended the game
extern int freeze_actors; // GET READY, dying, GAME OVER: nothing moves, nothing can be hit
extern int frame_count;   // play frames of this game; drives the spawn schedule
extern int menu_cooldown; // frames during which menu and pad buttons are ignored
extern int cheat_mode, god_mode, debug_mode;

extern int difficulty;      // the setting: 0 Easy, 1 Medium, 2 Hard
extern int game_difficulty; // the game in play
extern int lives, bombs;
extern const char* const difficulty_names[3];
// Score intervals of the extra ships and bombs per difficulty (Game Settings edits them).
extern int extra_life_table[3], extra_bomb_table[3];

extern float circle_table[18][2]; // an 18-sided disc of radius 8, scaled to draw filled circles
void circle_table_build();

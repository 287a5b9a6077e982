// The spine: start-up, the state machine of attract screens and play, and shut-down.
#pragma once

// The generator's state when the game in play began, and a seed the next game must use
// instead of where the generator stands (0: none).
extern int game_seed, next_game_seed;
void new_game();
void clear_board(int everything);
// Returns when the player leaves the program.
void run_game();

// Everything before run_game, in order; false when not even a fallback display opened.
bool game_startup();
// Shows the pointer and writes the settings and the top scores.
void game_shutdown();
// The whole program: start-up, run_game, shut-down. Returns the exit status.
int game_main();

// The spine: start-up, the state machine of attract screens and play, and shut-down.
#pragma once

#include <string>

// The generator's state when the game in play began, and a seed the next game must use
// instead of where the generator stands (0: none).
extern int game_seed, next_game_seed;
void new_game();
void clear_board(int everything);
// Returns when the player leaves the program.
void run_game();
// One game from GET READY to its end, live or played back from a record; 1 when the player
// left the program from it.
int play_game();
// Playback checks a record as fast as it runs, nothing drawn and no keys read.
extern bool replay_checking;
struct replay_data;
// Plays a record back through the game (drawn, with its sounds, unless checking) and says
// "Replay verified: SCORE" or "Replay out of sync at step N". Settings and tables are untouched.
std::string watch_replay(const replay_data& r);
// One line in the middle of the screen for three seconds, or until a key.
void show_verdict(const std::string& line);

// Everything before run_game, in order; false when not even a fallback display opened.
bool game_startup();
// Shows the pointer and writes the settings and the top scores.
void game_shutdown();
// The whole program: start-up, run_game, shut-down. Returns the exit status.
int game_main();

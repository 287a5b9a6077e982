// Every game is recorded as what its steps read from the player, and a recording plays back
// through the very same steps. Live play asks the devices and writes the answers down;
// playback takes the answers from the record and checks the game against its checkpoints.
#pragma once

#include "shell/replay_file.h"

#include <string>

enum replay_mode { REPLAY_OFF, REPLAY_RECORDING, REPLAY_PLAYING };
extern replay_mode replay_now;

// The steps' questions. Each answers from the devices (and is written down) in live play,
// and from the record in playback.
// read_controls, or the vectors and bomb of the record.
void step_controls();
// A yes/no question: the live answer is the one given while recording.
bool step_ask(bool live);
// The Options menu opened in play: -1 when it was not, else its answer; settings the menu
// changed are recorded and come back at the same step.
int step_menu();

// Recording: from the start of a game (after new_game) to its end, however it ends.
void replay_record_begin();
// The game in hand has ended, however: a recording is closed and written to replays/last.vxr;
// playback compares the end with the record's. Later calls for the same game do nothing.
void replay_game_ends();
// The last finished recording.
const replay_data& replay_last();
// Puts the entered name in the last recording and writes it again.
void replay_name_last(const std::string& name);

// Playback: the game is played from the record's settings, seed and switches. The player's
// settings and switches come back at the end.
void replay_play_begin(const replay_data& r);
// True once the record is used up, the game left it, or the viewer stopped it.
bool replay_play_over();
void replay_play_stop();
// The viewer stopped the last playback before its end.
bool replay_play_stopped();
// Ends playback: 0 when the game matched its record to the end; else the step where it did
// not (or the last step reached, for a record that was cut short).
uint32_t replay_play_end();
// The end of every world step: counts it, and records or checks a checkpoint.
void replay_step_done();
// Steps played back so far.
uint32_t replay_step_index();

// The replay a row of a top-ten table keeps (it may not exist).
std::string replay_row_path(int difficulty, int rank);
// The last game entered the table of `difficulty` at `rank`: it keeps its replay, and rows
// that fell out of the table lose theirs.
void replay_keep_top(int difficulty, int rank);
// Where finished games are kept.
std::string replay_folder();
std::string replay_last_path();

// The Replays screen, reached from the Options menu between games: the last game and the
// top-ten rows that kept their records, each played back when chosen.
#pragma once

#include <string>

// Returns when the player goes back; the settings, the tables and whatever the attract screen
// behind it shows are as they were.
void replays_screen();
// A record dropped on the window: played back with its verdict, or its refusal shown; the
// line is printed too.
void replay_watch_file(const std::string& path);

// What the screen shows besides its rows, for tests: the table listed (0 Easy, 1 Medium,
// 2 Hard) and the line under the rows (a refused file's reason, the last watch's verdict, or
// that there is nothing to watch).
extern int replays_difficulty;
extern std::string replays_note;

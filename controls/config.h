// Config.txt: every setting as pairs of lines, a bracketed key and its value.
#pragma once

#include <string>
#include <vector>

extern std::string status_message; // shown by the joypad configuration screen
extern int status_message_timer;

// Every setting as the lines Config.txt holds, and those lines read back.
std::vector<std::string> config_lines();
void config_apply_lines(const std::vector<std::string>& lines);
// Puts every setting back to its built-in value.
void settings_defaults();
// 1 when Config.txt was read, 0 when it could not be opened (nothing changes then).
int config_load();
// 1 when Config.txt was written, 0 when it could not be (the old file stays whole) or is
// read-only.
int config_save();

// The names the Keyboard Control screen shows for key codes.
#pragma once

#include <string>

constexpr int KEY_NAME_COUNT = 300;
extern std::string key_names[KEY_NAME_COUNT]; // empty where a code has no name

// Fills the table (start-up).
void key_names_build();
// The name of a code for the screen: its table entry, or "Key " and the number when the
// table has none, so a key without a name still shows that it is set.
std::string key_label(int code);

#include "controls/key_names.h"

std::string key_names[KEY_NAME_COUNT];

void key_names_build() {
    for (auto& n : key_names) n.clear();
    struct named {
        int code;
        const char* name;
    };
    // In the order they were first written down: where a code is named twice, the later
    // name is the one that shows.
    static const named table[] = {
        {1, "Mouse button (Left)"},
        {2, "Mouse button (Right)"},
        {4, "Mouse button (Middle)"},
        {8, "Backspace"},
        {9, "Tab"},
        {12, "Clear"},
        {13, "Return"},
        {13, "Enter"},
        {16, "Shift"},
        {17, "Control"},
        {18, "Alt"},
        {19, "Pause"},
        {20, "Caps Lock"},
        {27, "Escape"},
        {32, "Space"},
        {33, "Page Up"},
        {34, "Page Down"},
        {35, "End"},
        {36, "Home"},
        {37, "Cursor (Left)"},
        {38, "Cursor (Up)"},
        {39, "Cursor (Right)"},
        {40, "Cursor (Down)"},
        {41, "Select"},
        {42, "Print"},
        {43, "Execute"},
        {44, "Screen"},
        {45, "Insert"},
        {46, "Delete"},
        {47, "Help"},
        {91, "Sys key (Left)"},
        {92, "Sys key (Right)"},
        {106, "Numpad *"},
        {107, "Numpad +"},
        {107, "Minus"},
        {108, "Numpad /"},
        {109, "Numpad -"},
        {109, "Equals"},
        {110, "Numpad ."},
        {111, "Numpad /"},
        {144, "Num Lock"},
        {145, "Scroll Lock"},
        {160, "Shift (Left)"},
        {161, "Shift (Right)"},
        {162, "Control (Left)"},
        {163, "Control (Right)"},
        {164, "Alt key (Left)"},
        {165, "Alt key (Right)"},
        {186, "Semi-colon"},
        {188, "Comma"},
        {190, "Period"},
        {191, "Slash"},
        {192, "Tilde"},
        {219, "Bracket (Open)"},
        {221, "Bracket (Close)"},
        {222, "Quote"},
        {226, "Backslash"},
        {299, "Hit A Key"},
    };
    for (const auto& n : table) key_names[n.code] = n.name;
    for (int d = 0; d <= 9; d++) {
        key_names[48 + d] = std::string(1, char('0' + d));
        key_names[96 + d] = std::string("Numpad ").append(1, char('0' + d));
    }
    for (int c = 'A'; c <= 'Z'; c++) key_names[c] = std::string(1, char(c));
    for (int f = 1; f <= 12; f++) key_names[111 + f] = std::string("F").append(std::to_string(f));
}

std::string key_label(int code) {
    if (code >= 0 && code < KEY_NAME_COUNT && !key_names[code].empty()) return key_names[code];
    return "Key " + std::to_string(code);
}

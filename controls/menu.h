// Menus: modal loops of rows drawn in the stroke font over a frozen picture of the game.
#pragma once

#include <string>
#include <vector>

struct menu_row {
    std::string label;
    int y;
};

struct menu {
    std::string title;
    int title_y = 0;
    std::vector<menu_row> rows;
    int selected = 0;
    int leave_row = -1;        // Escape and cursor left accept this row; -1: the selected one
    int pointer_offset = 20;   // where the pointer is placed inside a row's band
    float background = 0;      // scale of the frozen game picture; 0 draws none
    int pad_cooldown = 10;     // menu_cooldown after a pad button accepted
    int frame = 0;
};

enum menu_accept { ACCEPT_KEY, ACCEPT_LEAVE, ACCEPT_PAD };

// The innermost menu now open (nullptr when none), for tests and the screenshot tooling.
extern const menu* menu_open;

// Runs the menu until a row is accepted; returns the row, and how it was accepted.
int menu_run(menu& m, menu_accept* how = nullptr);

// The Options menu: 0 "Continue", 1 "Exit Program", 2 "End Game".
int pause_menu(int in_game);
// The Yes/No box: 1 for "Yes", 0 for "No".
int confirm_box(int in_game, const std::string& title);
int settings_menu(int in_game);

// Menus: modal loops of rows drawn in the stroke font over a frozen picture of the game.
#pragma once

#include <climits>
#include <string>
#include <vector>

constexpr int MENU_DEFAULT = INT_MIN; // a row place the menu works out itself

struct menu_row {
    std::string label;
    int y;
    int x = MENU_DEFAULT; // the label's left edge; W/2 - 280 by default
    float scale = 4;
    // Where stepping to the row puts the pointer; (W/2 - 300, y + pointer_offset) by default.
    int pointer_x = MENU_DEFAULT, pointer_y = 0;
    // A hover area of its own instead of the row's full-width band (none while hover_w is 0).
    int hover_x = 0, hover_y = 0, hover_w = 0, hover_h = 0;
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
    bool pointer_free = false; // the pointer cross follows the mouse across as well
    bool follow_mouse = true;  // the row under the pointer becomes the selected one
    int frame = 0;
    int opened = 0; // grows by 8 a frame from entry: pad buttons count once it passes 120
};

enum menu_accept { ACCEPT_KEY, ACCEPT_LEAVE, ACCEPT_PAD };

// The innermost menu now open (nullptr when none), for tests and the screenshot tooling.
extern const menu* menu_open;

// Runs the menu until a row is accepted; returns the row, and how it was accepted.
int menu_run(menu& m, menu_accept* how = nullptr);

// The Options menu: 0 "Continue", 1 "Exit Program", 2 "End Game" (in a game; between games
// that row opens the Replays screen instead).
int pause_menu(int in_game);
// The Yes/No box: 1 for "Yes", 0 for "No".
int confirm_box(int in_game, const std::string& title);
// The Settings menu: 2 when a screen it opened changed the display or the game's rules.
int settings_menu(int in_game);

// The pieces every menu loop is made of, for the settings screens.

// Marks m as the open menu for as long as it lives.
struct menu_scope {
    const menu* outer;
    explicit menu_scope(const menu& m) : outer(menu_open) { menu_open = &m; }
    ~menu_scope() { menu_open = outer; }
    menu_scope(const menu_scope&) = delete;
    menu_scope& operator=(const menu_scope&) = delete;
};

// Entry: cooldown 20, keys and mouse flushed, the pointer on the selected row.
void menu_enter(menu& m);
void menu_place_pointer(const menu& m);
// Clears the screen and draws background, title and rows; the row under the pointer
// becomes the selected one. The screen then draws its own extras.
void menu_frame_begin(menu& m);
// Draws the pointer, paces and presents the frame.
void menu_frame_end(menu& m);
// Cursor up/down or the move stick, once per deflection: moves the selection and the
// pointer; returns the step (-1, 0, +1).
int menu_step_rows(menu& m);
// A pad button 0 .. buttons-1 of the used port held, past the cooldown and the first
// 16 frames.
bool menu_pad_pressed(const menu& m, int buttons = 16);
// Counts the cooldown down, never below 0.
void menu_cooldown_tick();

// A stick axis read as steps: +-1 when it passes 0.6 either way, then nothing until it
// has come back inside.
struct stick_latch {
    bool held = false;
    int step(float reading);
};

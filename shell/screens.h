// The attract screens, GET READY and GAME OVER: each a frame loop of its own.
#pragma once

// The screen whose loop is running ("title", "get ready", "play" ...), for tests.
extern const char* screen_name;

// The drawing state every screen starts from: whole viewport, no transform, additive.
void screen_setup();

// The title's intro: grows the title in over 600 frames on the first visit, kept at 600 after.
extern int title_intro;

// Attract screens return 1 when the player chose to leave the program from their menu.
int title_screen();
// highlight: -1 attract use (the difficulty columns take turns), 0-9 the rank just entered
// (drawn yellow in this game's column), -20 a game that missed the table (its score in red).
int top_scores_screen(int highlight);
int friends_screen();
int enemies_screen();
int get_ready();
// 1 when "Exit Program" was chosen from its menu; "End Game" only cuts the animation short.
int game_over_screen();

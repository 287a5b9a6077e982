// The attract screens, GET READY and GAME OVER: each a frame loop of its own.
#pragma once

// The screen whose loop is running ("title", "get ready", "play" ...), for tests.
extern const char* screen_name;

// The drawing state every screen starts from: whole viewport, no transform, additive.
void screen_setup();

// Attract screens return 1 when the player chose to leave the program from their menu.
int title_screen();
int top_scores_screen(int highlight);
int friends_screen();
int enemies_screen();
int get_ready();
int game_over_screen();

// What the four attract screens share: their frame loop, their fireworks and the start prompt.
#pragma once

#include <functional>

// Flushes the keys, then runs draw(i) for up to `frames` frames, presenting and pacing each;
// the menu opens the Options menu and the bomb starts a game. 1 when the player chose to
// leave the program. `menu_back_cools` gives the menu's return a fresh cooldown as well.
int attract_loop(const char* name, int frames, bool menu_back_cools,
                 const std::function<void(int i)>& draw);

// A firework now and then (random 0..100 above `above`) while i < 700, then the sparks
// advance inside the screen and are drawn.
void attract_sparks(int i, int above);

// "Press BOMB Button to Start" in yellow, shown on the second half of every 50 frames.
void press_bomb_prompt(int i);

// The start prompt's text, shared by the title's own larger prompt.
extern const char* const press_bomb_text;

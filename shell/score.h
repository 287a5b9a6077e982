// Score, multiplier, awards and the top-ten tables.
#pragma once

#include "media/actor_list.h"

#include <string>

extern int score, hiscore, lowest_top_score;
extern int multiplier, kill_count;
extern const int multiplier_thresholds[10];
extern int life_awards, bomb_awards, extra_life_every, extra_bomb_every;
constexpr int powerup_step = 2500;
extern int next_powerup_score;

extern std::string bottom_message;
extern int bottom_message_timer, bottom_message_length;

// [rank 0-9 plus a spare row][difficulty 0-2]
extern int hiscore_scores[11][3];
extern std::string hiscore_names[11][3];
extern std::string hiscore_times[11][3];
extern int name_chars[8];

// A floating score text that grows small and fades as it drifts.
struct score_popup {
    int x, y; // playfield pixels
    std::string text;
    int life; // frames left

    template <class V> void fields(V& v) { v.look(x), v.look(y), v.look(text), v.look(life); }
};
extern actor_list<score_popup> score_popups;

// Points times the multiplier, a popup, the kill count and every award threshold.
void add_score(int x, int y, int points, int show_popup);
// A floating text that lives 20 x life + 30 frames.
void popup_create(const std::string& text, int x, int y, int life);
void popups_update();
void popups_draw();
void popups_clear();

void hiscores_builtin();
// hiscores.dat: 90 lines, three difficulties of ten ranks of score, time and name.
void hiscores_load();
// Written by atomic replace; 1 when the file reached its place.
int hiscores_save();
int hiscore_insert(int score, const std::string& name, const std::string& time, int d);
std::string time_text(int frames);
// The name-entry screen; returns the rank the new score took.
int name_entry();

void reset_score();
void reset_multiplier();
void draw_score_line();

// Score, multiplier, awards and the top-ten tables.
#pragma once

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

void hiscores_builtin();
void reset_score();
void reset_multiplier();
void draw_score_line();

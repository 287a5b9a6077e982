#include "shell/score.h"

#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/vector_text.h"

int score = 0, hiscore = 0, lowest_top_score = 0;
int multiplier = 1, kill_count = 0;
const int multiplier_thresholds[10] = {25, 50, 100, 200, 400, 800, 1600, 3200, 6400, 12800};
int life_awards = 1, bomb_awards = 1, extra_life_every = 100000, extra_bomb_every = 150000;
int next_powerup_score = powerup_step;

std::string bottom_message;
int bottom_message_timer = 0, bottom_message_length = 0;

int hiscore_scores[11][3];
std::string hiscore_names[11][3];
std::string hiscore_times[11][3];
int name_chars[8] = {32, 32, 32, 32, 32, 32, 32, 32};

void hiscores_builtin() {
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            hiscore_scores[r][d] = 5000 - 500 * r;
            hiscore_times[r][d] = "1 min, 10 secs";
            hiscore_names[r][d] = "Orlo";
        }
}

void reset_score() {
    int d = difficulty >= 0 && difficulty <= 2 ? difficulty : 1;
    lowest_top_score = hiscore_scores[9][d];
    hiscore = hiscore_scores[0][d];
    score = 0;
}

void reset_multiplier() {
    multiplier = 1;
    kill_count = 0;
    int n = score + 2 * powerup_step;
    next_powerup_score = ((n / powerup_step) / 2) * powerup_step * 2;
    bottom_message_timer = 180;
    bottom_message = "Power Up at " + std::to_string(next_powerup_score);
    bottom_message_length = int(bottom_message.size());
}

void draw_score_line() {
    set_color(32, 255, 32);
    draw_vector_text("SCORE: " + std::to_string(score), 10, 10, 3);
    draw_vector_text("HISCORE: " + std::to_string(hiscore), screen_width - 260, 10, 3);
    draw_vector_text(std::to_string(multiplier) + "X", 236, 10, 3);
    if (debug_mode) draw_vector_text(std::to_string(frame_count), 300, 10, 3);
}

#include "shell/game_state.h"

#include "media/media.h"

int game_started = 0;
int game_over = 0;
int freeze_actors = 0;
int frame_count = 0;
int menu_cooldown = 30; // a little longer at program start
int cheat_mode = 0, god_mode = 0, debug_mode = 0;

int difficulty = 1;
int game_difficulty = 1;
int lives = 3, bombs = 3;
const char* const difficulty_names[3] = {"Easy", "Medium", "Hard"};
int extra_life_table[3] = {75000, 100000, 200000};
int extra_bomb_table[3] = {100000, 150000, 250000};

float circle_table[18][2];

void circle_table_build() {
    for (int i = 0; i < 18; i++) {
        circle_table[i][0] = 8.0f * cos_deg(20.0f * float(i));
        circle_table[i][1] = 8.0f * sin_deg(20.0f * float(i));
    }
}

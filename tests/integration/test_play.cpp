// Whole games, headless, with a scripted player: every control scheme, a bomb, tokens
// collected for a ship and a bomb, every ship lost, GAME OVER, name entry and the new row in the
// table and in hiscores.dat.
#include "controls/controls.h"
#include "controls/menu.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <cmath>
#include <string>

namespace {
using scripted_game = game_test;

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

enum { ESC = 27, RET = 13, SPACE = 32, UP = 38, RIGHT = 39 };

// An enemy touching the ship: at the start of the next play frame the ship is hit, inside
// the frame as an enemy's update would do it. Guarded so the nested frames of the death
// sequence do not die again.
bool dying = false, touch_pending = false;
void touch_ship() { touch_pending = true; }
void touch_at_frame_start() {
    if (!touch_pending || dying || !in("play")) return;
    touch_pending = false;
    dying = true;
    kill_player();
    dying = false;
}
} // namespace

TEST_F(scripted_game, a_scripted_game_from_the_title_to_the_table) {
    difficulty = 1;
    start();
    control_type = CONTROL_KEYBOARD;
    int step = 0, t = 0, shots_seen = 0, deaths = 0, names = 0, game_over_frames = 0;
    headless_on_step_begin(touch_at_frame_start);
    float start_x = 0;
    int bombs_before = 0, lives_before = 0, final_score = 0;
    long collected_before = 0;
    headless_joy_plug(0, true);
    play([&](int) {
        t++;
        if (in("game over")) game_over_frames++;
        switch (step) {
        case 0:
            if (in("title")) tap(SPACE), step++;
            break;
        case 1: // keyboard: move right and fire right
            if (in("play") && !dying) {
                start_x = player_x;
                headless_key(key_move_right, true);
                headless_key(key_fire_right, true);
                t = 0;
                step++;
            }
            break;
        case 2:
            shots_seen = std::max(shots_seen, int(shots.size()));
            if (t == 20) {
                headless_key(key_move_right, false);
                headless_key(key_fire_right, false);
                EXPECT_GT(player_x, start_x + 100);
                EXPECT_GT(shots_seen, 0);
                EXPECT_EQ(ship_angle, -90); // nose to the right
                bombs_before = bombs;
                headless_key(key_bomb, true); // the bomb is read as held
                step++, t = 0;
            }
            break;
        case 3: // the bomb went off once, however long the key is held
            if (t == 3) {
                headless_key(key_bomb, false);
                EXPECT_EQ(bombs, bombs_before - 1);
                EXPECT_GT(shield_timer, 0);
                control_type = CONTROL_MOUSE;
                shots.clear();
                headless_mouse_button(mouse_fire, true);
                step++, t = 0;
            }
            break;
        case 4: // mouse: push the pointer down while firing
            headless_mouse_move(512, 384 + 40);
            if (t == 30) {
                headless_mouse_button(mouse_fire, false);
                EXPECT_GT(shots.size(), 0u);
                control_type = CONTROL_JOYPAD;
                shots.clear();
                headless_joy_button(0, joypad_right_button, true);
                step++, t = 0;
            }
            break;
        case 5: // joypad: fire with a face button
            if (t == 20) {
                headless_joy_button(0, joypad_right_button, false);
                EXPECT_GT(shots.size(), 0u);
                control_type = CONTROL_DUAL_ANALOG;
                shots.clear();
                headless_joy_slot(0, 3, 1.0f);  // right stick across: aim right
                headless_joy_slot(0, 1, -1.0f); // left stick up: move up
                start_x = player_y;
                step++, t = 0;
            }
            break;
        case 6:
            if (t == 20) {
                headless_joy_slot(0, 3, 0);
                headless_joy_slot(0, 1, 0);
                EXPECT_GT(shots.size(), 0u);
                EXPECT_LT(player_y, start_x);
                control_type = CONTROL_HYBRID;
                hybrid_config = 0;
                shots.clear();
                headless_mouse_move(900, 384);
                headless_mouse_button(mouse_fire, true);
                step++, t = 0;
            }
            break;
        case 7: // hybrid: keys move, the mouse aims
            if (t == 20) {
                headless_mouse_button(mouse_fire, false);
                EXPECT_GT(shots.size(), 0u);
                control_type = CONTROL_KEYBOARD;
                add_score(int(player_x), int(player_y), 7777,
                          1); // a kill worth a place in the table
                lives_before = lives;
                bombs_before = bombs;
                collected_before = powerup_stats.collected;
                // Past the next extra ship and extra bomb: each drops its token.
                add_score(int(player_x), int(player_y),
                          std::max(extra_life_every, extra_bomb_every), 0);
                step++, t = 0;
            }
            break;
        case 8: // fly onto every token in turn
            if (powerup* p = powerups.first()) {
                player_x = p->x;
                player_y = p->y;
            } else if (t > 1) {
                EXPECT_EQ(lives, lives_before + 1);
                EXPECT_EQ(bombs, bombs_before + 1);
                // the ship, the bomb and the milestone tokens of both awards
                EXPECT_EQ(powerup_stats.collected - collected_before, 4);
                final_score = score;
                step++;
            }
            break;
        case 9: // lose every ship
            if (in("play") && !game_over && shield_timer == 0 && !dying && !touch_pending) {
                deaths++;
                touch_ship();
            }
            if (game_over) step++;
            break;
        case 10: // name entry: type a name and press Return
            if (in("name entry")) {
                names++;
                press({'A', 'C', 'E', RET});
                step++;
            }
            break;
        case 11: // the table, then leave from its menu
            if (in("top scores") && !menu_open) tap(ESC), step++;
            break;
        case 12:
            if (menu_titled("Options")) press({UP, UP, UP, RET}), step++;
            break;
        }
    });
    EXPECT_EQ(step, 13);
    EXPECT_EQ(deaths, 4); // Medium starts with three ships, and one came with a token
    EXPECT_EQ(names, 1);
    EXPECT_GE(game_over_frames, 179); // the whole GAME OVER, nothing pressed
    EXPECT_EQ(hiscore_scores[0][1], final_score);
    EXPECT_EQ(hiscore_names[0][1], "ace     ");
    // saved at once, before the program ends
    text_file* f = file_open_read("hiscores.dat");
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < 30; i++) file_read_line(f);
    EXPECT_EQ(file_read_line(f), std::to_string(final_score));
    file_close(f);
}

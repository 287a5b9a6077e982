#include "controls/menu.h"
#include "enemies/blackhole.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <string>
#include <vector>

namespace {
using spine = game_test;

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

enum { ESC = 27, RET = 13, SPACE = 32, UP = 38, DOWN = 40, LEFT = 37 };
} // namespace

TEST_F(spine, a_game_starts_from_the_title_and_end_game_returns_to_the_attract_cycle) {
    start();
    std::vector<std::string> seen;
    int step = 0;
    play([&](int) {
        if (seen.empty() || seen.back() != screen_name) seen.push_back(screen_name);
        switch (step) {
        case 0: // on the title: bomb starts a game
            if (in("title")) tap(SPACE), step++;
            break;
        case 1: // playing: Escape opens the Options menu
            if (in("play") && frame_count > 10) tap(ESC), step++;
            break;
        case 2: // Continue is selected: one up is End Game
            if (menu_titled("Options")) press({UP, RET}), step++;
            break;
        case 3:
            if (menu_titled("End Game?")) press({UP, RET}), step++;
            break;
        case 4: // back on the title: leave through its menu
            if (in("title") && !menu_open) tap(ESC), step++;
            break;
        case 5: // Exit Program is three rows up from Continue, past Replays
            if (menu_titled("Options")) press({UP, UP, UP, RET}), step++;
            break;
        }
    });
    EXPECT_EQ(step, 6);
    std::vector<std::string> want = {"title", "get ready", "play", "title"};
    ASSERT_GE(seen.size(), want.size());
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 4), want);
    EXPECT_EQ(game_started, 0);
}

TEST_F(spine, exit_program_from_play_leaves_at_once) {
    start();
    int step = 0;
    play([&](int) {
        if (step == 0 && in("title")) tap(SPACE), step++;
        else if (step == 1 && in("play")) tap(ESC), step++;
        else if (step == 2 && menu_titled("Options")) press({UP, UP, UP, RET}), step++;
    });
    EXPECT_EQ(step, 3);
    EXPECT_EQ(game_over, 1);
    EXPECT_TRUE(in("play")); // no GAME OVER screen, no top scores
}

TEST_F(spine, the_attract_screens_cycle_in_order) {
    start();
    std::vector<std::string> seen;
    play([&](int) {
        if (seen.empty() || seen.back() != screen_name) seen.push_back(screen_name);
        if (seen.size() == 5 && !menu_open) tap(ESC);
        if (menu_titled("Options")) press({UP, UP, UP, RET});
    });
    ASSERT_GE(seen.size(), 5u);
    EXPECT_EQ(seen[0], "title");
    EXPECT_EQ(seen[1], "top scores");
    EXPECT_EQ(seen[2], "friends");
    EXPECT_EQ(seen[3], "enemies");
    EXPECT_EQ(seen[4], "title");
}

TEST_F(spine, escape_held_cuts_get_ready_short) {
    start();
    int ready_frames = 0, step = 0;
    play([&](int) {
        if (step == 0 && in("title")) {
            tap(SPACE);
            step++;
        } else if (step == 1 && in("get ready")) {
            headless_key(ESC, true); // held through GET READY
            ready_frames++;
        } else if (step == 1 && in("play")) {
            headless_key(ESC, false);
            key_hit(ESC);
            step++;
        } else if (step == 2) {
            tap(ESC);
            step++;
        } else if (step == 3 && menu_titled("Options")) {
            press({UP, UP, UP, RET}), step++;
        }
    });
    EXPECT_LE(ready_frames, 2); // one frame of each phase instead of 60 + 40
    EXPECT_EQ(step, 4);
}

TEST_F(spine, escape_or_cursor_left_in_the_options_menu_continues) {
    start();
    int step = 0, resumed = 0;
    play([&](int) {
        if (step == 0 && in("title")) tap(SPACE), step++;
        else if (step == 1 && in("play") && !menu_open) tap(ESC), step++;
        else if (step == 2 && menu_titled("Options")) tap(ESC), step++;
        else if (step == 3 && !menu_open) {
            EXPECT_EQ(menu_cooldown, 19); // 20 when the menu closed, one play frame ago
            resumed++;
            tap(ESC), step++;
        } else if (step == 4 && menu_titled("Options")) tap(LEFT), step++;
        else if (step == 5 && !menu_open) resumed++, tap(ESC), step++;
        else if (step == 6 && menu_titled("Options")) press({UP, UP, UP, RET}), step++;
    });
    EXPECT_EQ(resumed, 2);
    EXPECT_EQ(step, 7);
}

TEST_F(spine, escape_in_the_yes_no_box_answers_no) {
    start();
    int step = 0, confirm_seen = 0;
    play([&](int) {
        if (step == 0 && in("title")) tap(SPACE), step++;
        else if (step == 1 && in("play")) tap(ESC), step++;
        else if (step == 2 && menu_titled("Options")) press({UP, RET}), step++;
        else if (step == 3 && menu_titled("End Game?")) confirm_seen++, tap(ESC), step++;
        else if (step == 4 && menu_titled("Options")) {
            EXPECT_EQ(menu_open->selected, 2); // back on End Game
            press({UP, UP, RET}), step++;
        }
    });
    EXPECT_EQ(confirm_seen, 1);
    EXPECT_EQ(step, 5);
    EXPECT_EQ(game_started, 1); // still in the game when Exit Program was chosen
}

TEST_F(spine, a_pad_button_held_as_the_menu_opens_waits_sixteen_frames) {
    headless_joy_plug(0, true);
    start();
    int step = 0, menu_frames = 0;
    play([&](int) {
        if (step == 0 && in("title")) tap(SPACE), step++;
        else if (step == 1 && in("play") && frame_count > 40) {
            tap(ESC);
            headless_joy_button(0, 5, true);
            step++;
        } else if (step == 2 && menu_titled("Options")) {
            menu_frames++;
        } else if (step == 2 && !menu_open) {
            headless_joy_button(0, 5, false);
            tap(ESC), step++;
        } else if (step == 3 && menu_titled("Options")) press({UP, UP, UP, RET}), step++;
    });
    EXPECT_GE(menu_frames, 16);
    EXPECT_LE(menu_frames, 21);
    EXPECT_EQ(step, 4);
}

TEST_F(spine, new_game_follows_the_difficulty_table) {
    start();
    struct row {
        int lives, bombs, frame, every_life;
        float speed;
    };
    const row want[3] = {{4, 4, 1, 75000, 4.0f}, {3, 3, 1, 100000, 3.0f}, {2, 2, 7000, 200000, 3.0f}};
    for (int d = 0; d < 3; d++) {
        difficulty = d;
        score = 1234;
        new_game();
        EXPECT_EQ(game_difficulty, d);
        EXPECT_EQ(lives, want[d].lives);
        EXPECT_EQ(bombs, want[d].bombs);
        EXPECT_EQ(frame_count, want[d].frame);
        EXPECT_EQ(extra_life_every, want[d].every_life);
        EXPECT_EQ(shot_speed, want[d].speed);
        EXPECT_EQ(cannons, 2);
        EXPECT_EQ(score, 0);
        EXPECT_EQ(multiplier, 1);
        EXPECT_EQ(next_powerup_score, 5000);
        EXPECT_EQ(bottom_message, "Power Up at 5000");
        EXPECT_EQ(menu_cooldown, 20);
    }
    difficulty = 1;
}

TEST_F(spine, clearing_the_board_keeps_the_enemy_that_touched_the_ship) {
    start();
    blackhole* keeper = blackhole_list.emplace();
    keeper->touched = 1;
    blackhole_list.emplace();
    clear_board(0);
    ASSERT_EQ(blackhole_list.size(), 1u);
    EXPECT_EQ(blackhole_list.first(), keeper);
    clear_board(1);
    EXPECT_TRUE(blackhole_list.empty());
}

TEST_F(spine, closing_the_window_saves_the_settings_and_ends_the_process) {
    start();
    set_close_handler(nullptr);
    EXPECT_EXIT(
        {
            ASSERT_TRUE(game_startup()); // installs the game's own close handler
            headless_close_window();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(file_exists("Config.txt"));
}

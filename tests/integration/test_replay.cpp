// Recorded games: every game leaves its record, and a record plays back to the same end.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/menu.h"
#include "playfield/grid_draw.h"
#include "media/headless/headless.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/pose.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <random>
#include <string>

namespace {

class replays : public game_test {
protected:
    void TearDown() override {
        replay_checking = false;
        world_blind = false;
        game_test::TearDown();
    }
    static bool in(const char* name) { return std::string(screen_name) == name; }

    // A Medium game with a random player who dies now and then, left through the menu's
    // "Exit Program" after `frames` play frames.
    void play_and_leave(int frames, unsigned input_seed) {
        std::minstd_rand input(input_seed);
        const int keys[] = {key_move_left, key_move_right, key_move_up, key_move_down,
                            key_fire_left, key_fire_right, key_fire_up, key_fire_down};
        int step = 0, played = 0;
        difficulty = 1;
        play([&](int) {
            if (step == 0 && in("title")) {
                next_game_seed = 99;
                tap(32), step++;
            } else if (step == 1 && in("play") && !menu_open) {
                for (int k : keys) headless_key(k, input() % 4 == 0);
                headless_key(key_bomb, input() % 400 == 0);
                if (++played == frames) {
                    for (int k : keys) headless_key(k, false);
                    tap(27), step++;
                }
            } else if (step == 2 && menu_open) {
                press({38, 38, 38, 13});
                step++;
            }
        });
    }
};

TEST_F(replays, a_game_left_through_the_menu_is_kept_and_plays_back_to_its_score) {
    start();
    extra_life_table[1] = 400; // set for the run in the Game screen, not kept in Config.txt
    extra_bomb_table[1] = 600;
    play_and_leave(2000, 5);
    settings_defaults(); // the viewer plays with other settings
    int final_score = score;
    replay_data r;
    std::string reason;
    ASSERT_EQ(replay_load(replay_last_path(), r, reason), REPLAY_OK) << reason;
    EXPECT_EQ(r.end_score, final_score);
    EXPECT_GT(r.steps.size(), 2000u);
    EXPECT_GE(r.checkpoints.size(), 8u);
    replay_checking = world_blind = true;
    EXPECT_EQ(watch_replay(r), "Replay verified: " + std::to_string(final_score));
    EXPECT_EQ(extra_life_table[1], 100000); // and has them back afterwards
    // A record tampered with is caught at its first checkpoint after the change.
    r.steps[600].move_x = r.steps[600].move_x == 0 ? 1 : 0;
    for (size_t i = 601; i < r.steps.size(); i++) r.steps[i].move_x = r.steps[600].move_x;
    std::string verdict = watch_replay(r);
    EXPECT_EQ(verdict.rfind("Replay out of sync at step ", 0), 0u) << verdict;
}

// The golden games (scripts/record-golden-replays) guard the rules: any change to what a step
// does shows as a game that no longer meets its checkpoints.
TEST_F(replays, the_golden_games_play_back_to_their_end) {
    start();
    replay_checking = true;
    int seen = 0, faults = pose_faults();
    for (const std::string& f : folder_files(std::string(VEX_SOURCE_DIR) + "/tests/replays")) {
        replay_data r;
        std::string reason;
        ASSERT_EQ(replay_load(std::string(VEX_SOURCE_DIR) + "/tests/replays/" + f, r, reason),
                  REPLAY_OK)
            << f << ": " << reason;
        std::string verified = "Replay verified: " + std::to_string(r.end_score);
        world_blind = true; // nothing drawn
        EXPECT_EQ(watch_replay(r), verified) << f;
        world_blind = false;
        seen++;
#ifdef __SANITIZE_ADDRESS__
        continue; // the sanitizers look for memory faults: one playback each is enough
#endif
        if (r.steps.size() > 10000) continue; // the long game: the short ones show the rest
        headless_set_present_cost_us(35000); // drawn, three steps in four left undrawn
        EXPECT_EQ(watch_replay(r), verified) << f << ", drawn by a slow renderer";
        headless_set_present_cost_us(0);
        world_present_rate(144, false); // drawn between the steps
        int presents = headless_stats().presents;
        EXPECT_EQ(watch_replay(r), verified) << f << ", drawn at 144 frames a second";
        EXPECT_GT(headless_stats().presents - presents, int(r.steps.size()) * 2);
        world_present_rate(50, false);
        // On a screen of another size the view scrolls otherwise; the game is the same.
        int w = screen_width, h = screen_height;
        screen_width = 1600, screen_height = 1200;
        world_blind = true;
        EXPECT_EQ(watch_replay(r), verified) << f << ", on a larger screen";
        world_blind = false;
        screen_width = w, screen_height = h;
    }
    EXPECT_GE(seen, 5);
    EXPECT_EQ(pose_faults(), faults) << "a drawing added or removed an object";
}

// During a game the player opens the pad screen from the Options menu, switches debug on (new
// firing patterns) and loads a Config.txt that names another playfield, then plays on: that
// game and the next play back, and watching them changes none of the viewer's settings.
TEST_F(replays, the_pad_screen_during_a_game_cannot_bend_its_record) {
    enum { ESC = 27, RET = 13, SPACE = 32, LEFT = 37, UP = 38, DOWN = 40 };
    start();
    control_type = CONTROL_KEYBOARD;
    const int field_w = field_width, field_h = field_height;
    cfg_field_width = 1600, cfg_field_height = 1200; // the file the pad screen will load
    ASSERT_EQ(config_save(), 1);
    cfg_field_width = field_w, cfg_field_height = field_h;
    auto titled = [](const char* t) { return menu_open && menu_open->title == t; };
    std::minstd_rand input(7);
    const int keys[] = {key_move_left, key_move_right, key_move_up, key_move_down,
                        key_fire_left, key_fire_right, key_fire_up, key_fire_down};
    int step = 0, played = 0, waited = 0, second_field_w = 0, second_debug = 0;
    replay_data first;
    auto fly = [&](int frames) {
        for (int k : keys) headless_key(k, input() % 4 == 0);
        if (++played < frames) return false;
        for (int k : keys) headless_key(k, false);
        played = 0;
        return true;
    };
    play([&](int) {
        switch (step) {
        case 0: if (in("title") && !menu_open) next_game_seed = 31, tap(SPACE), step++; break;
        case 1: if (in("play") && !menu_open && fly(300)) tap(ESC), step++; break;
        case 2: if (titled("Options")) press({UP, UP, RET}), step++; break;
        case 3: if (titled("Settings")) press({UP, UP, RET}), step++; break;
        // Dual Analog, then its configuration: the pad screen.
        case 4: if (titled("Controller Selection")) press({UP, UP, LEFT, LEFT, DOWN, RET}), step++; break;
        case 5:
            if (queued.empty() && control_type == CONTROL_DUAL_ANALOG && ++waited > 3)
                press({'D', 'L', 'E'}), waited = 0, step++;
            break;
        // The loaded file brought the keyboard back.
        case 6:
            if (queued.empty() && control_type == CONTROL_KEYBOARD && ++waited > 3)
                tap(ESC), step++;
            break;
        case 7: if (titled("Settings")) tap(ESC), step++; break;
        case 8: if (titled("Options")) tap(ESC), step++; break;
        case 9: if (in("play") && !menu_open && fly(700)) tap(ESC), step++; break;
        case 10: if (titled("Options")) press({UP, RET}), step++; break;
        case 11: if (titled("End Game?")) press({UP, RET}), step++; break;
        case 12:
            if (in("name entry")) press({'A', RET});
            if (in("name entry") || in("top scores") || in("title")) step++;
            break;
        case 13:
            if ((in("top scores") || in("title")) && !menu_open && queued.empty()) {
                first = replay_last();
                next_game_seed = 32;
                tap(SPACE);
                step++;
            }
            break;
        case 14:
            if (in("play") && !menu_open && fly(500)) {
                second_field_w = field_width, second_debug = debug_mode;
                tap(ESC), step++;
            }
            break;
        case 15: if (titled("Options")) press({UP, UP, UP, RET}), step++; break;
        }
    });
    ASSERT_EQ(step, 16);
    EXPECT_EQ(cfg_field_width, 1600); // the next start-up's playfield...
    EXPECT_EQ(second_field_w, field_w); // ...not the one of a game already under way
    EXPECT_EQ(second_debug, 1);         // the switch stays as set, into the next game
    replay_data second;
    std::string reason;
    ASSERT_EQ(replay_load(replay_last_path(), second, reason), REPLAY_OK) << reason;
    EXPECT_EQ(first.switches & 4, 0);
    EXPECT_EQ(second.switches & 4, 4);
    auto viewer = [] {
        std::vector<std::string> v = config_lines();
        for (int x : {field_width, field_height, cheat_mode, god_mode, debug_mode, difficulty,
                      extra_life_table[1], extra_bomb_table[1]})
            v.push_back(std::to_string(x));
        return v;
    };
    // The viewer's own settings differ from both games'.
    debug_mode = 0;
    difficulty = 2;
    grid_style = 7;
    glow = 2;
    const std::vector<std::string> before = viewer();
    replay_checking = world_blind = true;
    EXPECT_EQ(watch_replay(first), "Replay verified: " + std::to_string(first.end_score));
    EXPECT_EQ(watch_replay(second), "Replay verified: " + std::to_string(second.end_score));
    EXPECT_EQ(viewer(), before);
    replay_play_begin(second);
    EXPECT_EQ(glow, 2); // the viewer's eyes decide, as with the frame rate
    replay_play_end();
    glow = 0;
}

// A top-ten game keeps its replay while its row stays in the table, and loses it when pushed out.
TEST_F(replays, a_top_ten_replay_lives_as_long_as_its_row) {
    hiscores_builtin();
    game_difficulty = 1;
    auto finish_game = [](int points) {
        score = points;
        replay_record_begin();
        replay_game_ends();
        return hiscore_insert(points, "Ace", "1 min, 0 secs", 1);
    };
    int rank = finish_game(6000);
    replay_keep_top(1, rank);
    std::string kept = replay_row_path(1, rank);
    EXPECT_TRUE(file_exists(kept));
    EXPECT_EQ(replay_last().name, "Ace");
    for (int i = 0; i < 9; i++) replay_keep_top(1, finish_game(7000 + i));
    EXPECT_TRUE(file_exists(kept)); // tenth now, still in
    replay_keep_top(1, finish_game(9000));
    EXPECT_FALSE(file_exists(kept)); // pushed out
    EXPECT_EQ(folder_files(replay_folder()).size(), 11u); // ten rows and the last game
    hiscores_builtin();
}

} // namespace

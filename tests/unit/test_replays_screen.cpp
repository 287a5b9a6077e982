// The Replays screen inside the whole game: its row in the Options menu between games only,
// the records it lists table by table, a damaged file, and a record watched from it.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/menu.h"
#include "media/media.h"
#include "shell/game_state.h"
#include "shell/replay.h"
#include "shell/replays_screen.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <random>
#include <string>
#include <vector>

namespace {

enum { RET = 13, ESC = 27, SPACE = 32, LEFT = 37, UP = 38, RIGHT = 39, DOWN = 40 };

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

std::vector<std::string> labels() {
    std::vector<std::string> out;
    for (const menu_row& r : menu_open->rows) out.push_back(r.label);
    return out;
}
std::vector<int> rows_y() {
    std::vector<int> out;
    for (const menu_row& r : menu_open->rows) out.push_back(r.y);
    return out;
}

// A few steps of nothing: listed like any record, and played back until it runs out.
std::string short_record(int difficulty) {
    replay_data r;
    r.difficulty = difficulty;
    r.seed = 1234;
    r.steps.resize(5);
    return replay_encode(r);
}

std::vector<std::string> tables() {
    std::vector<std::string> rows;
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++)
            rows.push_back(std::to_string(hiscore_scores[r][d]) + hiscore_names[r][d] +
                           hiscore_times[r][d]);
    return rows;
}

bool starts_with(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }
bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

using replays_screen_game = game_test;

} // namespace

TEST_F(replays_screen_game, the_options_menu_has_replays_between_games_only) {
    start();
    std::vector<std::string> in_game, between;
    std::vector<int> in_game_y, between_y;
    int step = 0, wrapped_down = -1, wrapped_up = -1;
    play([&](int) {
        if (step == 0 && in("title"))
            tap(SPACE), step++;
        else if (step == 1 && in("play") && frame_count > 10)
            tap(ESC), step++;
        else if (step == 2 && menu_titled("Options")) {
            in_game = labels(), in_game_y = rows_y();
            press({UP, RET}), step++;
        } else if (step == 3 && menu_titled("End Game?"))
            press({UP, RET}), step++;
        else if (step == 4 && in("title") && !menu_open)
            tap(ESC), step++;
        else if (step == 5 && menu_titled("Options")) {
            between = labels(), between_y = rows_y();
            tap(DOWN), step++;
        } else if (step == 6 && menu_titled("Options")) {
            wrapped_down = menu_open->selected;
            tap(UP), step++;
        } else if (step == 7 && menu_titled("Options")) {
            wrapped_up = menu_open->selected;
            press({DOWN, RET}), step++;
        }
    });
    EXPECT_EQ(step, 8);
    EXPECT_EQ(in_game,
              (std::vector<std::string>{"Exit Program", "Settings", "End Game", "Continue"}));
    EXPECT_EQ(between,
              (std::vector<std::string>{"Exit Program", "Settings", "Replays", "Continue"}));
    EXPECT_EQ(between_y, in_game_y);
    EXPECT_EQ(wrapped_down, 0) << "Down from Continue goes round to Exit Program";
    EXPECT_EQ(wrapped_up, 3) << "Up from Exit Program goes round to Continue";
}

// The first visit finds nothing; then a Medium game is played and ended, two table rows are
// given records (one of them damaged) and a Hard row one, and the player changes a setting.
TEST_F(replays_screen_game,
       lists_turns_tables_refuses_damage_and_watches_without_changing_anything) {
    difficulty = 1;
    start();
    std::minstd_rand input(7);
    const int keys[] = {key_move_left, key_move_right, key_move_up, key_move_down,
                        key_fire_left, key_fire_right, key_fire_up, key_fire_down};
    std::vector<std::string> settings, tables_before, empty, medium, hard, easy;
    std::string last_before, empty_note, easy_note, refusal, verdict, back_on;
    int step = 0, played = 0, difficulty_seen[3] = {-1, -1, -1}, options_row = -1;
    bool watched = false, menu_while_watching = false;
    play([&](int) {
        if (step == 0 && in("title") && !menu_open)
            tap(ESC), step++;
        else if (step == 1 && menu_titled("Options"))
            press({UP, RET}), step++;
        else if (step == 2 && menu_titled("Replays")) {
            empty = labels(), empty_note = replays_note;
            tap(RET), step++; // "Done"
        } else if (step == 3 && menu_titled("Options"))
            tap(ESC), step++;
        else if (step == 4 && in("title") && !menu_open)
            tap(SPACE), step++;
        else if (step == 5 && in("play") && !menu_open) {
            for (int k : keys) headless_key(k, input() % 4 == 0 && played < 300);
            if (++played > 300) tap(ESC), step++;
        } else if (step == 6 && menu_titled("Options"))
            press({UP, RET}), step++;
        else if (step == 7 && menu_titled("End Game?"))
            press({UP, RET}), step++;
        else if (step == 8 && in("title") && !menu_open) {
            file_write_bytes(replay_row_path(1, 0), short_record(1));
            file_write_bytes(replay_row_path(1, 3), "not a record at all");
            file_write_bytes(replay_row_path(2, 9), short_record(2));
            last_before = dir.read(replay_last_path());
            // As after a game that missed the table: the screen behind shows its score.
            score = 4321, game_difficulty = 0;
            inertia = inertia == 0.5f ? 0.25f : 0.5f; // not what the game was recorded with
            settings = config_lines(), tables_before = tables();
            tap(ESC), step++;
        } else if (step == 9 && menu_titled("Options"))
            press({UP, RET}), step++;
        else if (step == 10 && menu_titled("Replays")) {
            medium = labels(), difficulty_seen[0] = replays_difficulty;
            tap(RIGHT), step++;
        } else if (step == 11 && menu_titled("Replays")) {
            hard = labels(), difficulty_seen[1] = replays_difficulty;
            tap(RIGHT), step++;
        } else if (step == 12 && menu_titled("Replays")) {
            easy = labels(), easy_note = replays_note, difficulty_seen[2] = replays_difficulty;
            press({LEFT, LEFT}), step++;
        } else if (step == 13 && replays_difficulty == 1) {
            press({DOWN, DOWN, RET}), step++; // the damaged fourth row
        } else if (step == 14 && menu_titled("Replays")) {
            refusal = replays_note;
            press({UP, UP, RET}), step++; // the game just played
        } else if (step == 15 && (in("get ready") || in("replay"))) {
            watched = true;
            menu_while_watching = menu_while_watching || menu_open;
        } else if (step == 15 && watched && menu_titled("Replays")) {
            verdict = replays_note, back_on = screen_name;
            EXPECT_EQ(score, 4321);
            EXPECT_EQ(game_difficulty, 0);
            tap(ESC), step++;
        } else if (step == 16 && menu_titled("Options")) {
            options_row = menu_open->selected;
            tap(ESC), step++;
        } else if (step == 17 && in("top scores") && !menu_open) // the attract cycle goes on
            tap(ESC), step++;
        else if (step == 18 && menu_titled("Options"))
            press({DOWN, RET}), step++;
    });
    EXPECT_EQ(step, 19);

    EXPECT_EQ(empty, std::vector<std::string>{"Done"});
    EXPECT_EQ(empty_note, "No replays yet");

    EXPECT_EQ(difficulty_seen[0], 1) << "the list starts at the player's level";
    ASSERT_EQ(medium.size(), 4u);
    EXPECT_EQ(medium[0], "Last Game");
    EXPECT_TRUE(starts_with(medium[1], " 1  Orlo") && ends_with(medium[1], " 5000")) << medium[1];
    EXPECT_TRUE(starts_with(medium[2], " 4  Orlo") && ends_with(medium[2], " 3500")) << medium[2];
    EXPECT_EQ(medium[3], "Done");
    EXPECT_EQ(difficulty_seen[1], 2);
    ASSERT_EQ(hard.size(), 3u);
    EXPECT_TRUE(starts_with(hard[1], "10  Orlo") && ends_with(hard[1], " 500")) << hard[1];
    EXPECT_EQ(difficulty_seen[2], 0) << "Right from Hard goes round to Easy";
    EXPECT_EQ(easy, (std::vector<std::string>{"Last Game", "Done"}));
    EXPECT_EQ(easy_note, "No replays in this table");

    EXPECT_EQ(refusal, "Cannot play: not a Vexlume 2 replay");
    EXPECT_TRUE(watched);
    EXPECT_FALSE(menu_while_watching);
    // Nothing the attract screens left behind reaches the game played back.
    EXPECT_TRUE(starts_with(verdict, "Replay verified: ")) << verdict;
    EXPECT_EQ(back_on, "title");
    EXPECT_EQ(options_row, 2) << "back on Replays";

    // The player's settings, the tables and the records are as they were.
    EXPECT_EQ(config_lines(), settings);
    EXPECT_EQ(tables(), tables_before);
    EXPECT_EQ(dir.read(replay_last_path()), last_before);
    EXPECT_EQ(folder_files(replay_folder()).size(), 4u);
}

// The attract cycle inside the whole game: the bomb on any screen, the top-score table's
// columns and highlights, the information screens' rows, the title's intro and its holes.
#include "controls/menu.h"
#include "enemies/blackhole.h"
#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

enum { ESC = 27, RET = 13, SPACE = 32, UP = 38 };

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

using frame_log = std::vector<draw_record>;

class attract : public game_test {
  protected:
    void SetUp() override {
        game_test::SetUp();
        start();
        clear_board(1);
        title_intro = 0;
        drift_colour = wandering_colour{};
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        screen_width = 1024;
        screen_height = 768;
        game_test::TearDown();
    }
    // Runs one screen; look(i, log) sees what its frame i drew, and may tap keys for the next.
    int run(const std::function<int()>& screen,
            const std::function<void(int, const frame_log&)>& look) {
        int i = 0;
        headless_on_clear([] {
            draw_log.clear();
            draw_log_enabled = true;
        });
        headless_on_present([&](int) {
            draw_log_enabled = false;
            look(i++, draw_log);
        });
        int quit = screen();
        headless_on_clear(nullptr);
        headless_on_present(nullptr);
        draw_log_enabled = false;
        return quit;
    }
};

// Text strokes that start inside the box, in the order drawn (sparks are drawn scaled).
std::vector<draw_record> lines_in(const frame_log& log, float x0, float y0, float x1, float y1) {
    std::vector<draw_record> out;
    for (const draw_record& r : log)
        if (r.op == OP_LINE && r.scale_x == 1 && r.x >= x0 && r.x < x1 && r.y >= y0 && r.y < y1)
            out.push_back(r);
    return out;
}

float leftmost(const std::vector<draw_record>& lines) {
    float x = 1e9f;
    for (const draw_record& r : lines) x = std::min({x, r.x, r.x2});
    return x;
}

bool all_coloured(const std::vector<draw_record>& lines, int r, int g, int b) {
    if (lines.empty()) return false;
    for (const draw_record& l : lines)
        if (l.r != r || l.g != g || l.b != b) return false;
    return true;
}

// Row j's score strokes on a 1024 x 768 screen: left of the names, on the row's line.
std::vector<draw_record> score_strokes(const frame_log& log, int j) {
    float y = float(384 + 30 * j - 150);
    return lines_in(log, 0, y, 512 - 130, y + 22);
}

// Row 0 of each column gets a score of a different length, so its left edge names the column.
void mark_columns() {
    hiscores_builtin();
    hiscore_scores[0][0] = 1;
    hiscore_scores[0][1] = 22;
    hiscore_scores[0][2] = 333;
}
int column_shown(const frame_log& log) {
    float x = leftmost(score_strokes(log, 0));
    // "1" is drawn from its cell's middle; "22" and "333" from their cells' left edges.
    if (x == 512 - 14 - 180 + 6) return 0;
    if (x == 512 - 28 - 180) return 1;
    if (x == 512 - 42 - 180) return 2;
    return -1;
}

} // namespace

TEST_F(attract, the_bomb_starts_a_game_from_every_screen_and_the_cycle_resumes_at_the_title) {
    const char* screens[] = {"title", "top scores", "friends", "enemies"};
    std::vector<std::string> after_game;
    int target = 0, step = 0, frames_on = 0, tapped_at = 0;
    bool came_back = false;
    std::vector<int> delays;
    play([&](int f) {
        switch (step) {
        case 0: // wait for the target screen, a few frames in
            if (in(screens[target]) && ++frames_on > 5) tap(SPACE), tapped_at = f, step++;
            break;
        case 1:
            if (in("get ready")) delays.push_back(f - tapped_at), step++;
            break;
        case 2:
            if (in("play") && frame_count > 5) tap(ESC), step++;
            break;
        case 3:
            if (menu_titled("Options")) press({UP, RET}), step++;
            break;
        case 4:
            if (menu_titled("End Game?")) press({UP, RET}), step++;
            break;
        case 5: // the first screen after the game
            if (!in("play") && !menu_open) {
                after_game.push_back(screen_name);
                frames_on = 0;
                step = ++target < 4 ? 0 : 6;
                came_back = target == 4;
            }
            break;
        case 6:
            tap(ESC), step++;
            break;
        case 7:
            if (menu_titled("Options")) press({UP, UP, UP, RET}), step++;
            break;
        }
    });
    EXPECT_TRUE(came_back);
    ASSERT_EQ(delays.size(), 4u);
    for (int d : delays) EXPECT_EQ(d, 1); // GET READY's first frame follows the bomb's frame
    EXPECT_EQ(after_game, std::vector<std::string>(4, "title"));
}

TEST_F(attract, in_attract_use_the_top_score_column_turns_every_250_frames) {
    mark_columns();
    std::vector<int> columns;
    run([] { return top_scores_screen(-1); },
        [&](int i, const frame_log& log) {
            if (i % 50 == 0 || i % 250 == 249) columns.push_back(column_shown(log));
        });
    std::vector<int> want;
    for (int i = 0; i < 750; i++)
        if (i % 50 == 0 || i % 250 == 249) want.push_back(i / 250);
    EXPECT_EQ(columns, want);
}

TEST_F(attract, the_rank_just_entered_is_yellow_in_the_games_column) {
    mark_columns();
    game_difficulty = 2;
    int frames = 0, good = 0;
    run([] { return top_scores_screen(3); },
        [&](int i, const frame_log& log) {
            if (i % 100) return;
            frames++;
            bool ok = column_shown(log) == 2; // stays on Hard all the way
            for (int j = 0; j < 10; j++) {
                float y = float(384 + 30 * j - 150);
                auto row = lines_in(log, 0, y, 1024, y + 22); // score, name and time
                ok = ok && all_coloured(row, 255, 255, 0) == (j == 3);
            }
            good += ok;
        });
    EXPECT_EQ(good, frames);
    EXPECT_EQ(frames, 8);
}

TEST_F(attract, a_game_that_missed_the_table_shows_its_score_and_time_in_red) {
    hiscores_builtin();
    score = 4321;
    frame_count = 3500;
    std::vector<draw_record> red_score, red_time, attract_red;
    run([] { return top_scores_screen(-20); },
        [&](int i, const frame_log& log) {
            if (i != 10) return;
            red_score = lines_in(log, 0, 564, 512, 583);
            red_time = lines_in(log, 512, 564, 1024, 583);
            headless_key_tap(SPACE);
        });
    EXPECT_TRUE(all_coloured(red_score, 255, 0, 0));
    EXPECT_TRUE(all_coloured(red_time, 255, 0, 0));
    EXPECT_FLOAT_EQ(leftmost(red_score), 512 - 4 * 14 - 148); // "4" starts at its cell's edge
    EXPECT_FLOAT_EQ(leftmost(red_time), 512 + 32 + 6);        // "1 mn, ..." from the 1's stem
    game_started = 0;
    run([] { return top_scores_screen(-1); },
        [&](int i, const frame_log& log) {
            if (i != 10) return;
            for (const draw_record& r : lines_in(log, 0, 564, 1024, 583))
                if (r.r == 255 && r.g == 0 && r.b == 0) attract_red.push_back(r);
            headless_key_tap(SPACE);
        });
    EXPECT_TRUE(attract_red.empty());
    game_started = 0;
}

TEST_F(attract, table_rows_stay_readable_when_the_wandering_colour_is_near_black) {
    hiscores_builtin();
    drift_colour = wandering_colour{12, 0, 6, 0, 0, 0}; // parked near black
    int dim = 0, rows = 0;
    run([] { return top_scores_screen(-1); },
        [&](int i, const frame_log& log) {
            if (i != 10) return;
            for (int j = 0; j < 10; j++)
                for (const draw_record& r : score_strokes(log, j)) {
                    rows++;
                    dim += std::max({r.r, r.g, r.b}) < 160;
                }
            headless_key_tap(SPACE);
        });
    game_started = 0;
    EXPECT_GT(rows, 0);
    EXPECT_EQ(dim, 0);
}

namespace {
// The centres of one information screen's row pictures: ship or token icons for the
// friends, each kind's own picture (the snake by its head) for the enemies.
std::vector<std::pair<float, float>> row_pictures(const frame_log& log, bool friends) {
    std::vector<std::pair<float, float>> out;
    std::vector<image> kinds = {
        img_pinkpinwheel, img_bluediamond, img_greensquare, img_purplesquare1,  img_bluecircle,
        img_redcircle,    img_snakehead,   img_redclone,    img_orangetriangle, img_indigotriangle};
    for (const draw_record& r : log) {
        bool row = friends ? r.img == img_whiteplayer || r.img == img_powerups
                           : std::find(kinds.begin(), kinds.end(), r.img) != kinds.end();
        if (r.op == OP_IMAGE && row) out.push_back({r.x, r.y});
    }
    return out;
}
} // namespace

TEST_F(attract, information_rows_appear_one_by_one_and_zig_zag_on_short_screens) {
    for (int sh : {768, 576})
        for (bool friends : {true, false}) {
            screen_width = 1024;
            screen_height = sh;
            std::vector<size_t> counts;
            std::vector<std::pair<float, float>> last;
            run([friends] { return friends ? friends_screen() : enemies_screen(); },
                [&](int i, const frame_log& log) {
                    if (i == 50 || i == 51 || i == 500 || i == 501)
                        counts.push_back(row_pictures(log, friends).size());
                    if (i == 600) last = row_pictures(log, friends);
                });
            EXPECT_EQ(counts, (std::vector<size_t>{0, 1, 9, 10})) << sh << friends;
            ASSERT_EQ(last.size(), 10u) << sh << friends;
            bool tall = sh > 599;
            for (int k = -4; k <= 5; k++) {
                float off = tall ? 0 : (k & 1) ? 32 : -32;
                EXPECT_EQ(last[size_t(k + 4)].first, 512 - 200 + off) << sh << friends << k;
                if (friends || k != 2) { // the snake's head rides its wave
                    EXPECT_EQ(last[size_t(k + 4)].second, float(sh / 2 + k * (tall ? 50 : 32)))
                        << sh << friends << k;
                }
            }
        }
}

namespace {
// Strokes of the title's "l": the only glyph of "Vexlume 2" six rows tall.
int title_copies_at_full_size(const frame_log& log) {
    int n = 0;
    for (const draw_record& r : log)
        if (r.op == OP_LINE && r.x == r.x2 && r.y2 - r.y == 120) n++;
    return n;
}
} // namespace

TEST_F(attract, the_title_grows_in_once_and_later_visits_start_finished) {
    std::vector<int> first, second;
    run(title_screen, [&](int i, const frame_log& log) {
        if (i == 0 || i == 479 || i == 699) first.push_back(title_copies_at_full_size(log));
    });
    EXPECT_EQ(title_intro, 600);
    run(title_screen, [&](int i, const frame_log& log) {
        if (i == 0) second.push_back(title_copies_at_full_size(log));
    });
    // Scale 20 from frame 480 on (480 / 24), with one more copy for every 25 frames, up to 25.
    EXPECT_EQ(first, (std::vector<int>{0, 20, 25}));
    EXPECT_EQ(second, std::vector<int>{25});
}

TEST_F(attract, the_titles_holes_stay_until_the_next_game_and_never_pass_sixteen) {
    std::vector<size_t> holes;
    for (int visit = 0; visit < 9; visit++) {
        run(title_screen, [](int i, const frame_log&) {
            if (i == 1) headless_key_tap(SPACE);
        });
        game_started = 0;
        holes.push_back(blackhole_list.size());
        if (visit == 0) { // the other screens leave them alone
            top_scores_screen(-1);
            friends_screen();
            enemies_screen();
            EXPECT_EQ(blackhole_list.size(), 2u);
        }
    }
    EXPECT_EQ(holes, (std::vector<size_t>{2, 4, 6, 8, 10, 12, 14, 16, 16}));
    clear_board(1); // a game starts
    EXPECT_TRUE(blackhole_list.empty());
}

TEST_F(attract, the_title_prompt_stays_inside_the_screen_at_any_width) {
    for (int w : {1024, 1920}) {
        screen_width = w;
        screen_height = w == 1024 ? 768 : 1080;
        float top = 1e9f, bottom = 0;
        run(title_screen, [&](int i, const frame_log& log) {
            if (i != 30) return; // shown on frames 30-59 of every 60
            for (const draw_record& r : log)
                if (r.op == OP_LINE && r.r == 255 && r.g == 255 && r.b == 0 && r.y > 400)
                    top = std::min({top, r.y, r.y2}), bottom = std::max({bottom, r.y, r.y2});
            headless_key_tap(SPACE);
        });
        game_started = 0;
        EXPECT_FLOAT_EQ(bottom, float(screen_height - 8)) << w;
        if (w == 1024) {
            EXPECT_FLOAT_EQ(top, 768 - 32); // where it always was at 1024 px
        }
    }
}

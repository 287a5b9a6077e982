#include "media/actor_list.h"
#include "media/draw_log.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/vector_text.h"
#include "support/headless_env.h"

#include <climits>
#include <vector>

namespace {

// A fresh game's scoring state on Medium, with no popups about.
class scoring : public media_test {
protected:
    void SetUp() override {
        media_test::SetUp();
        vector_text_init();
        hiscores_builtin();
        difficulty = game_difficulty = 1;
        lives = bombs = 3;
        extra_life_every = 100000;
        extra_bomb_every = 150000;
        life_awards = bomb_awards = 1;
        player_x = 500;
        player_y = 400;
        camera_x = camera_y = 0;
        reset_score();
        reset_multiplier();
        popups_clear();
        actor_lists_collect();
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        popups_clear();
        actor_lists_collect();
        media_test::TearDown();
    }
    static std::vector<score_popup> popups() {
        std::vector<score_popup> out;
        score_popups.for_each([&](score_popup* p) { out.push_back(*p); });
        return out;
    }
};

} // namespace

TEST_F(scoring, the_multiplier_rises_at_each_threshold_and_stops_at_eleven) {
    std::vector<int> rose_at;
    for (int kill = 1; kill <= 13000; kill++) {
        int before = multiplier;
        add_score(0, 0, 0, 1);
        if (multiplier != before) {
            EXPECT_EQ(multiplier, before + 1);
            rose_at.push_back(kill);
        }
        if (kill % 1000 == 0) popups_clear();
    }
    std::vector<int> want(multiplier_thresholds, multiplier_thresholds + 10);
    EXPECT_EQ(rose_at, want);
    EXPECT_EQ(multiplier, 11);
    EXPECT_EQ(kill_count, 13000);
}

TEST_F(scoring, a_kill_scores_points_times_the_multiplier_with_a_thirty_frame_popup) {
    multiplier = 3;
    add_score(120, 340, 150, 1);
    EXPECT_EQ(score, 450);
    EXPECT_EQ(kill_count, 1);
    auto p = popups();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].text, "450");
    EXPECT_EQ(p[0].x, 120);
    EXPECT_EQ(p[0].y, 340);
    EXPECT_EQ(p[0].life, 30);
}

TEST_F(scoring, a_kill_without_popup_scores_but_does_not_count) {
    multiplier = 2;
    kill_count = 24;
    add_score(0, 0, 100, 0);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(kill_count, 24);
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(multiplier, 2);
}

TEST_F(scoring, the_multiplier_popup_appears_over_the_ship_for_fifty_frames) {
    kill_count = 24;
    add_score(10, 10, 0, 1);
    ASSERT_EQ(multiplier, 2);
    auto p = popups();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[1].text, "2X Multiplier");
    EXPECT_EQ(p[1].x, 500 - 78);
    EXPECT_EQ(p[1].y, 400 - 32);
    EXPECT_EQ(p[1].life, 50);
}

TEST_F(scoring, a_huge_award_crosses_one_step_of_each_kind_per_call) {
    extra_life_every = 75000;
    extra_bomb_every = 100000;
    multiplier = 2;
    add_score(0, 0, 500000, 0); // one million points
    EXPECT_EQ(score, 1000000);
    EXPECT_EQ(life_awards, 2);
    EXPECT_EQ(bomb_awards, 2);
    EXPECT_EQ(next_powerup_score, 5000 + 2500 * 2 * 2);
    EXPECT_EQ(hiscore, 1000000);
    add_score(0, 0, 0, 0); // the next kill, even worth nothing, takes the next step
    EXPECT_EQ(life_awards, 3);
    EXPECT_EQ(bomb_awards, 3);
    EXPECT_EQ(next_powerup_score, 15000 + 2500 * 2 * 2);
}

TEST_F(scoring, thresholds_advance_even_when_ships_and_bombs_are_full) {
    next_powerup_score = 1 << 30; // only the ship and bomb thresholds are in reach
    powerups.clear();
    lives = 10;
    bombs = 9;
    add_score(0, 0, 150000, 0);
    EXPECT_EQ(life_awards, 2);
    EXPECT_EQ(bomb_awards, 2);
    EXPECT_EQ(powerups.size(), 0u); // full up: no token for a ship or a bomb
    lives = 9;
    bombs = 8;
    add_score(0, 0, 150000, 0);
    EXPECT_EQ(life_awards, 3);
    EXPECT_EQ(bomb_awards, 3);
    EXPECT_EQ(powerups.size(), 2u);
    powerups.clear();
}

TEST_F(scoring, awards_wait_for_their_threshold) {
    add_score(0, 0, 4999, 0);
    EXPECT_EQ(next_powerup_score, 5000);
    add_score(0, 0, 1, 0);
    EXPECT_EQ(next_powerup_score, 7500);
    EXPECT_EQ(life_awards, 1);
    add_score(0, 0, 100000 - 5000, 0);
    EXPECT_EQ(life_awards, 2);
    EXPECT_EQ(bomb_awards, 1);
}

TEST_F(scoring, the_hiscore_follows_the_score_only_past_the_table_top) {
    EXPECT_EQ(hiscore, 5000);
    add_score(0, 0, 4000, 0);
    EXPECT_EQ(hiscore, 5000);
    add_score(0, 0, 1500, 0);
    EXPECT_EQ(hiscore, 5500);
}

TEST_F(scoring, a_score_past_the_integer_range_stays_at_the_top) {
    score = INT_MAX - 10;
    multiplier = 11;
    add_score(0, 0, INT_MAX, 1);
    EXPECT_EQ(score, INT_MAX);
    EXPECT_GT(next_powerup_score, 0);
}

TEST_F(scoring, reset_multiplier_aims_the_next_power_up_past_the_score) {
    struct {
        int score, next;
    } cases[] = {{0, 5000}, {7400, 10000}, {4999, 5000}, {5000, 10000}, {12345, 15000}};
    for (auto c : cases) {
        score = c.score;
        multiplier = 7;
        kill_count = 300;
        reset_multiplier();
        EXPECT_EQ(next_powerup_score, c.next) << c.score;
        EXPECT_EQ(multiplier, 1);
        EXPECT_EQ(kill_count, 0);
    }
    EXPECT_EQ(bottom_message, "Power Up at 15000");
    EXPECT_EQ(bottom_message_length, 17);
    EXPECT_EQ(bottom_message_timer, 180);
}

TEST_F(scoring, popups_live_their_frames_then_leave) {
    popup_create("a", 0, 0, 0);
    popup_create("b", 0, 0, 1);
    for (int i = 0; i < 29; i++) popups_update();
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(popups()[0].life, 1);
    popups_update();
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].text, "b");
    for (int i = 0; i < 20; i++) popups_update();
    EXPECT_TRUE(popups().empty());
    popup_create("c", 0, 0, 0);
    popups_clear();
    EXPECT_TRUE(popups().empty());
}

TEST_F(scoring, a_popup_shrinks_and_fades_as_its_life_runs_out) {
    camera_x = 10;
    camera_y = 20;
    popup_create("1", 100, 200, 0);              // "1" is one stroke, (2,0)-(2,6)
    for (int i = 0; i < 6; i++) popups_update(); // life 24
    draw_log_enabled = true;
    popups_draw();
    for (int i = 0; i < 14; i++) popups_update(); // life 10
    popups_draw();
    ASSERT_EQ(draw_log.size(), 2u);
    const draw_record& young = draw_log[0];
    EXPECT_EQ(young.r, 219); // 6 x 24 + 75
    EXPECT_EQ(young.b, 32);
    EXPECT_FLOAT_EQ(young.x, 100 - 10 - 24 + 3 * 2); // scale 1 + 24 / 12
    EXPECT_FLOAT_EQ(young.y, 200 - 20 - 16);
    EXPECT_FLOAT_EQ(young.y2 - young.y, 3 * 6);
    EXPECT_EQ(young.blend, BLEND_LIGHT);
    EXPECT_FLOAT_EQ(young.alpha, 0.9f);
    EXPECT_FLOAT_EQ(young.line_width, 2);
    const draw_record& old = draw_log[1];
    EXPECT_EQ(old.r, 135);
    EXPECT_FLOAT_EQ(old.x, 100 - 10 - 10 + 2);
    EXPECT_FLOAT_EQ(old.y2 - old.y, 6);
    EXPECT_FLOAT_EQ(get_alpha(), 1.0f);
}

TEST_F(scoring, a_fresh_popup_asks_for_more_than_full_yellow_and_gets_it) {
    popup_create("1", 0, 0, 1); // v = 6 x 50 + 75
    draw_log_enabled = true;
    popups_draw();
    ASSERT_EQ(draw_log.size(), 1u);
    EXPECT_EQ(draw_log[0].r, 255);
    EXPECT_EQ(draw_log[0].g, 255);
}

TEST(time_text, counts_hours_minutes_and_seconds_of_fifty_frames) {
    EXPECT_EQ(time_text(3500), "1 mn, 10 secs");
    EXPECT_EQ(time_text(0), "");
    EXPECT_EQ(time_text(49), "");
    EXPECT_EQ(time_text(50), "1 sec");
    EXPECT_EQ(time_text(100), "2 secs");
    EXPECT_EQ(time_text(3000), "1 mn, 0 secs");
    EXPECT_EQ(time_text(6050), "2 mns, 1 secs"); // plurals follow the totals, not the remainders
    EXPECT_EQ(time_text(180000), "1 hr, 0 mns, 0 secs");
    EXPECT_EQ(time_text(2 * 180000 + 3000 + 50), "2 hrs, 1 mns, 1 secs");
}

namespace {
class score_table : public ::testing::Test {
protected:
    void SetUp() override {
        hiscores_builtin();
        for (int d = 0; d < 3; d++) hiscore_scores[10][d] = -1;
    }
};
} // namespace

TEST_F(score_table, an_equal_score_goes_below_the_one_already_there) {
    EXPECT_EQ(hiscore_insert(4000, "second  ", "t", 1), 3);
    EXPECT_EQ(hiscore_names[2][1], "Orlo");
    EXPECT_EQ(hiscore_names[3][1], "second  ");
    EXPECT_EQ(hiscore_scores[4][1], 3500);
    EXPECT_EQ(hiscore_insert(4000, "third   ", "t", 1), 4);
    EXPECT_EQ(hiscore_names[3][1], "second  ");
    EXPECT_EQ(hiscore_names[4][1], "third   ");
}

TEST_F(score_table, a_new_best_pushes_every_row_down_and_the_last_falls_off) {
    EXPECT_EQ(hiscore_insert(9000, "best    ", "5 secs", 2), 0);
    EXPECT_EQ(hiscore_scores[0][2], 9000);
    EXPECT_EQ(hiscore_times[0][2], "5 secs");
    for (int r = 1; r < 10; r++) EXPECT_EQ(hiscore_scores[r][2], 5000 - 500 * (r - 1));
    EXPECT_EQ(lowest_top_score, 1000);
    EXPECT_EQ(hiscore_scores[0][0], 5000); // other difficulties untouched
    EXPECT_EQ(hiscore_scores[0][1], 5000);
}

TEST_F(score_table, a_score_not_above_the_tenth_takes_the_spare_row) {
    EXPECT_EQ(hiscore_insert(500, "low     ", "t", 0), 10);
    for (int r = 0; r < 10; r++) EXPECT_EQ(hiscore_scores[r][0], 5000 - 500 * r);
    EXPECT_EQ(lowest_top_score, 500);
}

TEST_F(score_table, a_difficulty_outside_the_tables_uses_medium) {
    EXPECT_EQ(hiscore_insert(7000, "x", "t", 7), 0);
    EXPECT_EQ(hiscore_scores[0][1], 7000);
    EXPECT_EQ(hiscore_insert(7000, "y", "t", -3), 1);
}

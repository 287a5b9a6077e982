#include "support/play_env.h"

#include <cmath>
#include <vector>

namespace {
using ship = play_test;

std::vector<float> shot_angles() {
    std::vector<float> a;
    shots.for_each([&](shot* s) { a.push_back(std::round(atan2_deg(s->dy, s->dx) * 100) / 100); });
    return a;
}
} // namespace

TEST_F(ship, the_border_undoes_the_whole_step_and_bounces_inertia) {
    player_x = 19;
    move_x = -1;
    last_move_x = -0.5f;
    ship_move();
    EXPECT_EQ(player_x, 19); // not clipped to 16: the step is undone
    EXPECT_EQ(last_move_x, 0.5f);
    player_y = 748;
    move_y = 1;
    last_move_y = 1;
    ship_move();
    EXPECT_EQ(player_y, 748);
    EXPECT_EQ(last_move_y, -1);
    move_x = 1;
    move_y = 0;
    ship_move();
    EXPECT_EQ(player_x, 25);
    EXPECT_EQ(ship_angle, -90);
}

TEST_F(ship, the_heading_stays_while_standing_still) {
    move_x = 0;
    move_y = 1;
    ship_move();
    EXPECT_EQ(ship_angle, 0);
    move_y = 0;
    ship_move();
    EXPECT_EQ(ship_angle, 0);
    move_x = -1;
    ship_move();
    EXPECT_EQ(ship_angle, 90);
}

TEST_F(ship, the_fire_delay_follows_the_cannon_count) {
    const int want[5] = {0, 4, 5, 5, 6};
    aim_x = 1;
    for (int c = 1; c <= 4; c++) {
        cannons = c;
        fire_delay = 0;
        ship_fire();
        EXPECT_EQ(fire_delay, want[c]) << c;
        for (int i = 1; i < want[c]; i++) ship_fire();
        EXPECT_EQ(fire_delay, 1);
    }
}

TEST_F(ship, a_zero_aim_fires_nothing_but_restarts_the_delay) {
    cannons = 4;
    ship_fire();
    EXPECT_EQ(fire_delay, 6);
    EXPECT_TRUE(shots.empty());
    EXPECT_TRUE(sfx_log.empty());
}

TEST_F(ship, streams_spread_by_cannon_count_and_power_ups) {
    struct row {
        int cannons;
        std::vector<float> angles;
    };
    const row rows[] = {{1, {0}}, {2, {2, -2}}, {3, {0, 4, -4}}, {4, {2, -2, 5, -5}}};
    for (const auto& r : rows) {
        shots.clear();
        cannons = r.cannons;
        aim_x = 1;
        aim_y = 0;
        fire_delay = 0;
        ship_fire();
        EXPECT_EQ(shot_angles(), r.angles) << r.cannons;
    }
    shots.clear();
    cannons = 1;
    reverse_timer = side_timer = 10;
    fire_delay = 0;
    ship_fire();
    // Straight back is +180: the sine of 180 degrees is exactly 0.
    EXPECT_EQ(shot_angles(), (std::vector<float>{0, 180, 90, -90}));
    EXPECT_EQ(sfx_log.size(), 5u); // one volley sound per volley
}

TEST_F(ship, shots_leave_at_the_stream_speed_and_the_aim_stays_normalised) {
    cannons = 3;
    shot_speed = 3;
    aim_x = 3;
    aim_y = 4;
    ship_fire();
    EXPECT_FLOAT_EQ(aim_x, 0.6f);
    EXPECT_FLOAT_EQ(aim_y, 0.8f);
    std::vector<float> speeds;
    shots.for_each([&](shot* s) { speeds.push_back(s->speed); });
    ASSERT_EQ(speeds.size(), 3u);
    EXPECT_FLOAT_EQ(speeds[0], 3 * 3.2f);
    EXPECT_FLOAT_EQ(speeds[1], 3 * 3.15f);
    shot* first = shots.first();
    EXPECT_NEAR(std::sqrt(first->dx * first->dx + first->dy * first->dy), 9.6f, 1e-4);
}

TEST_F(ship, black_holes_pull_the_ship_but_not_from_their_centre) {
    blackhole* h = blackhole_list.emplace();
    h->x = 612;
    h->y = 384;
    h->mass = 30;
    ship_black_hole_pull();
    EXPECT_FLOAT_EQ(player_x, 513);
    h->x = player_x;
    h->y = player_y;
    ship_black_hole_pull();
    EXPECT_FLOAT_EQ(player_x, 513);
}

TEST_F(ship, a_protected_ship_cannot_die) {
    lives = 3;
    shield_timer = 5;
    EXPECT_EQ(kill_player(), 0);
    shield_timer = 0;
    god_mode = 1;
    EXPECT_EQ(kill_player(), 0);
    god_mode = 0;
    freeze_actors = 1;
    EXPECT_EQ(kill_player(), 0);
    EXPECT_EQ(lives, 3);
}

TEST_F(ship, losing_a_ship_costs_a_cannon_and_speed_down_to_the_start_values) {
    lives = 3;
    cannons = 4;
    shot_speed = 5;
    super_timer = 100;
    aim_x = 1;
    EXPECT_EQ(kill_player(), 1);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(cannons, 3);
    EXPECT_EQ(shot_speed, 4);
    EXPECT_EQ(super_timer, 0);
    EXPECT_EQ(aim_x, 0);
    EXPECT_EQ(shield_timer, 80); // GET READY again
    EXPECT_EQ(freeze_actors, 0);
    cannons = 2;
    shot_speed = 3;
    shield_timer = 0;
    kill_player();
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(cannons, 2);
    EXPECT_EQ(shot_speed, 3);
    shield_timer = 0;
    kill_player();
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(game_over, 1);
}

TEST_F(ship, escape_held_cuts_the_death_sequence_short) {
    lives = 1;
    headless_reset_stats();
    headless_key(27, true);
    kill_player();
    headless_key(27, false);
    EXPECT_EQ(headless_stats().presents, 0);
    EXPECT_EQ(game_over, 1);
}

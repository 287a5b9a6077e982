#include "shell/game.h"
#include "shell/spawn.h"
#include "support/play_env.h"

#include <numeric>

namespace {
class spawning : public play_test {
protected:
    void SetUp() override {
        play_test::SetUp();
        spawn_streams_reset();
        std::fill(std::begin(spawns_by_kind), std::end(spawns_by_kind), 0);
        menu_cooldown = 0;
        seed_rnd(77);
    }
    static long total() { return std::accumulate(std::begin(spawns_by_kind), std::end(spawns_by_kind), 0L); }
    static void run(int from, int to) {
        for (int t = from; t <= to; t++) spawn_director(t);
    }
};
} // namespace

TEST_F(spawning, a_new_game_starts_quiet_on_medium_and_hard) {
    run(1, 32);
    EXPECT_EQ(total(), 0);
    run(7000, 7010); // Hard starts here: no rule falls on these frames
    EXPECT_EQ(total(), 0);
}

TEST_F(spawning, single_spawns_come_every_33_frames_in_the_even_halves) {
    run(1, 699);
    // 33, 66 ... 330 in the first half; none from 350 to 699; the generator rule at 444
    EXPECT_EQ(spawns_by_kind[0], 10);
    EXPECT_EQ(spawns_by_kind[10], 1);
    EXPECT_EQ(total(), 11);
}

TEST_F(spawning, only_pinwheels_before_frame_1100) {
    for (int t = 0; t < 1100; t++) EXPECT_EQ(pick_kind(t), 0) << t;
    int seen_max = 0;
    for (int i = 0; i < 2000; i++) {
        int k = pick_kind(3300); // s = 3
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 3);
        seen_max = std::max(seen_max, k);
    }
    EXPECT_EQ(seen_max, 3);
    for (int i = 0; i < 2000; i++) EXPECT_LE(pick_kind(100000), 9); // never a generator
}

TEST_F(spawning, streams_start_on_their_frames_and_emit_every_second_or_third_frame) {
    spawn_director(777 * 2); // stream A starts
    EXPECT_GT(stream_a.countdown, 0);
    EXPECT_LE(stream_a.countdown, 100);
    EXPECT_EQ(stream_a.countdown % 2, 1); // started even, then emitted once already
    std::fill(std::begin(spawns_by_kind), std::end(spawns_by_kind), 0);
    stream_a = {0, 1, 10};
    stream_c = {0, 5, 9};
    run(100001, 100009); // frames on which no rule starts anything
    EXPECT_EQ(stream_a.countdown, 1);
    EXPECT_EQ(stream_c.countdown, 0);
    EXPECT_EQ(spawns_by_kind[0], 4 + 3); // A when 8, 6, 4 and 2 are left; C at 6, 3 and 0
}

TEST_F(spawning, butterfly_streams_send_pairs) {
    stream_c = {9, 5, 3};
    run(100001, 100003);
    EXPECT_EQ(spawns_by_kind[9], 2);
}

TEST_F(spawning, nothing_arrives_during_a_cooldown_but_the_streams_run_on) {
    stream_a = {0, 1, 10};
    menu_cooldown = 100;
    run(100001, 100010);
    EXPECT_EQ(stream_a.countdown, 0);
    EXPECT_EQ(total(), 0);
}

TEST_F(spawning, a_lost_ship_stops_the_streams) {
    stream_a = {0, 1, 10};
    stream_b = {1, 2, 20};
    stream_c = {2, 5, 30};
    stream_d = {3, 3, 40};
    clear_board(0);
    EXPECT_EQ(stream_a.countdown + stream_b.countdown + stream_c.countdown + stream_d.countdown, 0);
}

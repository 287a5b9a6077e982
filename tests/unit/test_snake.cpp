// Snakes: only the head can be shot, the tail falls a segment a frame, and a snake comes
// whole or not at all.
#include "enemies/snake.h"
#include "player/shots.h"
#include "test_enemy_env.h"

#include <gtest/gtest.h>

namespace {

class snakes : public enemy_test {
  protected:
    static inline char fakes[3];
    sound saved_snake[3];
    sound* snake_sounds[3] = {&snd_wee, &snd_tailhit, &snd_snakehit};

    void SetUp() override {
        enemy_test::SetUp();
        for (int i = 0; i < 3; i++) {
            saved_snake[i] = *snake_sounds[i];
            *snake_sounds[i] = reinterpret_cast<sound>(&fakes[i]);
        }
        player_x = 100;
        player_y = 100;
    }
    void TearDown() override {
        snake_list.for_each([](snake* s) { s->discard(); });
        actor_lists_collect();
        for (int i = 0; i < 3; i++) *snake_sounds[i] = saved_snake[i];
        enemy_test::TearDown();
    }
    static snake* head() {
        snake* h = nullptr;
        snake_list.for_each([&](snake* s) {
            if (s->is_head) h = s;
        });
        return h;
    }
    static void frame() {
        snake_list.for_each([](snake* s) { s->update(); });
        actor_lists_collect();
    }
    static int shoot_at(const snake* s) {
        shot sh{s->x, s->y, 0, 0, 10};
        return enemies_hit_by_shot(sh);
    }
};

TEST_F(snakes, a_snake_is_25_linked_segments_listed_tail_first) {
    snake* h = snake::create(600, 400, 24, 0, 0, 0, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(snake_list.size(), 25u);
    EXPECT_EQ(snake_list.first(), [] {
        snake* s = head();
        while (s->next) s = s->next;
        return s;
    }());
    int n = 1;
    for (snake* s = h; s->next; s = s->next, n++) {
        EXPECT_EQ(s->next->prev, s);
        EXPECT_EQ(s->next->index, s->index - 1);
    }
    EXPECT_EQ(n, 25);
    EXPECT_EQ(played(snd_wee).size(), 1u);
}

TEST_F(snakes, a_tail_hit_scores_nothing_and_the_segment_stays) {
    snake* h = snake::create(600, 400, 24, 0, 0, 0, 0);
    snake* tail = h->next->next;
    tail->x += 300; // away from the head, so the shot finds this segment
    EXPECT_EQ(shoot_at(tail), 1);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(played(snd_tailhit).size(), 1u);
    actor_lists_collect();
    EXPECT_EQ(snake_list.size(), 25u);
}

TEST_F(snakes, the_head_scores_100_and_the_tail_falls_one_a_frame_with_its_sound) {
    snake* h = snake::create(600, 400, 24, 0, 0, 0, 0);
    h->x += 300;
    EXPECT_EQ(shoot_at(h), 1);
    EXPECT_EQ(score, 100 * 3);
    actor_lists_collect();
    EXPECT_EQ(snake_list.size(), 24u);
    for (int f = 1; f <= 24; f++) {
        frame();
        EXPECT_EQ(snake_list.size(), std::size_t(24 - f));
    }
    EXPECT_EQ(played(snd_snakehit).size(), 24u);
}

TEST_F(snakes, a_bombed_or_swallowed_head_lets_the_tail_fall_silently) {
    snake::create(600, 400, 24, 0, 0, 0, 0);
    enemies_destroy_all();
    for (int f = 0; f < 30; f++) frame();
    EXPECT_EQ(snake_list.size(), 0u);
    EXPECT_TRUE(played(snd_snakehit).empty());
    EXPECT_EQ(score, 0);

    snake* h = snake::create(600, 400, 24, 0, 0, 0, 0);
    blackhole* hole = blackhole::create(h->x + 5, h->y, 20, 0);
    ASSERT_NE(hole, nullptr);
    float mass = hole->mass;
    for (int f = 0; f < 30; f++) frame();
    EXPECT_EQ(snake_list.size(), 0u);
    EXPECT_TRUE(played(snd_snakehit).empty());
    EXPECT_GT(hole->mass, mass); // fed once by the head, by nothing after
    EXPECT_LT(hole->mass, mass + 2);
    hole->discard();
}

TEST_F(snakes, the_17th_snake_is_refused_while_the_16th_comes_whole) {
    for (int i = 0; i < 16; i++) ASSERT_NE(snake::create(600, 400, 24, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(snake_list.size(), 400u);
    EXPECT_EQ(snake::create(600, 400, 24, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(snake_list.size(), 400u);
    EXPECT_EQ(played(snd_wee).size(), 16u);
}

TEST_F(snakes, any_segment_touching_the_ship_marks_the_whole_chain) {
    snake* h = snake::create(600, 400, 24, 0, 0, 0, 0);
    shield_timer = 100; // protected: the snake stays
    snake* s = h->next->next->next;
    s->spread_touched();
    int touched = 0;
    snake_list.for_each([&](snake* e) { touched += e->touched; });
    EXPECT_EQ(touched, 24); // every one but the caller, which sets its own
    enemies_clear(0);
    actor_lists_collect();
    EXPECT_EQ(snake_list.size(), 24u); // the death sequence keeps all but the untouched caller
}

} // namespace

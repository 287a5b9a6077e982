// Triangles: pairing, links that shrug off shots and wear, holes that tear a pair apart,
// and the link that kills the ship; generators: their rhythm, their points, their offspring.
#include "enemies/generator.h"
#include "enemies/triangle.h"
#include "media/headless/headless.h"
#include "test_enemy_env.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class triangles : public enemy_test {
  protected:
    void SetUp() override {
        enemy_test::SetUp();
        triangle_list.clear();
        generator_list.clear();
        frame_count = 1;
    }
    void TearDown() override {
        triangle_list.for_each([](triangle* t) { t->unlink(); });
        triangle_list.clear();
        generator_list.clear();
        enemy_test::TearDown();
    }
    static triangle* tri(float x, float y) { return place(triangle::create(x, y, 0), x, y); }
    static void pair(triangle*& a, triangle*& b) {
        a = tri(200, 150);
        b = tri(220, 150);
        a->update();
        ASSERT_EQ(a->partner, b);
    }
};

TEST_F(triangles, two_free_triangles_link_within_32_px_and_a_third_does_not_join) {
    triangle* a = tri(200, 150);
    triangle* b = tri(231, 150);
    triangle* c = tri(210, 160);
    a->update();
    EXPECT_EQ(a->partner, b); // the first free one in list order
    EXPECT_EQ(b->partner, a);
    EXPECT_EQ(a->link_strength, 25);
    c->update();
    EXPECT_EQ(c->linked, 0);
    EXPECT_EQ(c->partner, nullptr);
}

TEST_F(triangles, ten_hits_free_a_pair_and_the_eleventh_kills_for_150) {
    triangle *a, *b;
    pair(a, b);
    float dx = a->dx;
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(a->linked, 1) << i;
        a->kill(1, -5, 0);
    }
    EXPECT_EQ(score, 0);
    EXPECT_EQ(a->linked, 0);
    EXPECT_EQ(b->linked, 0);
    EXPECT_EQ(b->partner, nullptr);
    EXPECT_EQ(b->link_strength, 0);
    EXPECT_NEAR(a->dx - dx, 10 * 5.0f / 16, 1e-4); // knocked along the shots' path
    a->kill(1, -5, 0);
    EXPECT_FALSE(triangle_list.contains(a));
    EXPECT_EQ(score, 150 * 3);
}

TEST_F(triangles, a_hole_takes_the_handling_triangle_and_frees_its_partner) {
    triangle *a, *b;
    pair(a, b);
    blackhole* h = blackhole_list.emplace();
    h->x = 210, h->y = 150, h->mass = 20;
    for (int f = 0; f < 200 && triangle_list.contains(a); f++) {
        a->x = 200, a->y = 150, b->x = 250, b->y = 150;
        a->update();
        b->update();
    }
    EXPECT_FALSE(triangle_list.contains(a));
    EXPECT_TRUE(triangle_list.contains(b));
    EXPECT_EQ(b->partner, nullptr);
    EXPECT_EQ(b->linked, 0);
    EXPECT_EQ(b->link_strength, 0);
    EXPECT_EQ(h->eaten, 1);
}

TEST_F(triangles, the_link_kills_an_unprotected_ship_and_each_pair_is_tested_once) {
    triangle *a, *b;
    pair(a, b);
    b->x = 320; // 120 px apart, the ship on the line between them
    player_x = 260, player_y = 160;
    shield_timer = 50;
    EXPECT_EQ(triangle_links_hit_ship(), 1);
    EXPECT_EQ(a->link_tested, 1);
    EXPECT_EQ(b->link_tested, 1);
    EXPECT_EQ(lives, 3);                     // protected
    EXPECT_EQ(triangle_links_hit_ship(), 0); // already tested this frame
    a->link_tested = b->link_tested = 0;
    shield_timer = 0;
    lives = 1;
    headless_key(27, true);
    EXPECT_EQ(triangle_links_hit_ship(), 1);
    headless_key(27, false);
    EXPECT_EQ(lives, 0);
    player_y = 190; // 30 px off the line: safe
    EXPECT_EQ(segment_near(a->x, a->y, b->x, b->y, player_x, player_y, 12), 0);
}

TEST_F(triangles, a_bomb_destroys_a_pair_and_leaves_nothing_pointing_at_the_dead) {
    triangle *a, *b;
    pair(a, b);
    tri(600, 400);
    enemies_destroy_all();
    EXPECT_TRUE(triangle_list.empty());
    EXPECT_EQ(score, 0);
    triangle *c, *d;
    pair(c, d);
    enemies_clear(0);
    EXPECT_TRUE(triangle_list.empty());
}

TEST_F(triangles, a_touched_triangle_on_a_protected_ship_keeps_its_link) {
    triangle *a, *b;
    pair(a, b);
    a->x = player_x + 10, a->y = player_y;
    shield_timer = 50;
    a->update();
    EXPECT_EQ(a->touched, 0);
    EXPECT_EQ(a->linked, 1);
}

// ---------------------------------------------------------------- generators

TEST_F(triangles, a_generator_spawns_every_period_plus_42_less_its_size) {
    generator* g = generator::create(200, 150, 2, 20, 20, 0);
    g->angle = 0;
    int spawned_at[3] = {}, n = 0;
    for (int f = 1; f <= 130 && n < 3; f++) {
        size_t before = pinwheel_list.size();
        g->update();
        if (pinwheel_list.size() > before) spawned_at[n++] = f;
    }
    EXPECT_EQ(spawned_at[0], 42);
    EXPECT_EQ(spawned_at[1], 84);
    for (int i = 0; i < 10; i++) g->hit(1);
    EXPECT_EQ(g->size, 10);
    EXPECT_EQ(g->interval(), 52);
    // Each hit short of the last is one point times the multiplier, with no popup.
    EXPECT_EQ(score, 10 * 3);
    EXPECT_TRUE(score_popups.empty());
    g->size = 1;
    g->hit(1);
    EXPECT_FALSE(generator_list.contains(g));
    EXPECT_EQ(score, 10 * 3 + 200 * 3);
}

TEST_F(triangles, a_generator_stays_on_the_ship_and_its_offspring_keep_their_distance) {
    generator* g = generator::create(0, 0, 1, 20, 20, 0);
    g->x = player_x + 10, g->y = player_y;
    shield_timer = 50;
    g->update();
    EXPECT_EQ(g->touched, 1);
    EXPECT_TRUE(generator_list.contains(g));
    shield_timer = 0;
    square_list.clear();
    g->x = player_x + 5;
    g->spawn();
    ASSERT_EQ(square_list.size(), 1u);
    square* s = square_list.first();
    EXPECT_GE(std::hypot(s->x - player_x, s->y - player_y), 100 - 0.01f);
    EXPECT_EQ(s->spawn_delay, 5);
}

TEST_F(triangles, a_spawning_generator_shakes_the_nodes_around_it_at_any_spacing) {
    for (int spacing : {0, 3}) { // 4 px and 32 px
        grid_spacing = spacing;
        grid_size(1024, 768);
        generator* g = generator::create(700, 500, 1, 20, 20, 0);
        g->x = 700, g->y = 500;
        g->spawn();
        int px = grid_spacing_pixels(spacing);
        const gridpoint& near = grid_at(700 / px + 1, 500 / px);
        const gridpoint& far = grid_at(700 / px + 6, 500 / px);
        EXPECT_GT(near.dx, 0) << px; // pushed outward
        EXPECT_EQ(far.dx, 0) << px;
        generator_list.clear();
        square_list.clear();
    }
    grid_spacing = 2;
    grid_size(1024, 768);
}

TEST_F(triangles, a_generator_in_a_corner_leaves_the_last_column_and_row_still) {
    generator* g = generator::create(1020, 764, 1, 20, 20, 0);
    g->x = 1020, g->y = 764;
    g->spawn();
    for (int c = 0; c <= grid_cols; c++) EXPECT_EQ(grid_at(c, grid_rows - 1).dx, 0) << c;
    for (int r = 0; r <= grid_rows; r++) EXPECT_EQ(grid_at(grid_cols - 1, r).dy, 0) << r;
    EXPECT_NE(grid_at(grid_cols - 2, grid_rows - 2).dx, 0); // the burst did reach inside
    generator_list.clear();
    square_list.clear();
}

} // namespace

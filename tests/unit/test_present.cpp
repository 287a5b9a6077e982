// Frames shown between the game's steps: drawn where things are at that moment, evenly
// spaced on a steady clock, and never a change to the game.
#include "shell/play_frame.h"
#include "shell/pose.h"
#include "support/play_env.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class presenting : public play_test {
protected:
    void TearDown() override {
        world_present_rate(50, false);
        set_world_step_begin_handler(nullptr);
        camera_x = camera_y = 0;
        play_test::TearDown();
    }
};

// Each gap within 2 % of the mean, and every one forward.
void expect_even(const std::vector<float>& at, const char* what, int fps) {
    ASSERT_GT(at.size(), 20u);
    float mean = (at.back() - at[1]) / float(at.size() - 2);
    for (size_t i = 2; i < at.size(); i++) {
        float gap = at[i] - at[i - 1];
        EXPECT_GT(gap, 0) << what << " at " << fps << ", frame " << i;
        EXPECT_NEAR(gap, mean, 0.02f * mean) << what << " at " << fps << ", frame " << i;
    }
}

TEST_F(presenting, a_steady_flight_is_drawn_evenly_between_steps) {
    set_world_step_begin_handler(pose_remember);
    for (int fps : {60, 144}) {
        world_present_rate(fps, false);
        world_pace_reset();
        player_x = 100;
        camera_x = 0;
        gridpoint& node = grid_at(10, 10);
        float node_x = node.x;
        std::vector<float> ship, view, lattice;
        int steps = 0;
        for (int step = 0; step < 60; step++) {
            bool drawn = world_step_draws();
            // A ship at 6 px a step, the view after it at 4, a lattice node swinging at 0.5.
            player_x += 6;
            camera_x += 4;
            node.x += 0.5f;
            world_step_end(drawn, [&](float alpha) {
                draw_posed(alpha, [&] {
                    ship.push_back(player_x);
                    view.push_back(view_x());
                    lattice.push_back(grid_at(10, 10).x);
                });
            });
            steps++;
            // Drawing put everything back as the step left it.
            EXPECT_EQ(player_x, 100 + 6.0f * float(steps));
            EXPECT_EQ(camera_x, 4 * steps);
        }
        // At 60 a second six frames come in five steps, at 144 about three a step.
        EXPECT_NEAR(double(ship.size()), 60.0 * fps / 50, 2.0) << fps;
        expect_even(ship, "the ship", fps);
        expect_even(view, "the camera", fps);
        expect_even(lattice, "a lattice node", fps);
        node.x = node_x;
    }
}

TEST_F(presenting, something_that_jumps_or_is_born_is_drawn_where_it_is) {
    set_world_step_begin_handler(pose_remember);
    world_present_rate(144, false);
    world_pace_reset();
    player_x = 100;
    bool drawn = world_step_draws();
    player_x = 900; // a new ship in the middle
    shot_fire(300, 300, 4, 0, 4);
    std::vector<float> ship, shot_x;
    world_step_end(drawn, [&](float alpha) {
        draw_posed(alpha, [&] {
            ship.push_back(player_x);
            shots.for_each([&](shot* s) { shot_x.push_back(s->x); });
        });
    });
    ASSERT_FALSE(ship.empty());
    for (float x : ship) EXPECT_EQ(x, 900);
    for (float x : shot_x) EXPECT_EQ(x, 300);
}

// A drawing that adds or takes an object is caught, and whatever way a drawing leaves, every
// posed value is put back.
TEST_F(presenting, a_drawing_that_changes_the_lists_is_caught_and_undone) {
    shot_fire(300, 300, 4, 0, 4);
    pose_remember();
    shots.for_each([](shot* s) { s->x += 4; });
    player_x += 6;
    const float ship = player_x;
    int faults = pose_faults();
    draw_posed(0.5f, [] { shot_fire(500, 500, 4, 0, 4); });
    EXPECT_EQ(pose_faults(), faults + 1);
    EXPECT_EQ(shots.first()->x, 304);
    try {
        draw_posed(0.5f, [] { throw 1; });
    } catch (int) {
    }
    EXPECT_EQ(player_x, ship);
    EXPECT_EQ(shots.first()->x, 304);
    EXPECT_FALSE(pose_active());
}

} // namespace

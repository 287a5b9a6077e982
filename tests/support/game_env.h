// The whole game, headless, started in a scratch folder that sees the staged assets,
// with a script that plays it frame by frame.
#pragma once

#include "media/headless/headless.h"
#include "media/media.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct left_the_program {};

class game_test : public ::testing::Test {
protected:
    temp_dir dir;
    std::string old_cwd;
    int frame = 0;
    int max_frames = 60000;

    void SetUp() override;
    void TearDown() override;
public:
    // Starts the program's start-up (Config.txt may be written first).
    void start();
    // Calls step(frame) at every presented frame until run_game returns; a runaway game fails.
    void play(std::function<void(int)> step);
    // Taps a key (press and release) so that the next read sees one hit.
    static void tap(int key) { headless_key_tap(key); }
    // Keys to tap one per frame, as a player would, after the script's own step.
    std::vector<int> queued;
    void press(std::initializer_list<int> keys) { queued.insert(queued.end(), keys); }
};

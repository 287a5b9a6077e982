// A recorded game as bytes: a header, what the simulation read on every step, checkpoints and
// how it ended, compressed. Replay files are swapped between players, so reading one trusts
// nothing in it: every length is checked against what is really there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int REPLAY_FORMAT = 1;
// Raised only by a deliberate change to the rules: replays of other rules cannot play back.
constexpr uint32_t RULES_VERSION = 2;
constexpr int REPLAY_CHECKPOINT_EVERY = 250;
// A day of play at 50 steps a second. A step can cost under a byte on file but ~64 read, so
// without a bound a file of a few hundred KB would ask for gigabytes.
constexpr uint32_t REPLAY_MAX_STEPS = 50 * 60 * 60 * 24;

struct replay_step {
    float move_x = 0, move_y = 0, aim_x = 0, aim_y = 0; // as the controls left them
    uint64_t bits = 0;    // the yes/no questions the step asked of the player, in order
    uint8_t asked = 0;    // how many
    int8_t menu = -1;     // the Options menu's answer when it was opened on this step
    std::string settings; // Config.txt as the menu left it, when it changed anything
};

struct replay_checkpoint {
    uint32_t step = 0;
    int32_t frame_count = 0, score = 0, rnd = 0;
    uint64_t hash = 0;
};

struct replay_data {
    uint32_t rules = RULES_VERSION;
    std::string date;     // when it was played, "2026-12-08 21:24"
    int difficulty = 1;   // 0 Easy, 1 Medium, 2 Hard
    int32_t seed = 0;     // the random generator at the start of the game
    uint8_t switches = 0; // 1 cheat mode, 2 god mode, 4 debug mode, as the game began
    std::string settings; // Config.txt as it stood at the start
    std::string name;     // the name entered for the table; empty if none
    std::vector<replay_step> steps;
    std::vector<replay_checkpoint> checkpoints;
    bool ended = false; // the game was played to its end and the end record written
    int32_t end_score = 0;
    uint32_t end_steps = 0;
    uint64_t end_hash = 0;
};

std::string replay_encode(const replay_data& r);

enum replay_error { REPLAY_OK, REPLAY_BAD, REPLAY_OTHER_RULES };
// Fills `out` from the bytes of a file; on failure says why in `reason`, one line.
replay_error replay_decode(const std::string& bytes, replay_data& out, std::string& reason);
// Reads and decodes a file: a missing file, a folder or one too large is refused the same way.
replay_error replay_load(const std::string& path, replay_data& out, std::string& reason);

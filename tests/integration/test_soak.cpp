// Ten minutes of a Hard game with a random player: nothing breaks (the sanitizer build runs this
// too), the enemy lists stay bounded, and the same seed and input give the same game.
#include "controls/controls.h"
#include "controls/menu.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "media/headless/headless.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "shell/spawn.h"
#include "shell/world_hash.h"
#include "playfield/grid_draw.h"
#include "shell/game.h"
#include "support/game_env.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace {
using soak = game_test;

bool in(const char* name) { return std::string(screen_name) == name; }

struct outcome {
    uint64_t hash = 0;
    long spawned = 0;
    int most_shots = 0;
    size_t most_enemies = 0;
    long holes_shot_down = 0, holes_overloaded = 0;
    long by_kind[11] = {};
    powerup_counts tokens{};
};

template <class F> void each_list(F&& f) {
    f(square_list);
    f(pinwheel_list);
    f(diamond_list);
    f(cube_list);
    f(seeker_list);
    f(blackhole_list);
    f(butterfly_list);
    f(generator_list);
    f(triangle_list);
    f(snake_list);
    f(interceptor_list);
}

size_t enemies_alive() {
    size_t n = 0;
    each_list([&](auto& l) { n += l.size(); });
    return n;
}

// How a random game is played: by an invulnerable ship, or by one whose ships are topped up
// so it dies now and then and the game goes on; and which grid look is shown when.
struct game_plan {
    bool god = true;
    std::function<int(int played)> style;
};

// Plays `frames` play frames with keys pressed at random, then leaves through the menu.
outcome random_game(game_test& g, int frames, unsigned input_seed, game_plan plan = {}) {
    outcome out;
    long shot_down = blackholes_shot_down, overloaded = blackholes_overloaded;
    powerup_counts tokens = powerup_stats;
    difficulty = 2; // Hard starts at frame 7000, where black holes come among the single spawns
    god_mode = plan.god; // the ship survives so the whole stretch is played
    control_type = CONTROL_KEYBOARD;
    std::fill(std::begin(spawns_by_kind), std::end(spawns_by_kind), 0);
    std::minstd_rand input(input_seed);
    const int keys[] = {key_move_left, key_move_right, key_move_up, key_move_down,
                        key_fire_left, key_fire_right, key_fire_up, key_fire_down};
    int played = 0, step = 0;
    g.play([&](int) {
        if (step == 0 && in("title")) {
            next_game_seed = 4242 + int(input_seed);
            game_test::tap(32), step++;
        } else if (step == 1 && !menu_open && lives < 2) {
            lives = 2; // the game goes on through deaths and GET READY
        } else if (step == 1 && in("play") && !menu_open) {
            played++;
            if (plan.style) grid_style = plan.style(played);
            for (int k : keys) headless_key(k, input() % 4 == 0);
            // A crowd no ship could live through is bombed, as a player would (the
            // invulnerable ship never loses a life, which is what clears the board in play).
            bool swamped = enemies_alive() > 1200;
            if (swamped) bombs = std::max(bombs, 1);
            headless_key(key_bomb, swamped || input() % 500 == 0);
            // Every other stretch the player turns its guns on the nearest black hole.
            if ((played / 1000) % 2 == 1)
                if (blackhole* h = blackhole_list.first()) {
                    headless_key(key_fire_left, h->x < player_x - 16);
                    headless_key(key_fire_right, h->x > player_x + 16);
                    headless_key(key_fire_up, h->y < player_y - 16);
                    headless_key(key_fire_down, h->y > player_y + 16);
                }
            // Two stretches in three the player shies away from tokens, as one saving them for
            // later would, so some live long enough to hatch or turn into enemies.
            // Now and then a weapon-timer token, the kind that turns into a butterfly, and a
            // pair of upgrades, the kind that hatches a generator.
            if (played % 1500 == 750) powerup_drop(played % 3000 == 750 ? 0 : 1);
            if (played % 3000 == 1500) powerup_drop(3), powerup_drop(3);
            if ((played / 2000) % 3 != 0) {
                powerup* near = nullptr;
                float best = 400 * 400;
                powerups.for_each([&](powerup* p) {
                    float ex = p->x - player_x, ey = p->y - player_y;
                    if (ex * ex + ey * ey < best) best = ex * ex + ey * ey, near = p;
                });
                if (near) {
                    headless_key(key_move_left, near->x > player_x);
                    headless_key(key_move_right, near->x <= player_x);
                    headless_key(key_move_up, near->y > player_y);
                    headless_key(key_move_down, near->y <= player_y);
                }
            }
            out.most_shots = std::max(out.most_shots, int(shots.size()));
            out.most_enemies = std::max(out.most_enemies, enemies_alive());
            if (played >= frames) {
                for (int k : keys) headless_key(k, false);
                headless_key(key_bomb, false);
                out.hash = world_hash();
                game_test::tap(27);
                step++;
            }
        } else if (step == 2 && menu_open) {
            g.press({38, 38, 38, 13});
            step++;
        }
    });
    god_mode = 0;
    for (long n : spawns_by_kind) out.spawned += n;
    std::copy(std::begin(spawns_by_kind), std::end(spawns_by_kind), out.by_kind);
    out.holes_shot_down = blackholes_shot_down - shot_down;
    out.holes_overloaded = blackholes_overloaded - overloaded;
    out.tokens = {powerup_stats.dropped - tokens.dropped,
                  powerup_stats.collected - tokens.collected, powerup_stats.eaten - tokens.eaten,
                  powerup_stats.merged - tokens.merged, powerup_stats.expired - tokens.expired};
    return out;
}
} // namespace

TEST_F(soak, ten_minutes_of_random_play) {
    max_frames = 40000;
    start();
    outcome o = random_game(*this, 30000, 1);
    EXPECT_GT(o.spawned, 500);
    EXPECT_LE(o.most_shots, SHOT_MAX);
    EXPECT_GT(o.most_enemies, 20u);
    EXPECT_LT(o.most_enemies, 3000u); // the lists stayed bounded
    for (int k = 0; k <= 10; k++) EXPECT_GT(o.by_kind[k], 0) << "spawn index " << k;
    EXPECT_GT(o.holes_shot_down, 0);
    EXPECT_GT(o.holes_overloaded, 0);
    EXPECT_GT(o.tokens.dropped, 0);
    EXPECT_GT(o.tokens.collected, 0);
    EXPECT_GT(o.tokens.eaten, 0);
    EXPECT_GT(o.tokens.merged, 0);
    EXPECT_GT(o.tokens.expired, 0);
}

TEST_F(soak, the_same_seed_and_input_give_the_same_game) {
    start();
    outcome a = random_game(*this, 3000, 7);
    start();
    outcome b = random_game(*this, 3000, 7);
    EXPECT_EQ(a.hash, b.hash);
    EXPECT_EQ(a.spawned, b.spawned);
    start();
    outcome c = random_game(*this, 3000, 8);
    EXPECT_NE(a.hash, c.hash); // the hash does see the game
}

// The picture never changes the game: with every step drawn, with steps left undrawn as a
// slow renderer makes the game do, and with nothing drawn at all, the same seed and input end
// in the same state, through deaths and every grid look.
TEST_F(soak, drawing_never_changes_the_game) {
#ifdef __SANITIZE_ADDRESS__
    const unsigned seeds = 2; // the sanitizers look for memory faults, not a long game
    const int steps = 2000;
#else
    const unsigned seeds = 8;
    const int steps = 9000;
#endif
    int skipped = 0;
    for (unsigned seed = 1; seed <= seeds; seed++) {
        game_plan plan{false, [seed](int played) { return int(seed * 3 + played / 1000) % 20; }};
        start();
        outcome drawn = random_game(*this, steps, seed, plan);
        int before = headless_stats().skipped;
        headless_set_present_cost_us(35000); // a renderer that needs 35 ms a frame
        start();
        outcome late = random_game(*this, steps, seed, plan);
        headless_set_present_cost_us(0);
        skipped += headless_stats().skipped - before;
        world_blind = true;
        start();
        outcome blind = random_game(*this, steps, seed, plan);
        world_blind = false;
        EXPECT_EQ(late.hash, drawn.hash) << "seed " << seed;
        EXPECT_EQ(blind.hash, drawn.hash) << "seed " << seed;
        EXPECT_GT(drawn.spawned, steps / 100) << "seed " << seed;
    }
    EXPECT_GT(skipped, int(seeds) * steps / 3);
}

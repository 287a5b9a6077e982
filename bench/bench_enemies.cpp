// A crowded playfield: 100 enemies of each kind (101 cubes, the cube limit) closing in on
// an invulnerable ship. enemies_update is the enemies' share of a frame; world_update the
// whole world step with them (grid, sparks and all) on a 1024 x 768 playfield; the holes
// case adds four active black holes pulling that field and a full spark pool.
#include "audio/sound_bank.h"
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
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"

#include <benchmark/benchmark.h>

namespace {

void crowd() {
    field_width = screen_width = 1024;
    field_height = screen_height = 768;
    grid_spacing = 2;
    grid_size(field_width, field_height);
    part_init();
    player_x = 512;
    player_y = 384;
    god_mode = 1; // contact must not start the death sequence
    freeze_actors = 0;
    enemy_speeds_reset(1);
    float volume = sfx_volume;
    sfx_volume = 0;
    seed_rnd(77);
    enemies_clear(1);
    for (int i = 0; i < 100; i++) {
        float x = float(rand_int(20, 1004)), y = float(rand_int(20, 748));
        square::create(x, y, 0);
        pinwheel::create(y, x * 0.7f, 0);
        diamond::create(1024 - x, y, 0);
        cube::create(x, 768 - y, 0, 0);
        seeker::create(1024 - x, 768 - y, 0, 0);
        butterfly::create(x * 0.5f, y, 0);
    }
    cube::create(100, 100, 0, 0);
    sfx_volume = volume;
}

// Four awake holes in the quarters of the field and every spark slot alive.
void crowd_with_holes() {
    crowd();
    float volume = sfx_volume;
    sfx_volume = 0;
    const float at[4][2] = {{256, 192}, {768, 192}, {256, 576}, {768, 576}};
    for (const auto& p : at) {
        blackhole* h = blackhole::create(p[0], p[1], 30, 0);
        h->hit(1); // awake: pulls the grid, sparks, bends shots
    }
    particle_count = PARTICLE_MAX;
    particle_gravity = 1;
    for (int i = 0; i < PARTICLE_MAX; i++)
        part_spawn(float(rnd(0, 1024)), float(rnd(0, 768)), 9, 255, 200, 100, 0, 1);
    for (part& p : particles) p.life = 40;
    sfx_volume = volume;
}

void done(benchmark::State& state) {
    state.counters["enemies"] =
        double(square_list.size() + pinwheel_list.size() + diamond_list.size() + cube_list.size() +
               seeker_list.size() + butterfly_list.size());
    enemies_clear(1);
    actor_lists_collect();
    god_mode = 0;
}

void BM_enemies_update_601(benchmark::State& state) {
    crowd();
    for (auto _ : state) enemies_update();
    done(state);
}

void BM_enemies_world_update_601(benchmark::State& state) {
    crowd();
    for (auto _ : state) world_update(0);
    done(state);
}

// The holes swallow and overload as the field closes in; the scene is laid again before it
// thins out, so every timed frame has four holes and 550 or more enemies.
void BM_world_update_4_holes_601_enemies_10k_sparks(benchmark::State& state) {
    crowd_with_holes();
    long laid = 0;
    for (auto _ : state) {
        world_update(0);
        size_t alive = square_list.size() + pinwheel_list.size() + diamond_list.size() +
                       cube_list.size() + seeker_list.size() + butterfly_list.size();
        if (blackhole_list.size() < 4 || alive < 550 || ++laid % 40 == 0) {
            state.PauseTiming();
            actor_lists_collect();
            crowd_with_holes();
            state.ResumeTiming();
        }
    }
    state.counters["holes"] = double(blackhole_list.size());
    blackhole_list.for_each([](blackhole* h) { h->discard(); });
    particle_gravity = 0;
    done(state);
}

// Every list full: the crowd and the holes, 16 snakes, 100 interceptors, 100 pairs of
// triangles and 20 generators.
void crowd_everything() {
    crowd_with_holes();
    float volume = sfx_volume;
    sfx_volume = 0;
    for (int i = 0; i < 16; i++) snake::create(float(60 * i + 40), 80, 24, 0, 0, 0, 0);
    for (int i = 0; i < 100; i++) {
        interceptor::create(float(rand_int(20, 1004)), float(rand_int(20, 748)), 0);
        float x = float(rand_int(40, 980)), y = float(rand_int(40, 720));
        triangle::create(x, y, 0);
        triangle::create(x + 10, y, 0);
    }
    for (int i = 0; i < 20; i++)
        generator::create(float(rand_int(20, 1004)), float(rand_int(20, 748)), 1 + i % 10, 60, 20,
                          0);
    sfx_volume = volume;
}

void BM_world_update_every_list_full(benchmark::State& state) {
    crowd_everything();
    long laid = 0;
    for (auto _ : state) {
        world_update(0);
        if (++laid % 40 == 0) {
            state.PauseTiming();
            enemies_clear(1);
            actor_lists_collect();
            crowd_everything();
            state.ResumeTiming();
        }
    }
    state.counters["snakes"] = double(snake_list.size()) / 25;
    state.counters["interceptors"] = double(interceptor_list.size());
    state.counters["triangles"] = double(triangle_list.size());
    state.counters["generators"] = double(generator_list.size());
    blackhole_list.for_each([](blackhole* h) { h->discard(); });
    particle_gravity = 0;
    done(state);
}

} // namespace

BENCHMARK(BM_world_update_every_list_full)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_world_update_4_holes_601_enemies_10k_sparks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_enemies_update_601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_enemies_world_update_601)->Unit(benchmark::kMillisecond);

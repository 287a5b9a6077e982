// Whole play frames in a real window (Xvfb and llvmpipe on these machines): the world update
// and every vertex of draw_frame, then GL. The scenes: the default settings; a 1920 x 1080
// screen over a 1920 x 1200 playfield with 10 000 sparks and 1000 stars at 16 px and at 4 px
// grid spacing; and the same two with every common list full, four holes and 500 shots. own_ms is
// the game's own CPU per frame (its thread's CPU time, GL's share taken out); the Time column is
// the wall time per presented frame. The timed demo replays a recorded Hard game drawn as fast
// as it goes: frames a second and own CPU a frame, the figures closest to real play.
// BM_posed_frame draws each frame half-way between two steps: the price of smooth presenting.
// BM_glow_frame prices Glow.
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/square.h"
#include "media/render_batch.h"
#include "media/sdl/sdl_stats.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/game.h"
#include "shell/play_frame.h"
#include "shell/pose.h"
#include "shell/replay.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

struct scene {
    const char* name;
    int screen_w, screen_h, field_w, field_h, spacing, style, sparks, stars;
    bool crowd;
};

const scene scenes[] = {
    {"default", 1024, 768, 1024, 768, 2, 0, 2048, 300, false},
    {"heavy_16px", 1920, 1080, 1920, 1200, 2, 4, PARTICLE_MAX, 1000, false},
    {"heavy_4px", 1920, 1080, 1920, 1200, 0, 4, PARTICLE_MAX, 1000, false},
    {"heavy_16px_crowd", 1920, 1080, 1920, 1200, 2, 4, PARTICLE_MAX, 1000, true},
    {"heavy_4px_crowd", 1920, 1080, 1920, 1200, 0, 4, PARTICLE_MAX, 1000, true},
};

bool open_scene(const scene& s) {
    if (!display_is_open() && !media_init()) return false;
    windowed = 1;
    cfg_screen_width = s.screen_w;
    cfg_screen_height = s.screen_h;
    cfg_field_width = s.field_w;
    cfg_field_height = s.field_h;
    grid_spacing = s.spacing;
    gfx_modes_build();
    gfx_modes_select();
    // The image set lives in the staged game folder.
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return false;
    bool entered = chdir("game") == 0;
    int ok = display_open();
    if (entered && chdir(cwd) != 0) return false;
    return ok == 1;
}

// What a busy moment of a late game holds: every common kind by the hundred, four awake
// holes, 500 shots in flight and every spark slot alive.
void lay(const scene& s) {
    float volume = sfx_volume;
    sfx_volume = 0;
    enemies_clear(1);
    shots.clear();
    actor_lists_collect();
    seed_rnd(11);
    player_x = float(s.field_w / 2);
    player_y = float(s.field_h / 2);
    camera_x = (s.field_w - s.screen_w) / 2;
    camera_y = (s.field_h - s.screen_h) / 2;
    grid_style = s.style;
    particle_count = s.sparks;
    show_stars = s.stars;
    particle_gravity = 1;
    if (s.crowd) {
        for (int i = 0; i < 100; i++) {
            float x = float(rand_int(20, s.field_w - 20)), y = float(rand_int(20, s.field_h - 20));
            square::create(x, y, 0);
            pinwheel::create(float(s.field_w) - x, y, 0);
            diamond::create(x, float(s.field_h) - y, 0);
            cube::create(float(s.field_w) - x, float(s.field_h) - y, 0, 0);
            seeker::create(x * 0.5f, y, 0, 0);
            butterfly::create(x, y * 0.5f, 0);
        }
        for (int k = 0; k < 4; k++) {
            blackhole* h =
                blackhole::create(float(300 + 440 * k), float(300 + 200 * (k % 2)), 30, 0);
            if (h) h->hit(1);
        }
        for (int i = 0; i < SHOT_MAX; i++) {
            float a = float(i) * 0.72f;
            shot_fire(player_x, player_y, cos_deg(a) * 6, sin_deg(a) * 6, 6);
        }
    }
    for (int i = 0; i < s.sparks; i++)
        part_spawn(float(rnd(0, s.field_w)), float(rnd(0, s.field_h)), 9, 255, 200, 100, 0, 1);
    for (int i = 0; i < s.sparks; i++) particles[i].life = 40;
    // Explosions ripple the lattice; between them it settles back, as in play.
    for (int i = 0; i < 8; i++)
        grid_push(float(rand_int(0, s.field_w)), float(rand_int(0, s.field_h)), 6, 1.0f);
    sfx_volume = volume;
}

// posed: every frame is drawn half-way between two steps, as frames between steps are.
void play_frames(benchmark::State& state, bool posed) {
    const scene& s = scenes[state.range(0)];
    state.SetLabel(s.name);
    if (!open_scene(s)) {
        state.SkipWithError("no display");
        return;
    }
    god_mode = 1;
    freeze_actors = 0;
    enemy_speeds_reset(2);
    lay(s);
    long calls = 0, frames = 0;
    long long own_us = 0, update_us = 0;
    for (auto _ : state) {
        clear_screen();
        sdl_reset_draw_calls();
        long long t0 = sdl_thread_cpu_us();
        long long f0 = sdl_flush_us();
        if (posed) pose_remember();
        world_update(0);
        long long t1 = sdl_thread_cpu_us();
        update_us += t1 - t0;
        if (posed)
            draw_posed(0.5f, draw_frame);
        else
            draw_frame();
        batch_flush();
        own_us += sdl_thread_cpu_us() - t0 - (sdl_flush_us() - f0);
        flip();
        (void)read_pixels(0, 0, 1, 1); // wait until the frame is really drawn
        calls += sdl_draw_calls();
        actor_lists_collect();
        if (++frames % 40 == 0) {
            // Sparks live 40 updates and the crowd thins out: lay the scene again.
            state.PauseTiming();
            lay(s);
            state.ResumeTiming();
        }
    }
    double n = double(frames ? frames : 1);
    state.counters["gl_draws_per_frame"] = double(calls) / n;
    state.counters["own_ms"] = double(own_us) / 1000.0 / n;
    state.counters["update_ms"] = double(update_us) / 1000.0 / n;
    enemies_clear(1);
    shots.clear();
    actor_lists_collect();
    god_mode = 0;
    particle_gravity = 0;
}

} // namespace

void BM_play_frame(benchmark::State& state) { play_frames(state, false); }
void BM_posed_frame(benchmark::State& state) { play_frames(state, true); }

// Glow's price: the default and the 16 px heavy scene with it Low (1) and High (2).
void BM_glow_frame(benchmark::State& state) {
    set_glow(int(state.range(1)));
    play_frames(state, false);
    set_glow(0);
}

BENCHMARK(BM_play_frame)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_glow_frame)
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);
BENCHMARK(BM_posed_frame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(3.0);

namespace {

// The timed demo: the first stretch of the recorded Hard two-stick game, played back and drawn
// as fast as the renderer goes, in the default 1024 x 768 window.
constexpr uint32_t DEMO_STEPS = 3000;

void demo_step() {
    replay_step_done();
    if (replay_step_index() >= DEMO_STEPS) replay_play_stop();
}

void BM_timedemo(benchmark::State& state) {
    replay_data r;
    std::string reason;
    if (replay_load("tests/replays/hard-sticks.vxr", r, reason) != REPLAY_OK) {
        state.SkipWithError(reason.c_str());
        return;
    }
    if (!open_scene(scenes[0])) {
        state.SkipWithError("no display");
        return;
    }
    float volume = sfx_volume;
    sfx_volume = 0;
    music_off = true;
    replay_checking = true; // no keys read, no verdict shown
    world_fast = true;
    set_world_step_handler(demo_step);
    long long own_us = 0, wall_us = 0;
    uint32_t steps = 0;
    for (auto _ : state) {
        long long t0 = sdl_thread_cpu_us(), f0 = sdl_flush_us(), w0 = micros();
        watch_replay(r);
        own_us += sdl_thread_cpu_us() - t0 - (sdl_flush_us() - f0);
        wall_us += micros() - w0;
        steps += replay_step_index();
    }
    set_world_step_handler(nullptr);
    world_fast = replay_checking = music_off = false;
    sfx_volume = volume;
    double n = double(steps ? steps : 1);
    state.counters["fps"] = n / (double(wall_us) / 1e6);
    state.counters["own_ms"] = double(own_us) / 1000.0 / n;
}

} // namespace

BENCHMARK(BM_timedemo)->Iterations(1)->Unit(benchmark::kMillisecond);

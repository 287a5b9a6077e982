// The playfield's per-frame costs on the largest grid (1920 x 1200 at 4 px, 480 x 300 cells):
// the relaxation pass and the spark update (CPU, the Time column), and three grid looks
// drawn in a real 1024 x 768 window: Time is wall time per presented frame under
// Xvfb/llvmpipe, cpu_ms the time spent inside grid_draw (with the batch flushes it causes),
// gl_draws_per_frame the GL draw calls.
#include "enemies/blackhole.h"
#include "media/media.h"
#include "media/render_batch.h"
#include "media/sdl/sdl_stats.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/play_frame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

namespace {

void largest_grid() {
    grid_spacing = 0;
    grid_size(1920, 1200);
}

// A few ripples spread over the sheet, as a busy frame leaves it.
void ripple(int frame) {
    float x = float(200 + (frame * 97) % 1500), y = float(150 + (frame * 61) % 900);
    grid_pull(x, y, 32, 64.0f);
    grid_burst(int(1920 - x), int(1200 - y));
}

void BM_grid_relax_at_rest(benchmark::State& state) {
    largest_grid();
    for (auto _ : state) grid_relax();
}

void BM_grid_relax_rippling(benchmark::State& state) {
    largest_grid();
    for (int i = 0; i < 20; i++) {
        ripple(i);
        grid_relax();
    }
    int frame = 0;
    for (auto _ : state) {
        if (++frame % 10 == 0) ripple(frame);
        grid_relax();
    }
}

part fresh[PARTICLE_MAX];

void fill_sparks(int life) {
    part_init();
    seed_rnd(5);
    particle_count = PARTICLE_MAX;
    particle_life = 40;
    particle_decay = 0.95f;
    field_width = 1920;
    field_height = 1200;
    for (int i = 0; i < PARTICLE_MAX; i++)
        part_spawn(float(rnd(0, 1920)), float(rnd(0, 1200)), 9, 255, 200, 100, 0, 1);
    for (int i = 0; i < PARTICLE_MAX; i++) particles[i].life = life;
    std::copy(std::begin(particles), std::end(particles), std::begin(fresh));
}

// Every 40 updates the pool is put back to freshly spawned sparks, as a spark's life is at
// most 40 updates: left alone, the decay would slow them into denormal crawl no game sees.
void refresh_every_40(benchmark::State& state, long& n) {
    if (++n % 40) return;
    state.PauseTiming();
    std::copy(std::begin(fresh), std::end(fresh), std::begin(particles));
    state.ResumeTiming();
}

// 10 000 live sparks flying about and bouncing off the playfield walls.
void BM_particles_update_10k(benchmark::State& state) {
    fill_sparks(1 << 30);
    long n = 0;
    for (auto _ : state) {
        part_update_all(0);
        refresh_every_40(state, n);
    }
    state.SetItemsProcessed(state.iterations() * PARTICLE_MAX);
}

// The same in their last 20 updates, with the colour fade running on every spark.
void BM_particles_update_10k_fading(benchmark::State& state) {
    fill_sparks(20);
    long n = 0;
    for (auto _ : state) {
        part_update_all(0);
        if (n % 20 == 19) {
            state.PauseTiming();
            std::copy(std::begin(fresh), std::end(fresh), std::begin(particles));
            state.ResumeTiming();
        }
        n++;
    }
}

// Gravity of four active black holes on a full pool.
void BM_particles_gravity_10k(benchmark::State& state) {
    fill_sparks(1 << 30);
    long n = 0;
    for (int k = 0; k < 4; k++) {
        blackhole* h = blackhole_list.emplace();
        h->centre_x = h->x = float(300 + 400 * k);
        h->centre_y = h->y = 600;
        h->mass = 30;
        h->active = 1;
    }
    for (auto _ : state) {
        part_gravity();
        refresh_every_40(state, n);
    }
    blackhole_list.clear();
    actor_lists_collect();
}

bool ensure_window() {
    static bool ok = [] {
        if (display_is_open()) return true;
        if (!media_init()) return false;
        return display_open(1024, 768, 0, 60);
    }();
    return ok && display_is_open();
}

void BM_grid_draw(benchmark::State& state) {
    int style = int(state.range(0));
    full_grid = int(state.range(1));
    if (!ensure_window()) {
        state.SkipWithError("no display");
        return;
    }
    screen_width = display_width();
    screen_height = display_height();
    camera_x = 400; // scrolled into the middle: with full_grid 0 only this view is drawn
    camera_y = 200;
    grid_spacing = int(state.range(2));
    grid_size(1920, 1200);
    for (int i = 0; i < 20; i++) {
        ripple(i);
        grid_relax();
    }
    long calls = 0, frames = 0;
    int64_t draw_us = 0, gl_us = 0;
    for (auto _ : state) {
        clear_screen();
        sdl_reset_draw_calls();
        int64_t t0 = micros();
        long long f0 = sdl_flush_us();
        grid_draw(style);
        batch_flush();
        int64_t t1 = micros();
        draw_us += t1 - t0;
        gl_us += sdl_flush_us() - f0;
        flip();
        (void)read_pixels(0, 0, 1, 1); // wait until the frame is really drawn
        calls += sdl_draw_calls();
        frames++;
    }
    double n = double(frames ? frames : 1);
    state.counters["gl_draws_per_frame"] = double(calls) / n;
    state.counters["cpu_ms"] = double(draw_us) / 1000.0 / n;
    // The game's own share: building the vertices, without GL taking them in.
    state.counters["own_ms"] = double(draw_us - gl_us) / 1000.0 / n;
    set_line_width(1);
    full_grid = 1;
    grid_spacing = 2;
    camera_x = camera_y = 0;
}

} // namespace

BENCHMARK(BM_grid_relax_at_rest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_grid_relax_rippling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_particles_update_10k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_particles_update_10k_fading)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_particles_gravity_10k)->Unit(benchmark::kMicrosecond);
// Arguments: style, full_grid (1: the whole playfield, the default; 0: the 1024 x 768 view),
// spacing index (0: 4 px, 480 x 300 cells; 2: 16 px, the default, 120 x 75 cells).
BENCHMARK(BM_grid_draw)
    ->Args({4, 1, 0})
    ->Args({13, 1, 0})
    ->Args({18, 1, 0})
    ->Args({4, 0, 0})
    ->Args({13, 0, 0})
    ->Args({18, 0, 0})
    ->Args({12, 0, 0})
    ->Args({4, 1, 2})
    ->Args({13, 1, 2})
    ->Args({18, 1, 2})
    ->Args({12, 1, 2})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

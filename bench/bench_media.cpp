// Drawing throughput of the media layer in a real window (under Xvfb and llvmpipe in CI):
// wall time per presented frame (the Time column) and the GL draw calls it took.
#include "media/media.h"
#include "media/sdl/sdl_stats.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {
bool ensure_window() {
    static bool ok = [] {
        if (!media_init()) return false;
        return display_open(1024, 768, 0, 60);
    }();
    return ok;
}

void run_frames(benchmark::State& state, void (*draw)()) {
    if (!ensure_window()) {
        state.SkipWithError("no display");
        return;
    }
    long calls = 0, frames = 0;
    for (auto _ : state) {
        clear_screen();
        sdl_reset_draw_calls();
        draw();
        flip();
        (void)read_pixels(0, 0, 1, 1); // wait for the frame to be really drawn
        calls += sdl_draw_calls();
        frames++;
    }
    state.counters["gl_draws_per_frame"] = double(calls) / double(frames ? frames : 1);
}

std::vector<float> line_ends;

void draw_lines() {
    set_blend(BLEND_LIGHT);
    set_color(40, 120, 255);
    set_line_width(1);
    for (size_t i = 0; i + 4 <= line_ends.size(); i += 4)
        draw_line(line_ends[i], line_ends[i + 1], line_ends[i + 2], line_ends[i + 3]);
}

image small = nullptr;
void draw_images() {
    set_blend(BLEND_LIGHT);
    set_color(255, 255, 255);
    for (int i = 0; i < 10000; i++)
        draw_image(small, float((i * 37) % 1024), float((i * 101) % 768));
}

void BM_frame_100k_lines(benchmark::State& state) {
    if (line_ends.empty()) {
        seed_rnd(7);
        for (int i = 0; i < 100000; i++) {
            float x = float(rnd(0, 1024)), y = float(rnd(0, 768));
            line_ends.insert(line_ends.end(), {x, y, x + float(rnd(-40, 40)), y + float(rnd(-40, 40))});
        }
    }
    run_frames(state, draw_lines);
}

void BM_frame_10k_images(benchmark::State& state) {
    if (ensure_window() && !small) {
        small = load_image("game/gfx/high/particle.png");
        if (!small) small = create_image(8, 8, 1);
    }
    run_frames(state, draw_images);
}
} // namespace

BENCHMARK(BM_frame_100k_lines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_frame_10k_images)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();

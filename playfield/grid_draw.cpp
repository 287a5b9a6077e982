#include "playfield/grid_draw.h"

#include "media/media.h"
#include "playfield/grid.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/pose.h"

#include <algorithm>
#include <cmath>
#include <vector>

int grid_style = 0;
int grid_red = 1, grid_green = 32, grid_blue = 200;
float grid_opacity = 0.85f;
int full_grid = 1;

namespace {

// Where the camera puts node (c, r) this frame.
struct view {
    grid_window w;
    float cx, cy;
    const gridpoint* nodes;
    int stride;

    const gridpoint& at(int c, int r) const { return nodes[c * stride + r]; }
    float sx(int c, int r) const { return at(c, r).x - cx; }
    float sy(int c, int r) const { return at(c, r).y - cy; }
    void vertex(int c, int r) const {
        const gridpoint& p = at(c, r);
        prim_vertex(p.x - cx, p.y - cy);
    }
};

// Every fourth line is a major one; a window starting on a multiple of four skips its own.
inline int first_major(int start) { return start + 4 - start % 4; }
inline int even_below(int v) { return v - v % 2; }

// How far a cell is stretched beyond a resting 16 px cell, as 0 (rest) to 1 (90 px or more).
float stretch(const view& v, int i, int j) {
    const gridpoint& a = v.at(i, j);
    const gridpoint& b = v.at(i + 1, j + 1);
    float e = std::max((b.x - a.x) - 16.0f, (b.y - a.y) - 16.0f);
    e = std::clamp(e, 0.0f, 90.0f);
    return sin_deg(e);
}

void stretch_colour(float d) {
    set_color(int(20.0f + 235.0f * d), int(20.0f + 100.0f * d), int(180.0f - 140.0f * d));
}

// A run of grid nodes on one straight line, so that it can go out as one segment: to the eye
// the same picture, to the renderer a fraction of the segments (a line at rest is one).
struct straight_run {
    static constexpr float eps = 0.02f; // px off the run's line that still counts as on it
    const gridpoint *s, *prev;
    float dx, dy, tol;

    void start(const gridpoint* a, const gridpoint* b) {
        s = a, prev = b;
        dx = b->x - a->x, dy = b->y - a->y;
        tol = eps * eps * (dx * dx + dy * dy);
    }
    // Takes the next node; when it leaves the line (or turns back), send(s, prev) gets the
    // run that ended and the next one starts at prev.
    template <class Send> void take(const gridpoint* p, Send&& send) {
        float cross = dx * (p->y - s->y) - dy * (p->x - s->x);
        bool onward = dx * (p->x - prev->x) + dy * (p->y - prev->y) > 0;
        if (cross * cross <= tol && onward) {
            prev = p;
            return;
        }
        send(s, prev);
        start(prev, p);
    }
};

inline bool is_major(int i, int first) { return i >= first && (i - first) % 4 == 0; }

// A line of n + 1 nodes; send(a, b) gets each straight run.
template <class Node, class Send> void straight_runs(int n, Node node, Send send) {
    straight_run u;
    u.start(&node(0), &node(1));
    for (int i = 2; i <= n; i++) u.take(&node(i), send);
    send(u.s, u.prev);
}

void row_strip(const view& v, int r, int c_from, int c_to) {
    prim_begin(PRIM_LINE_STRIP);
    v.vertex(c_from, r);
    if (c_to > c_from)
        straight_runs(
            c_to - c_from, [&](int i) -> const gridpoint& { return v.at(c_from + i, r); },
            [&](const gridpoint*, const gridpoint* b) { prim_vertex(b->x - v.cx, b->y - v.cy); });
    prim_end();
}

// Every column and row of the window in one sweep through the lattice in storage order
// (columns one after another; a row walked alone misses the cache at every node), each
// straight run one segment, twice on a major line, which under additive blending is the same
// picture as drawing the major lines again.
void line_sweep(const view& v) {
    const auto& w = v.w;
    int rows = w.r1 - w.r0;
    if (rows <= 0 || w.c1 - w.c0 < 1) return;
    static std::vector<straight_run> row_run;
    row_run.resize(size_t(rows));
    auto send = [&](const gridpoint* a, const gridpoint* b, bool major) {
        for (int k = major ? 2 : 1; k > 0; k--) {
            prim_vertex(a->x - v.cx, a->y - v.cy);
            prim_vertex(b->x - v.cx, b->y - v.cy);
        }
    };
    int major_c = first_major(w.c0), major_r = first_major(w.r0);
    prim_begin(PRIM_LINES);
    for (int c = w.c0; c <= w.c1; c++) {
        const gridpoint* column = &v.at(c, w.r0);
        if (c < w.c1) {
            bool major = is_major(c, major_c);
            straight_runs(
                rows, [&](int i) -> const gridpoint& { return column[i]; },
                [&](const gridpoint* a, const gridpoint* b) { send(a, b, major); });
        }
        if (c == w.c0 + 1)
            for (int i = 0; i < rows; i++) row_run[size_t(i)].start(column - (v.stride) + i, column + i);
        if (c < w.c0 + 2) continue;
        for (int i = 0; i < rows; i++) {
            bool major = is_major(w.r0 + i, major_r);
            row_run[size_t(i)].take(column + i, [&](const gridpoint* a, const gridpoint* b) {
                send(a, b, major);
            });
        }
    }
    for (int i = 0; i < rows; i++)
        send(row_run[size_t(i)].s, row_run[size_t(i)].prev, is_major(w.r0 + i, major_r));
    prim_end();
}

void dots(const view& v) {
    const auto& w = v.w;
    set_alpha(1);
    set_line_width(1);
    for (int c = w.c0; c < w.c1; c++)
        for (int r = w.r0; r < w.r1; r++) draw_rect(v.sx(c, r), v.sy(c, r), 2, 2);
    set_line_width(2);
    for (int c = first_major(w.c0); c < w.c1; c += 4)
        for (int r = w.r0; r < w.r1; r++) draw_rect(v.sx(c, r), v.sy(c, r), 3, 3);
    for (int r = first_major(w.r0); r < w.r1; r += 4)
        for (int c = w.c0; c < w.c1; c++) draw_rect(v.sx(c, r), v.sy(c, r), 3, 3);
}

void offset_dots(const view& v) {
    const auto& w = v.w;
    set_line_width(2);
    for (int c = w.c0 + 1; c < w.c1; c++)
        for (int r = w.r0 + 1; r < w.r1; r++) draw_rect(v.sx(c, r), v.sy(c, r), 2, 2);
    for (int c = w.c0 + 5 - w.c0 % 4; c < w.c1; c += 4)
        for (int r = w.r0 + 1; r < w.r1; r++) draw_rect(v.sx(c, r), v.sy(c, r), 4, 4);
    for (int r = w.r0 + 5 - w.r0 % 4; r < w.r1; r += 4)
        for (int c = w.c0 + 1; c < w.c1; c++) draw_rect(v.sx(c, r), v.sy(c, r), 4, 4);
}

// Straight chords between every fourth node of every fourth line.
void coarse_lines(const view& v) {
    const auto& w = v.w;
    set_line_width(2);
    set_alpha(0.9f);
    int rs = w.r0 - w.r0 % 4, cs = w.c0 - w.c0 % 4;
    if (rs <= w.r1 - 4)
        for (int i = first_major(w.c0); i <= w.c1 - 4; i += 4) {
            prim_begin(PRIM_LINE_STRIP);
            v.vertex(i, rs);
            for (int r = rs; r <= w.r1 - 4; r += 4) v.vertex(i, r + 4);
            prim_end();
        }
    if (cs <= w.c1 - 4)
        for (int j = first_major(w.r0); j <= w.r1 - 4; j += 4) {
            prim_begin(PRIM_LINE_STRIP);
            v.vertex(cs, j);
            for (int c = cs; c <= w.c1 - 4; c += 4) v.vertex(c + 4, j);
            prim_end();
        }
}

void full_lines(const view& v) {
    set_line_width(1);
    line_sweep(v); // the major lines twice, brighter under additive blending
}

// Calls cell(i, j, n) for every second cell in a checkerboard; n counts the columns so far.
template <class F> void checker(const view& v, F&& cell) {
    const auto& w = v.w;
    int n = 0;
    for (int i = even_below(w.c0); i < w.c1; i++) {
        n++;
        for (int j = w.r0 + i % 2 - w.r0 % 2; j <= w.r1 - 1; j += 2) cell(i, j, n);
    }
}

void quad(const view& v, int i, int j) {
    v.vertex(i, j);
    v.vertex(i + 1, j);
    v.vertex(i + 1, j + 1);
    v.vertex(i, j + 1);
}

void checker_cells(const view& v) {
    set_line_width(1);
    prim_begin(PRIM_QUADS);
    checker(v, [&](int i, int j, int) { quad(v, i, j); });
    prim_end();
}

void pulsing_checker_cells(const view& v) {
    set_line_width(1);
    int k = 0;
    prim_begin(PRIM_QUADS);
    checker(v, [&](int i, int j, int n) {
        k += 2;
        set_alpha(0.75f - 0.125f * (cos_deg(float(n)) + sin_deg(float(k))));
        quad(v, i, j);
    });
    prim_end();
}

void bands(const view& v) {
    const auto& w = v.w;
    set_line_width(32);
    for (int r = w.r0 + 1; r < w.r1; r++) {
        set_alpha(0.46f + float(look_rnd(0, 0.04)));
        row_strip(v, r, w.c0, w.c1);
    }
}

void colour_wave_cells(const view& v) {
    set_line_width(1);
    prim_begin(PRIM_QUADS);
    checker(v, [&](int i, int j, int) {
        float d = stretch(v, i, j);
        stretch_colour(d);
        set_alpha((1.0f - d) * 0.7f + 0.3f);
        quad(v, i, j);
    });
    prim_end();
}

void wave_outlines_four(const view& v) {
    checker(v, [&](int i, int j, int) {
        float d = stretch(v, i, j);
        stretch_colour(d);
        set_alpha((1.0f - d) * 0.3f + 0.7f);
        set_line_width(1.0f + 2.0f * d);
        prim_begin(PRIM_LINE_LOOP);
        quad(v, i, j);
        prim_end();
    });
}

void wave_outlines_two(const view& v) {
    checker(v, [&](int i, int j, int) {
        float d = stretch(v, i, j);
        set_color(int(128.0f + 127.0f * d), int(15.0f + 105.0f * d), int(63.0f - 23.0f * d));
        set_alpha(d * 0.2f + 0.6f);
        set_line_width(1.0f + 1.5f * d);
        prim_begin(PRIM_LINES);
        v.vertex(i, j);
        v.vertex(i + 1, j + 1);
        v.vertex(i, j + 1);
        v.vertex(i + 1, j);
        prim_end();
    });
}

// Right and lower edges of every cell, each only where it is a line of the window; every
// fourth line counted from the window's corner is at full strength.
void wave_outlines_alternating(const view& v) {
    const auto& w = v.w;
    for (int r = w.r0; r < w.r1; r++)
        for (int c = w.c0; c < w.c1; c++) {
            bool right = c + 1 < w.c1, lower = r + 1 < w.r1;
            if (!right && !lower) continue;
            float d = stretch(v, c, r);
            stretch_colour(d);
            set_line_width(1.0f + 1.5f * d);
            prim_begin(PRIM_LINES);
            if (right) {
                set_alpha((c + 1 - w.c0) % 4 == 0 ? 1.0f : 0.5f);
                v.vertex(c + 1, r);
                v.vertex(c + 1, r + 1);
            }
            if (lower) {
                set_alpha((r + 1 - w.r0) % 4 == 0 ? 1.0f : 0.5f);
                v.vertex(c, r + 1);
                v.vertex(c + 1, r + 1);
            }
            prim_end();
        }
}

void wave_polylines(const view& v) {
    const auto& w = v.w;
    for (int i = even_below(w.r0); i < w.r1; i++)
        for (int j = even_below(w.c0); j < w.c1; j++) {
            set_line_width(1.0f + stretch(v, j, i));
            prim_color(0.005f, 0.05f, 0.3f);
            prim_begin(PRIM_LINE_LOOP);
            v.vertex(j + 1, i);
            v.vertex(j + 1, i + 1);
            v.vertex(j, i + 1);
            prim_end();
            prim_begin(PRIM_LINES);
            v.vertex(j, i);
            v.vertex(j + 1, i + 1);
            prim_end();
        }
}

float triangle_phase = 0; // style 13, degrees
float wave_phase = 0;     // style 18, degrees

void shaded_triangles(const view& v) {
    const auto& w = v.w;
    float e = 36.0f * sin_deg(triangle_phase);
    prim_begin(PRIM_TRIANGLES);
    for (int i = even_below(w.r0); i < w.r1; i++)
        for (int j = even_below(w.c0); j < w.c1; j++) {
            float a = 0.5f + 0.25f * sin_deg(e * float(j) * float(i));
            const gridpoint& tr = v.at(j + 1, i);
            const gridpoint& br = v.at(j + 1, i + 1);
            const gridpoint& bl = v.at(j, i + 1);
            prim_color(0.3f, 0.3f, 0.3f);
            prim_vertex(tr.x - v.cx, br.y + a * (tr.y - br.y) - v.cy);
            prim_color(0.3f, 0.3f, 0.0f);
            prim_vertex(br.x - v.cx, br.y - v.cy);
            prim_color(0.3f, 0.0f, 0.0f);
            prim_vertex(br.x + a * (bl.x - br.x) - v.cx, bl.y - v.cy);
        }
    prim_end();
}

// One spiral of style 18: rings of nodes from the window's edge inward, each vertex a step
// further along a sine of colour; nodes knocked off the 16 px lattice shimmer 4 px aside.
void spiral(const view& v, int channel, int first_ring, int rings, float phase) {
    const auto& w = v.w;
    float b = phase;
    auto put = [&](int c, int r, bool along_x) {
        const gridpoint& p = v.at(c, r);
        float off = along_x ? p.x - 16.0f * float(c) : p.y - 16.0f * float(r);
        float shift = std::fabs(off) > 1.0f ? 4.0f : 0.0f;
        float rgb[3] = {0.05f, 0.05f, 0.05f};
        rgb[channel] = 0.3f + 0.2f * sin_deg(b);
        prim_color(rgb[0], rgb[1], rgb[2]);
        prim_vertex(p.x - v.cx - shift, p.y - v.cy - shift);
        b += 6.0f;
        if (b >= 360.0f) b -= 360.0f;
    };
    prim_begin(PRIM_LINE_STRIP);
    for (int k = first_ring; k < first_ring + rings; k++) {
        int top = w.r0 + 1 + k, bottom = w.r1 - 1 - k;
        int left = w.c0 + 1 + k, right = w.c1 - 1 - k;
        if (top > bottom || left > right) break;
        for (int c = left; c <= right; c++) put(c, top, true);
        for (int r = top + 1; r <= bottom; r++) put(right, r, false);
        if (bottom > top)
            for (int c = right - 1; c >= left; c--) put(c, bottom, true);
        if (left < right)
            for (int r = bottom - 1; r > top; r--) put(left, r, false);
    }
    prim_end();
}

void wave_lines(const view& v) {
    set_line_width(2);
    int rings = int((float(v.w.r1) - 1.0f) * 0.5f - 1.0f) + 1;
    // The green and blue snakes start a third and two thirds of a turn later, one and two
    // rings further in, so the three do not run on top of each other at the border.
    for (int s = 0; s < 3; s++) {
        float phase = wave_phase + 120.0f * float(s);
        if (phase >= 360.0f) phase -= 360.0f;
        spiral(v, s, s, rings, phase);
    }
}

void coloured_cells(const view& v) {
    const auto& w = v.w;
    set_alpha(1);
    set_line_width(2);
    set_color(104, 26, 23);
    for (int r = w.r0; r < w.r1; r++) {
        prim_begin(PRIM_LINE_STRIP);
        for (int c = even_below(w.c0); c <= w.c1; c++) {
            if (c > 0) {
                float s =
                    std::min(50.0f, std::fabs((v.at(c, r).x - v.at(c - 1, r).x) - 16.0f)) * 0.02f;
                prim_color(0.6f * s, 0.2f * s, -0.1f * s);
            }
            v.vertex(c, r);
        }
        prim_end();
    }
    // Columns light only when stretched: no absolute value here.
    for (int c = w.c0; c < w.c1; c++) {
        prim_begin(PRIM_LINE_STRIP);
        for (int r = even_below(w.r0); r <= w.r1; r++) {
            if (r > 0) {
                float s = std::min(50.0f, (v.at(c, r).y - v.at(c, r - 1).y) - 16.0f) * 0.02f;
                prim_color(0.2f * s, 0.6f * s, -0.1f * s);
            }
            v.vertex(c, r);
        }
        prim_end();
    }
}

void setup_grid_colour() {
    set_alpha(std::fabs(grid_opacity));
    set_color(grid_red, grid_green, grid_blue);
    set_blend(BLEND_LIGHT);
}

void setup_drift_colour() {
    set_alpha(std::fabs(grid_opacity));
    set_color(drift_colour.r, drift_colour.g, drift_colour.b);
    set_blend(BLEND_LIGHT);
}

void setup_fixed(float alpha, int r, int g, int b) {
    set_alpha(alpha);
    set_color(r, g, b);
    set_blend(BLEND_LIGHT);
}

} // namespace

grid_window grid_visible() {
    if (full_grid) return {0, grid_cols, 0, grid_rows};
    grid_window w;
    w.c0 = std::max(int(view_x()) / grid_spacing_x, 0);
    w.c1 = std::min(w.c0 + screen_width / grid_spacing_x + 4, grid_cols);
    w.r0 = std::max(int(view_y()) / grid_spacing_y, 0);
    w.r1 = std::min(w.r0 + screen_height / grid_spacing_y + 4, grid_rows);
    return w;
}

void grid_looks_step() {
    triangle_phase += 0.05f;
    if (triangle_phase >= 360.0f) triangle_phase -= 360.0f;
    wave_phase += 3.0f;
    if (wave_phase >= 360.0f) wave_phase -= 360.0f;
}

void grid_looks_reset() { triangle_phase = wave_phase = 0; }

void grid_draw(int style) {
    if (style < 0 || style >= GRID_STYLES) return;
    if (grid.size() != size_t(grid_cols + 1) * size_t(grid_rows + 1)) return;
    view v{grid_visible(), view_x(), view_y(), grid.data(), grid_rows + 1};
    switch (style) {
    case 14:
        setup_fixed(0.35f, 163, 255, 7);
        break;
    case 15:
        setup_fixed(std::fabs(grid_opacity), 103, 103, 103);
        break;
    case 17:
        setup_fixed(std::fabs(grid_opacity), 127, 79, 7);
        break;
    case 1:
    case 3:
    case 5:
    case 7:
        setup_drift_colour();
        break;
    default:
        setup_grid_colour();
        break;
    }
    set_scale(1, 1);
    switch (style) {
    case 0:
    case 1:
        dots(v);
        break;
    case 2:
    case 3:
        coarse_lines(v);
        break;
    case 4:
    case 5:
    case 15:
        full_lines(v);
        break;
    case 6:
    case 7:
        checker_cells(v);
        break;
    case 8:
        colour_wave_cells(v);
        break;
    // These change the line width at every cell: drawn as quads they stay one draw call.
    case 9:
        set_line_quads(true);
        wave_outlines_four(v);
        set_line_quads(false);
        break;
    case 10:
        set_line_quads(true);
        wave_outlines_two(v);
        set_line_quads(false);
        break;
    case 11:
        set_line_quads(true);
        wave_outlines_alternating(v);
        set_line_quads(false);
        break;
    case 12:
        set_line_quads(true);
        wave_polylines(v);
        set_line_quads(false);
        break;
    case 13:
        shaded_triangles(v);
        break;
    case 14:
        offset_dots(v);
        break;
    case 16:
        pulsing_checker_cells(v);
        break;
    case 17:
        bands(v);
        break;
    case 18:
        wave_lines(v);
        break;
    case 19:
        coloured_cells(v);
        break;
    }
}

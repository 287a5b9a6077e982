#include "playfield/grid.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

int grid_spacing = 2;
int grid_spacing_x = 16, grid_spacing_y = 16;
int grid_cols = 64, grid_rows = 48;

namespace {

// The step of one node toward (tx, ty) and its rest position. Both axes follow the same
// rule, so on x86 they run side by side in one SSE register without a branch: on a rippling
// grid every threshold test is a coin toss a branch predictor would lose.
// A velocity that has decayed below the smallest normal float is zero: a settled grid is
// then truly at rest instead of crawling through denormal arithmetic forever.
#if defined(__SSE2__)

// Pairs of fields are loaded as one: (ox, oy), (x, y), (dx, dy).
static_assert(offsetof(gridpoint, oy) == offsetof(gridpoint, ox) + 4 &&
              offsetof(gridpoint, y) == offsetof(gridpoint, x) + 4 &&
              offsetof(gridpoint, dy) == offsetof(gridpoint, dx) + 4);

inline __m128 load2(const float* p) {
    return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p)));
}
inline void store2(float* p, __m128 v) {
    _mm_store_sd(reinterpret_cast<double*>(p), _mm_castps_pd(v));
}
inline __m128 pick(__m128 mask, __m128 a, __m128 b) {
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

// The step on (x, y) lanes; with four lanes, two nodes at once.
inline void step_lanes(__m128 rest, __m128& pos, __m128& vel, __m128 target) {
    const __m128 sign_bit = _mm_set1_ps(-0.0f), one = _mm_set1_ps(1.0f), half = _mm_set1_ps(0.5f);
    const __m128 zero = _mm_setzero_ps();

    // 1. More than 2 px from the neighbours' average: a unit kick toward it.
    __m128 e = _mm_sub_ps(target, pos);
    __m128 kick = _mm_cmpgt_ps(_mm_andnot_ps(sign_bit, e), _mm_set1_ps(2.0f));
    vel = _mm_add_ps(vel, _mm_and_ps(kick, _mm_or_ps(_mm_and_ps(e, sign_bit), one)));

    // 2-3. More than 1 px from rest: one pixel back, then a half-unit nudge by the sign seen
    // from where that step landed; otherwise snap to rest.
    __m128 r = _mm_sub_ps(rest, pos);
    __m128 far = _mm_cmpgt_ps(_mm_andnot_ps(sign_bit, r), one);
    pos = pick(far, _mm_add_ps(pos, _mm_or_ps(_mm_and_ps(r, sign_bit), one)), rest);
    __m128 n = _mm_sub_ps(rest, pos);
    __m128 nudge = _mm_sub_ps(_mm_and_ps(_mm_cmpgt_ps(n, zero), half),
                              _mm_and_ps(_mm_cmplt_ps(n, zero), half));
    vel = _mm_add_ps(vel, _mm_and_ps(far, nudge));

    // 4-5. Damping, then the move.
    vel = _mm_mul_ps(vel, _mm_set1_ps(0.899f));
    vel = _mm_and_ps(vel, _mm_cmpge_ps(_mm_andnot_ps(sign_bit, vel), _mm_set1_ps(FLT_MIN)));
    pos = _mm_add_ps(pos, vel);
}

inline void node_step2(gridpoint& p, __m128 target) {
    __m128 pos = load2(&p.x), vel = load2(&p.dx);
    step_lanes(load2(&p.ox), pos, vel, target);
    store2(&p.dx, vel);
    store2(&p.x, pos);
}

inline void node_step(gridpoint& p, float tx, float ty) {
    node_step2(p, _mm_setr_ps(tx, ty, 0, 0));
}

// (0 + left + up + down + right) / 4, summed in that order; the multiply is exactly a division
// by 4.
inline __m128 target_of(__m128 left, __m128 up, __m128 down, __m128 right) {
    __m128 t =
        _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_setzero_ps(), left), up), down), right);
    return _mm_mul_ps(t, _mm_set1_ps(0.25f));
}

inline void relax_node(gridpoint* col, size_t stride, int j) {
    node_step2(col[j], target_of(load2(&(col - stride)[j].x), load2(&col[j - 1].x),
                                 load2(&col[j + 1].x), load2(&(col + stride)[j].x)));
}

inline __m128 load_pair(const float* a, const float* b) {
    return _mm_loadh_pi(load2(a), reinterpret_cast<const __m64*>(b));
}
inline void store_pair(float* a, float* b, __m128 v) {
    _mm_storel_pi(reinterpret_cast<__m64*>(a), v);
    _mm_storeh_pi(reinterpret_cast<__m64*>(b), v);
}

// Node ja of column a and node jb of column b together; neither may be a neighbour of the other.
inline void relax_pair(gridpoint* a, int ja, gridpoint* b, int jb, size_t stride) {
    gridpoint &p = a[ja], &q = b[jb];
    __m128 target = target_of(
        load_pair(&(a - stride)[ja].x, &(b - stride)[jb].x), load_pair(&a[ja - 1].x, &b[jb - 1].x),
        load_pair(&a[ja + 1].x, &b[jb + 1].x), load_pair(&(a + stride)[ja].x, &(b + stride)[jb].x));
    __m128 pos = load_pair(&p.x, &q.x), vel = load_pair(&p.dx, &q.dx);
    step_lanes(load_pair(&p.ox, &q.ox), pos, vel, target);
    store_pair(&p.dx, &q.dx, vel);
    store_pair(&p.x, &q.x, pos);
}

// Column k of a staggered block at step t sits on row t - k (see relax_columns).
template <int K> inline void relax_step(gridpoint* first, size_t stride, int t) {
    for (int k = 0; k + 1 < K; k += 2)
        relax_pair(first + size_t(k) * stride, t - k, first + size_t(k + 1) * stride, t - k - 1,
                   stride);
    if (K % 2) relax_node(first + size_t(K - 1) * stride, stride, t - (K - 1));
}

#else

inline float sign_of(float v) { return float((v > 0.0f) - (v < 0.0f)); }

inline void node_step(gridpoint& p, float tx, float ty) {
    float ex = tx - p.x, ey = ty - p.y;
    if (std::fabs(ex) > 2.0f) p.dx += sign_of(ex);
    if (std::fabs(ey) > 2.0f) p.dy += sign_of(ey);
    if (std::fabs(p.ox - p.x) > 1.0f) {
        p.x += sign_of(p.ox - p.x);
        p.dx += sign_of(p.ox - p.x) / 2.0f;
    } else {
        p.x = p.ox;
    }
    if (std::fabs(p.oy - p.y) > 1.0f) {
        p.y += sign_of(p.oy - p.y);
        p.dy += sign_of(p.oy - p.y) / 2.0f;
    } else {
        p.y = p.oy;
    }
    p.dx *= 0.899f;
    p.dy *= 0.899f;
    if (std::fabs(p.dx) < FLT_MIN) p.dx = 0.0f;
    if (std::fabs(p.dy) < FLT_MIN) p.dy = 0.0f;
    p.x += p.dx;
    p.y += p.dy;
}

inline void relax_node(gridpoint* col, size_t stride, int j) {
    const gridpoint* left = col - stride;
    const gridpoint* right = col + stride;
    float tx = (0.0f + left[j].x + col[j - 1].x + col[j + 1].x + right[j].x) / 4.0f;
    float ty = (0.0f + left[j].y + col[j - 1].y + col[j + 1].y + right[j].y) / 4.0f;
    node_step(col[j], tx, ty);
}

template <int K> inline void relax_step(gridpoint* first, size_t stride, int t) {
    for (int k = 0; k < K; k++) relax_node(first + size_t(k) * stride, stride, t - k);
}

#endif

// Cell index of a pixel coordinate, truncated toward zero; absurd inputs land far outside
// every window instead of overflowing the conversion.
inline int cell_of(float v, int spacing) {
    float q = v / float(spacing);
    if (!(q > -1.0e6f)) return -1000000;
    if (q > 1.0e6f) return 1000000;
    return int(q);
}

// Offsets o in [-r, r] with lo < base + o < hi, so a window loop visits only real nodes.
inline void clip_window(int base, int r, int lo, int hi, int& from, int& to) {
    int64_t f = std::max(-int64_t(r), int64_t(lo) + 1 - base);
    int64_t t = std::min(int64_t(r), int64_t(hi) - 1 - base);
    if (f > t) f = 1, t = 0; // empty; otherwise both lie within [-r, r]
    from = int(f);
    to = int(t);
}

// Usable before the display is set up: the default lattice at rest.
std::vector<gridpoint> initial_grid() {
    std::vector<gridpoint> g(size_t(grid_cols + 1) * size_t(grid_rows + 1));
    for (int c = 0; c <= grid_cols; c++)
        for (int r = 0; r <= grid_rows; r++) {
            gridpoint& p = g[size_t(c) * size_t(grid_rows + 1) + size_t(r)];
            p.ox = p.x = float(c * grid_spacing_x);
            p.oy = p.y = float(r * grid_spacing_y);
        }
    return g;
}

constexpr int RELAX_BLOCK = 8;

// K neighbouring columns, column k running k rows behind column k - 1: every node still sees
// its left and upper neighbours updated and its right and lower ones not.
template <int K> void relax_columns(gridpoint* first, size_t stride, int rows) {
    const int last = rows - 1;
    for (int t = 1; t <= last + K - 1; t++) {
        if (t >= K && t <= last) {
            relax_step<K>(first, stride, t);
        } else {
            for (int k = 0; k < K; k++) {
                int j = t - k;
                if (j >= 1 && j <= last) relax_node(first + size_t(k) * stride, stride, j);
            }
        }
    }
}

bool sized_right() { return grid.size() == size_t(grid_cols + 1) * size_t(grid_rows + 1); }

} // namespace

std::vector<gridpoint> grid = initial_grid();

void gridpoint::update(float tx, float ty) { node_step(*this, tx, ty); }

void gridpoint::impulse(float ax, float ay) {
    if (std::fabs(ax) > 8.0f) ax = ax / 16.0f;
    if (std::fabs(ay) > 8.0f) ay = ay / 16.0f;
    dx += ax;
    dy += ay;
    // The squared speed, not the speed: a runaway node ends at 128 / its old speed.
    float s = dx * dx + dy * dy;
    if (s > 160.0f) {
        dx = dx / s * 128.0f;
        dy = dy / s * 128.0f;
    }
}

int grid_spacing_pixels(int index) { return 4 << std::clamp(index, 0, 3); }

void grid_size(int field_w, int field_h) {
    int spacing = grid_spacing_pixels(grid_spacing);
    grid_spacing_x = grid_spacing_y = spacing;
    grid_cols = field_w / spacing;
    grid_rows = field_h / spacing;
    grid_reset();
}

void grid_reset() {
    grid_spacing_x = std::max(grid_spacing_x, 1);
    grid_spacing_y = std::max(grid_spacing_y, 1);
    grid_cols = std::clamp(grid_cols, 0, GRID_MAX_COLS);
    grid_rows = std::clamp(grid_rows, 0, GRID_MAX_ROWS);
    size_t nodes = size_t(grid_cols + 1) * size_t(grid_rows + 1);
    if (grid.size() != nodes) grid.assign(nodes, gridpoint{});
    gridpoint* p = grid.data();
    for (int c = 0; c <= grid_cols; c++)
        for (int r = 0; r <= grid_rows; r++, p++) {
            p->ox = p->x = float(c * grid_spacing_x);
            p->oy = p->y = float(r * grid_spacing_y);
            p->dx = p->dy = 0.0f;
        }
}

void grid_relax() {
    if (!sized_right()) return; // resized behind our back: nothing moves until the next reset
    const int cols = grid_cols, rows = grid_rows;
    const size_t stride = size_t(rows) + 1;
    // In place, columns then rows ascending: a node reads its left and upper neighbours
    // already moved this pass, its right and lower ones not yet. Blocks of columns run as a
    // staggered wavefront, which keeps exactly that order but gives the CPU independent work.
    int i = 1;
    for (; i + RELAX_BLOCK <= cols; i += RELAX_BLOCK)
        relax_columns<RELAX_BLOCK>(grid.data() + size_t(i) * stride, stride, rows);
    for (; i < cols; i++) relax_columns<1>(grid.data() + size_t(i) * stride, stride, rows);
}

void grid_pull(float x, float y, int radius, float strength) {
    if (!sized_right()) return;
    int c0 = cell_of(x, grid_spacing_x), r0 = cell_of(y, grid_spacing_y);
    int i0, i1, j0, j1;
    clip_window(c0, radius, 0, grid_cols - 2, i0, i1);
    clip_window(r0, radius, 0, grid_rows - 2, j0, j1);
    int64_t rr = int64_t(radius) * radius;
    for (int i = i0; i <= i1; i++)
        for (int j = j0; j <= j1; j++) {
            if (int64_t(i) * i + int64_t(j) * j >= rr) continue;
            gridpoint& p = grid_at(c0 + i, r0 + j);
            float ex = p.x - x, ey = p.y - y;
            float d = std::sqrt(ex * ex + ey * ey);
            if (d > 0.0f) {
                p.dx -= ex / d * strength;
                p.dy -= ey / d * strength;
            }
        }
}

void grid_push(float x, float y, int radius, float strength) {
    if (!sized_right()) return;
    int c0 = cell_of(x, grid_spacing_x), r0 = cell_of(y, grid_spacing_y);
    int i0, i1, j0, j1;
    clip_window(c0, radius, 0, grid_cols - 2, i0, i1);
    clip_window(r0, radius, 0, grid_rows - 2, j0, j1);
    for (int i = i0; i <= i1; i++)
        for (int j = j0; j <= j1; j++) {
            gridpoint& p = grid_at(c0 + i, r0 + j);
            float ex = p.ox - x, ey = p.oy - y;
            float t = ex * ex + ey * ey;
            float mx = p.ox - p.x, my = p.oy - p.y;
            float e2 = mx * mx + my * my;
            // Nodes already thrown far out are left alone, so a stream of shots cannot tear the
            // sheet.
            if (t > 1.0f && e2 < 400.0f && t < 2500.0f) {
                p.dx += ex * strength;
                p.dy += ey * strength;
            }
        }
}

void grid_burst(int x, int y) {
    if (!sized_right()) return;
    int c0 = x / grid_spacing_x, r0 = y / grid_spacing_y;
    int i0, i1, j0, j1;
    clip_window(c0, 3, 0, grid_cols - 1, i0, i1);
    clip_window(r0, 3, 0, grid_rows - 1, j0, j1);
    for (int i = i0; i <= i1; i++)
        for (int j = j0; j <= j1; j++) {
            if (i * i + j * j >= 10) continue;
            gridpoint& p = grid_at(c0 + i, r0 + j);
            p.impulse(4.0f * (p.x - float(x)), 4.0f * (p.y - float(y)));
        }
}

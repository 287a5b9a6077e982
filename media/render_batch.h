// Immediate-mode drawing becomes vertices in one batch; a change of primitive, texture,
// blend mode, line width, smoothing or clip rectangle sends the batch to the backend.
#pragma once

#include <cstddef>
#include <cstdint>

enum batch_prim { BATCH_POINTS, BATCH_LINES, BATCH_TRIANGLES };

struct batch_vertex {
    float x, y;
    float u, v;
    uint32_t rgba; // R, G, B, A bytes in memory order
};

struct batch_state {
    int prim = BATCH_TRIANGLES;
    unsigned texture = 0;
    int blend = 2;
    float line_width = 1;
    bool smooth = false;
    int clip[4] = {0, 0, 0, 0}; // x, y, w, h; w = 0 means the whole screen

    bool operator==(const batch_state& o) const {
        return prim == o.prim && texture == o.texture && blend == o.blend &&
               line_width == o.line_width && smooth == o.smooth && clip[0] == o.clip[0] &&
               clip[1] == o.clip[1] && clip[2] == o.clip[2] && clip[3] == o.clip[3];
    }
};

struct render_batch {
    batch_state state;
    batch_vertex* verts = nullptr; // fixed storage, reused every frame
    std::size_t count = 0;
    std::size_t capacity = 0;
    uint32_t epoch = 0; // changes whenever the state changes or the batch is flushed
};

// The one batch of the program.
extern render_batch the_batch;

batch_vertex* batch_reserve_slow(const batch_state& s, int n);

// Makes room for n vertices under state s, flushing first if the state differs or the
// batch is full, and returns where to write them.
inline batch_vertex* batch_reserve(const batch_state& s, int n) {
    render_batch& b = the_batch;
    if (b.state == s && b.count + std::size_t(n) <= b.capacity) {
        batch_vertex* p = b.verts + b.count;
        b.count += std::size_t(n);
        return p;
    }
    return batch_reserve_slow(s, n);
}

// For a run of vertices under one state (a polyline): after one batch_reserve, the epoch says
// whether the batch still holds that state, so each later vertex skips the comparison.
inline batch_vertex* batch_reserve_run(const batch_state& s, uint32_t& epoch, int n) {
    render_batch& b = the_batch;
    if (b.epoch == epoch && b.count + std::size_t(n) <= b.capacity) {
        batch_vertex* p = b.verts + b.count;
        b.count += std::size_t(n);
        return p;
    }
    batch_vertex* p = batch_reserve(s, n);
    epoch = b.epoch;
    return p;
}

void batch_flush();
inline const render_batch& batch_current() { return the_batch; }

inline uint32_t pack_rgba(int r, int g, int b, int a) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16) | (uint32_t(a) << 24);
}

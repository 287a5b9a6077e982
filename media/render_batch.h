// Immediate-mode drawing becomes vertices in one batch; a change of primitive, texture,
// blend mode, line width, smoothing or clip rectangle sends the batch to the backend.
#pragma once

#include <cstdint>
#include <vector>

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
    std::vector<batch_vertex> verts;
};

// Makes room for n vertices under state s, flushing first if the state differs or the
// batch is full, and returns where to write them.
batch_vertex* batch_reserve(const batch_state& s, int n);
void batch_flush();
const render_batch& batch_current();

inline uint32_t pack_rgba(int r, int g, int b, int a) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16) | (uint32_t(a) << 24);
}

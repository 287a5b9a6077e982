#include "render_batch.h"

#include "backend.h"

namespace {
// Big enough that a grid of 480 x 300 cells drawn as polylines needs few flushes.
constexpr size_t BATCH_CAPACITY = 1 << 19;

render_batch& batch() {
    static render_batch b = [] {
        render_batch nb;
        nb.verts.reserve(BATCH_CAPACITY);
        return nb;
    }();
    return b;
}
} // namespace

batch_vertex* batch_reserve(const batch_state& s, int n) {
    auto& b = batch();
    if (!(b.state == s) || b.verts.size() + size_t(n) > BATCH_CAPACITY) {
        batch_flush();
        b.state = s;
    }
    size_t at = b.verts.size();
    b.verts.resize(at + size_t(n));
    return b.verts.data() + at;
}

void batch_flush() {
    auto& b = batch();
    if (b.verts.empty()) return;
    backend::flush(b);
    b.verts.clear();
}

const render_batch& batch_current() { return batch(); }

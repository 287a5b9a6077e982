#include "render_batch.h"

#include "backend.h"

#include <memory>

namespace {
// Big enough that a grid of 480 x 300 cells drawn as polylines needs few flushes.
constexpr std::size_t BATCH_CAPACITY = 1 << 19;
std::unique_ptr<batch_vertex[]> storage(new batch_vertex[BATCH_CAPACITY]);
} // namespace

render_batch the_batch = [] {
    render_batch b;
    b.verts = storage.get();
    b.capacity = BATCH_CAPACITY;
    return b;
}();

batch_vertex* batch_reserve_slow(const batch_state& s, int n) {
    batch_flush();
    the_batch.state = s;
    the_batch.epoch++;
    if (std::size_t(n) > the_batch.capacity) n = int(the_batch.capacity); // never happens in play
    the_batch.count = std::size_t(n);
    return the_batch.verts;
}

void batch_flush() {
    if (the_batch.count == 0) return;
    backend::flush(the_batch);
    the_batch.count = 0;
    the_batch.epoch++;
}

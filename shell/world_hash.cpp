#include "shell/world_hash.h"

#include "media/media.h"
#include "shell/world_lists.h"

#include <cstring>
#include <unordered_map>

namespace {

// FNV-1a over the bytes of each value.
struct fnv {
    uint64_t h = 1469598103934665603ull;
    template <class T> void add(T v) {
        unsigned char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        for (unsigned char c : b) h = (h ^ c) * 1099511628211ull;
    }
};

// Adds every field an object's rules read; a link counts as where its object stands in the
// list, never as an address.
template <class T> struct hash_fields {
    fnv& f;
    const std::unordered_map<const void*, int32_t>& place;
    template <class V> void operator()(const V& v) { f.add(v); }
    template <class P> void link(P* const& p) {
        auto it = place.find(p);
        f.add(p == nullptr ? int32_t(-1) : it == place.end() ? int32_t(-2) : it->second);
    }
    template <class V> void look(const V&) {}
};

template <class T> void add_list(fnv& f, actor_list<T>& list) {
    f.add(uint64_t(list.size()));
    std::unordered_map<const void*, int32_t> place;
    int32_t n = 0;
    list.for_each([&](T* o) { place[o] = n++; });
    hash_fields<T> v{f, place};
    list.for_each([&](T* o) { o->fields(v); });
}

} // namespace

uint64_t world_hash() {
    fnv f;
    f.add(rnd_state());
    world_values([&](auto& v) { f.add(v); });
    world_lists([&](auto& list, list_role role, int) {
        if (role != LIST_LOOKS) add_list(f, list);
    });
    return f.h;
}

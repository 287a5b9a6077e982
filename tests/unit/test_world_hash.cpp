// The world's hash covers every field of every object kind and every counter the rules read,
// and the registry of lists names every list the program has.
#include "shell/game.h"
#include "shell/world_hash.h"
#include "shell/world_lists.h"
#include "support/headless_env.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <memory>
#include <string>
#include <vector>

namespace {

using world_hashes = media_test;

// Where each listed field of an object lies in it.
struct spans {
    const unsigned char* base;
    std::vector<std::pair<size_t, size_t>> at; // offset, size
    template <class V> void add(const V& v) {
        at.push_back({size_t(reinterpret_cast<const unsigned char*>(&v) - base), sizeof v});
    }
    template <class V> void operator()(const V& v) { add(v); }
    template <class P> void link(P* const& p) { add(p); }
    template <class V> void look(const V& v) { add(v); }
};

// Changes the n-th field the rules read (links included) and nothing else.
template <class T> struct nudge {
    int n;
    T* other;
    bool done = false;
    template <class V> void operator()(V& v) {
        if (n-- == 0) v = V(v + 1), done = true;
    }
    template <class P> void link(P*& p) {
        if (n-- == 0) p = p ? nullptr : other, done = true;
    }
    template <class V> void look(V&) {}
};

// Every byte of an object is a field it lists, or padding the compiler put before an aligned
// field or at the end: a field added to a kind but not to its list shows as a gap.
TEST_F(world_hashes, every_kind_lists_every_field_it_has) {
    world_lists([](auto& list, list_role, int slot) {
        using T = std::remove_pointer_t<decltype(list.first())>;
        auto obj = std::make_unique<T>();
        spans s{reinterpret_cast<const unsigned char*>(obj.get()), {}};
        obj->fields(s);
        std::sort(s.at.begin(), s.at.end());
        size_t end = 0;
        for (auto [offset, size] : s.at) {
            size_t align = std::min<size_t>(size, alignof(std::max_align_t));
            if (size > 8) align = 8; // a string or another class: pointer-aligned at most
            EXPECT_EQ((end + align - 1) / align * align >= offset, true)
                << "list " << slot << ": bytes " << end << ".." << offset << " are in no field";
            EXPECT_GE(offset, end) << "list " << slot << ": fields overlap at " << offset;
            end = offset + size;
        }
        EXPECT_EQ((end + alignof(T) - 1) / alignof(T) * alignof(T), sizeof(T))
            << "list " << slot << ": bytes after " << end << " are in no field";
    });
}

TEST_F(world_hashes, any_field_of_any_kind_changes_the_hash) {
    clear_board(1);
    world_lists([](auto& list, list_role role, int slot) {
        using T = std::remove_pointer_t<decltype(list.first())>;
        if (role == LIST_LOOKS) return;
        T* a = list.add(std::make_unique<T>());
        T* b = list.add(std::make_unique<T>());
        int fields = 0;
        for (;; fields++) {
            const T saved = *a;
            uint64_t before = world_hash();
            nudge<T> change{fields, b};
            a->fields(change);
            if (!change.done) break;
            EXPECT_NE(world_hash(), before) << "list " << slot << ", field " << fields;
            *a = saved;
        }
        EXPECT_GE(fields, 6) << "list " << slot;
        list.clear();
    });
    actor_lists_collect();
}

TEST_F(world_hashes, every_counter_and_the_random_state_change_the_hash) {
    clear_board(1);
    int n = 0;
    world_values([&](auto& v) {
        auto saved = v;
        uint64_t before = world_hash();
        v = std::remove_reference_t<decltype(v)>(v + 1);
        EXPECT_NE(world_hash(), before) << "value " << n;
        v = saved;
        n++;
    });
    EXPECT_GE(n, 40);
    uint64_t before = world_hash();
    rand_int(0, 9);
    EXPECT_NE(world_hash(), before);
}

// Every list of objects the program has is one the hash, the posing and the clearing walk.
TEST_F(world_hashes, the_registry_names_every_list) {
    EXPECT_EQ(actor_lists_count(), size_t(WORLD_LIST_COUNT));
}

} // namespace

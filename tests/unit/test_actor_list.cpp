#include "media/actor_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct thing {
    int id;
    explicit thing(int i) : id(i) {}
};

std::vector<int> ids(actor_list<thing>& l) {
    std::vector<int> v;
    l.for_each([&](thing* t) { v.push_back(t->id); });
    return v;
}
} // namespace

TEST(actor_list, keeps_insertion_order) {
    actor_list<thing> l;
    for (int i = 0; i < 5; i++) l.emplace(i);
    EXPECT_EQ(ids(l), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(l.size(), 5u);
    EXPECT_EQ(l.first()->id, 0);
}

TEST(actor_list, an_object_can_remove_itself_and_others_during_a_walk) {
    actor_list<thing> l;
    std::vector<thing*> all;
    for (int i = 0; i < 6; i++) all.push_back(l.emplace(i));
    std::vector<int> visited;
    l.for_each([&](thing* t) {
        visited.push_back(t->id);
        if (t->id == 1) l.remove(t);      // itself
        if (t->id == 2) l.remove(all[4]); // one not yet visited
        if (t->id == 3) l.remove(all[0]); // one already visited
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_EQ(ids(l), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(l.size(), 3u);
    // removed objects stay readable until the frame is over
    EXPECT_EQ(all[1]->id, 1);
    EXPECT_EQ(all[4]->id, 4);
    actor_lists_collect();
    EXPECT_EQ(ids(l), (std::vector<int>{2, 3, 5}));
}

TEST(actor_list, objects_added_during_a_walk_are_visited_once) {
    actor_list<thing> l;
    l.emplace(0);
    std::vector<int> visited;
    l.for_each([&](thing* t) {
        visited.push_back(t->id);
        if (t->id < 3) l.emplace(t->id + 1);
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3}));
}

TEST(actor_list, removing_twice_or_a_stranger_is_harmless) {
    actor_list<thing> l, other;
    thing* a = l.emplace(1);
    thing* b = other.emplace(2);
    EXPECT_TRUE(l.remove(a));
    EXPECT_FALSE(l.remove(a));
    EXPECT_FALSE(l.remove(b));
    EXPECT_TRUE(l.empty());
    EXPECT_FALSE(l.contains(a));
    EXPECT_TRUE(other.contains(b));
    actor_lists_collect();
}

TEST(actor_list, clear_during_a_walk_stops_the_walk) {
    actor_list<thing> l;
    for (int i = 0; i < 4; i++) l.emplace(i);
    std::vector<int> visited;
    l.for_each([&](thing* t) {
        visited.push_back(t->id);
        if (t->id == 1) l.clear();
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 1}));
    EXPECT_TRUE(l.empty());
    actor_lists_collect();
    l.emplace(9);
    EXPECT_EQ(ids(l), (std::vector<int>{9}));
}

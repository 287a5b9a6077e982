#include "actor_list.h"

#include <algorithm>

namespace {
std::vector<actor_list_base*>& registry() {
    static std::vector<actor_list_base*> lists;
    return lists;
}
} // namespace

actor_list_base::~actor_list_base() = default;

void actor_list_base::register_self() { registry().push_back(this); }

void actor_list_base::unregister_self() {
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

size_t actor_lists_count() { return registry().size(); }

void actor_lists_collect() {
    for (auto* l : registry()) l->collect();
}

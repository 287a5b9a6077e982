// The list every actor type lives in: insertion order, objects owned by the list, safe
// removal of any object while the list is being walked, destruction deferred to
// actor_lists_collect() after the frame so pointers held during the frame stay valid.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class actor_list_base {
public:
    virtual ~actor_list_base();
    virtual void collect() = 0;
protected:
    void register_self();
    void unregister_self();
};

// Frees every object removed from any list since the last call; the game calls it once per frame.
void actor_lists_collect();
// Lists that exist now.
size_t actor_lists_count();

template <class T>
class actor_list : public actor_list_base {
public:
    actor_list() { register_self(); }
    ~actor_list() override {
        unregister_self();
        for (auto* p : items_) delete p;
    }
    actor_list(const actor_list&) = delete;
    actor_list& operator=(const actor_list&) = delete;

    // Takes ownership; the object is visited by walks that reach the end after it was added.
    T* add(std::unique_ptr<T> obj) {
        T* p = obj.release();
        items_.push_back(p);
        live_++;
        return p;
    }
    template <class... A>
    T* emplace(A&&... a) { return add(std::make_unique<T>(std::forward<A>(a)...)); }

    // Takes the object out; it is not visited again and is freed at the next collect().
    bool remove(T* obj) {
        for (auto& slot : items_) {
            if (slot == obj) {
                slot = nullptr;
                dead_.emplace_back(obj);
                live_--;
                holes_ = true;
                return true;
            }
        }
        return false;
    }
    bool contains(const T* obj) const {
        for (auto* p : items_)
            if (p == obj) return true;
        return false;
    }
    void clear() {
        for (auto& slot : items_) {
            if (slot) dead_.emplace_back(slot);
            slot = nullptr;
        }
        live_ = 0;
        holes_ = true;
    }
    std::size_t size() const { return live_; }
    bool empty() const { return live_ == 0; }
    T* first() const {
        for (auto* p : items_)
            if (p) return p;
        return nullptr;
    }

    // Calls f(T*) on each live object in insertion order; f may add or remove objects.
    template <class F>
    void for_each(F&& f) {
        walking_++;
        for (std::size_t i = 0; i < items_.size(); i++) {
            T* p = items_[i];
            if (p) f(p);
        }
        walking_--;
        compact();
    }

    void collect() override {
        compact();
        dead_.clear();
    }

private:
    void compact() {
        if (walking_ || !holes_) return;
        std::size_t j = 0;
        for (std::size_t i = 0; i < items_.size(); i++)
            if (items_[i]) items_[j++] = items_[i];
        items_.resize(j);
        holes_ = false;
    }

    std::vector<T*> items_;
    std::vector<std::unique_ptr<T>> dead_;
    std::size_t live_ = 0;
    int walking_ = 0;
    bool holes_ = false;
};

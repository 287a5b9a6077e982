// The snake: a head wandering on a randomly reversing curve and 24 tail segments, each
// chasing the one ahead. Only the head can be shot; the tail then falls one segment a frame.
#pragma once

#include "enemies/enemy_model.h"

struct snake : enemy_kind<snake> {
    int is_head = 0;
    int dying = 0;         // falls in the ripple on its next update
    snake* next = nullptr; // the segment behind, towards the tail end
    int index = 0;         // 24 at the head, 0 at the tail end
    snake* prev = nullptr; // the segment ahead, null at the head
    int heading = 0;       // head only: direction of travel, degrees
    int turn = 0;          // head only: 0 turns by +4 degrees a frame, 1 by -4

    template <class V> void fields(V& v) {
        enemy::fields(v);
        v(is_head), v(dying), v.link(next), v(index), v.link(prev), v(heading), v(turn);
    }

    static const enemy_consts consts;
    static actor_list<snake>& list();
    // With index 24 builds the whole chain, tail end first; null while more than 384
    // objects exist, so a snake comes whole or not at all. spare has no effect.
    static snake* create(float x, float y, int index, int spawn_delay, int spare, float dx,
                         float dy);
    void update();
    // The head starts the ripple (scoring when shot); a tail segment only sparks.
    void hit(int by_player);
    // Marks the whole chain, so the death sequence keeps every segment.
    void spread_touched();
    // One segment of the ripple goes.
    void die();
    void draw();
    // A hole swallowing the head is a hit without credit.
    void kill(int by_player) { hit(by_player); }
    float hit_radius() const { return 81.0f + float(index); }
    // Leaves the list and its neighbours, which never look back at it.
    void discard();
};

constexpr int SNAKE_LENGTH = 25;
constexpr int SNAKE_LIMIT = 384; // a create is refused above this many objects
extern actor_list<snake> snake_list;

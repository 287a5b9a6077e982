// The triangle: drifts toward the ship until it meets another free one; the pair is then
// joined by a line that kills the ship, shrugs off single shots and is torn apart by holes.
#pragma once

#include "enemies/enemy_model.h"

struct triangle : enemy_kind<triangle> {
    int linked = 0;
    triangle* partner = nullptr;
    float link_strength = 0; // 25 when the link forms; worn by hits and holes
    int link_tested = 0;     // the play frame's link test has seen this pair
    int follower = 0;        // the partner handles the black holes

    template <class V> void fields(V& v) {
        enemy::fields(v);
        v(linked), v.link(partner), v(link_strength), v(link_tested), v(follower);
    }

    static const enemy_consts consts;
    static actor_list<triangle>& list();
    static triangle* create(float x, float y, int spawn_delay);
    void update();
    void blackhole_pull();
    void tether(float px, float py);
    // 1 when the link is worn out.
    int strain(float ax, float ay);
    void kill(int by_player, float push_x, float push_y);
    void kill(int by_player) { kill(by_player, 0, 0); }
    void draw();
    void draw_link();
    // Both members of the pair are free again; nothing points at either afterwards.
    void unlink();
};

extern actor_list<triangle> triangle_list;

// The play frame's test of the ship against every link; 1 when the ship was killed.
int triangle_links_hit_ship();
void triangles_draw();

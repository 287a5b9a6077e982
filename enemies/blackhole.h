// The black hole: dormant until shot or fed, then it pulls the grid, hums, sheds sparks,
// bends shots and swallows whatever comes too close; shot down for points, or overloaded
// into a ring of seekers and butterflies.
#pragma once

#include "media/actor_list.h"

struct blackhole {
    float x = 0, y = 0;
    float dx = 0, dy = 0;
    float angle = 0;
    float mass = 0;
    int active = 0;
    int eaten = 0;
    int touched = 0; // it destroyed the ship: it stays for the death sequence
    int channel = 0; // slot of sfx_channels that holds this hole's hum
    int spawn_delay = 0;
    float centre_x = 0, centre_y = 0; // the wobbling centre everything is pulled toward

    template <class V> void fields(V& v) {
        v(x), v(y), v(dx), v(dy), v(angle), v(mass), v(active), v(eaten), v(touched);
        v.look(channel), v(spawn_delay), v(centre_x), v(centre_y);
    }

    // Attract screens: an active hole with no sound and no spawn rules; null past 16.
    static blackhole* place(float x, float y, float mass);
    void title_update();
    // Play: a dormant hole at a fair distance from the ship; null when 4 exist.
    static blackhole* create(float x, float y, float mass, int spawn_delay);
    void update();
    void repel();
    void hit(int by_player);
    void feed(float amount);
    void draw();
    // Leaves the list without a sound or a burst (a board being cleared); the hum stops.
    void discard();
};

extern actor_list<blackhole> blackhole_list;
extern int blackhole_channel_next;
// How holes have ended since start-up, for the soak test and the benchmarks.
extern long blackholes_shot_down, blackholes_overloaded;

constexpr int BLACKHOLE_MAX = 4;
constexpr int BLACKHOLE_TITLE_MAX = 16;

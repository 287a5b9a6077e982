// Black holes: what the rest of the game reads of them (the kind itself comes later).
#pragma once

#include "media/actor_list.h"

struct blackhole {
    float x = 0, y = 0;
    float centre_x = 0, centre_y = 0; // the wobbling centre everything is pulled toward
    float mass = 0;
    int active = 0;
    int touched = 0; // it destroyed the ship: it stays for the death sequence
};

extern actor_list<blackhole> blackhole_list;

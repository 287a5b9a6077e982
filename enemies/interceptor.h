// Interceptors come with their own module; until then none is made.
#pragma once
#include "media/actor_list.h"
struct interceptor {
    float x = 0, y = 0;
    int touched = 0;
    static interceptor* create(float x, float y, int spawn_delay);
};
extern actor_list<interceptor> interceptor_list;

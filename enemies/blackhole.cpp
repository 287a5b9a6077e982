#include "enemies/blackhole.h"

actor_list<blackhole> blackhole_list;

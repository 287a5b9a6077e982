#include "enemies/snake.h"
actor_list<snake> snake_list;
snake* snake::create(float, float, int, int, int, float, float) { return nullptr; }

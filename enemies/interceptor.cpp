#include "enemies/interceptor.h"
actor_list<interceptor> interceptor_list;
interceptor* interceptor::create(float, float, int) { return nullptr; }

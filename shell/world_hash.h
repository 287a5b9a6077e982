// One number for the state of the game in play: the counters, the ship and every object list.
// Two runs that agree on it play on alike; a recorded game checks itself against it. The
// camera is left out: it follows the screen, and a replay may be watched on another.
#pragma once

#include <cstdint>

uint64_t world_hash();

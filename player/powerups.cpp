#include "player/powerups.h"

// Tokens come with their own module; until then nothing drops.
void powerup_drop(int) {}
void powerups_clear() {}

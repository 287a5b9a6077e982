// The game's one random generator (Park-Miller minimal standard).
#include "media.h"

#include <utility>

namespace {
int64_t state = 4660;
int64_t look_state = 4660; // what only changes the picture draws from here, never from the game
constexpr int64_t MODULUS = 2147483647;

double next01(int64_t& s) {
    s = (s * 16807) % MODULUS;
    // s is 1..MODULUS-1, so this is [0, 1)
    return double(s - 1) / double(MODULUS - 1);
}

int rand_int(int64_t& s, int lo, int hi) {
    if (lo > hi) std::swap(lo, hi);
    double span = double(hi) - double(lo) + 1.0;
    int64_t v = int64_t(lo) + int64_t(next01(s) * span);
    return int(v > hi ? hi : v);
}
} // namespace

void seed_rnd(int seed) {
    int64_t s = int64_t(uint32_t(seed) & 0x7fffffffu);
    if (s == 0 || s == MODULUS) s = 4660;
    state = s;
}

int rnd_state() { return int(state); }

double rnd(double lo, double hi) { return lo + (hi - lo) * next01(state); }
int rand_int(int lo, int hi) { return rand_int(state, lo, hi); }

double look_rnd(double lo, double hi) { return lo + (hi - lo) * next01(look_state); }
int look_rand_int(int lo, int hi) { return rand_int(look_state, lo, hi); }
void seed_look_rnd(int seed) {
    int64_t s = int64_t(uint32_t(seed) & 0x7fffffffu);
    look_state = (s == 0 || s == MODULUS) ? 4660 : s;
}


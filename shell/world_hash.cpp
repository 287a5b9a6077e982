#include "shell/world_hash.h"

#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "media/media.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"

#include <cstring>

namespace {

// FNV-1a over the bytes of each value.
struct fnv {
    uint64_t h = 1469598103934665603ull;
    template <class T> void add(T v) {
        unsigned char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        for (unsigned char c : b) h = (h ^ c) * 1099511628211ull;
    }
};

template <class T> void add_list(fnv& f, actor_list<T>& list) {
    f.add(uint64_t(list.size()));
    list.for_each([&](T* e) {
        f.add(e->x);
        f.add(e->y);
        if constexpr (requires { e->dx; }) {
            f.add(e->dx);
            f.add(e->dy);
        }
        if constexpr (requires { e->angle; }) f.add(e->angle);
        if constexpr (requires { e->spawn_delay; }) f.add(e->spawn_delay);
    });
}

} // namespace

uint64_t world_hash() {
    fnv f;
    for (int v : {frame_count, score, multiplier, kill_count, lives, bombs, rnd_state(), ship_angle,
                  shield_timer, fire_delay, cannons, reverse_timer, side_timer, super_timer,
                  bouncy_timer, game_over})
        f.add(v);
    for (float v : {player_x, player_y, shot_speed}) f.add(v);
    add_list(f, shots);
    add_list(f, square_list);
    add_list(f, pinwheel_list);
    add_list(f, diamond_list);
    add_list(f, cube_list);
    add_list(f, seeker_list);
    add_list(f, blackhole_list);
    blackhole_list.for_each([&](blackhole* h) { f.add(h->mass); });
    add_list(f, snake_list);
    add_list(f, interceptor_list);
    interceptor_list.for_each([&](interceptor* e) {
        f.add(e->turn);
        f.add(e->shield_x1);
        f.add(e->shield_y1);
    });
    add_list(f, butterfly_list);
    add_list(f, generator_list);
    add_list(f, triangle_list);
    add_list(f, powerups);
    return f.h;
}

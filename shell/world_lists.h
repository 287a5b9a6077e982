// Every object list of the world and every global the rules read, named once. The hash, the
// posing between steps, the clearing and the tests walk them from here, so a new kind or a new
// counter is added in one place and no walk can forget it.
//
// Each object kind lists its own fields with `fields(v)`: `v(f)` for what the rules read,
// `v.link(p)` for a pointer to another object of its list, `v.look(f)` for what only drawing
// or sound reads.
#pragma once

#include "controls/controls.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/enemy.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/spawn.h"

enum list_role {
    LIST_SHOTS,
    LIST_ENEMIES,
    LIST_TOKENS,
    LIST_LOOKS, // lives in the world but changes nothing in it (exhaust trails, score popups)
};

constexpr int WORLD_LIST_COUNT = 15;

// f(list, role, slot): slot numbers the lists 0 .. WORLD_LIST_COUNT - 1, in this order.
template <class F> void world_lists(F&& f) {
    int n = 0;
    f(shots, LIST_SHOTS, n++);
    f(square_list, LIST_ENEMIES, n++);
    f(pinwheel_list, LIST_ENEMIES, n++);
    f(diamond_list, LIST_ENEMIES, n++);
    f(cube_list, LIST_ENEMIES, n++);
    f(seeker_list, LIST_ENEMIES, n++);
    f(blackhole_list, LIST_ENEMIES, n++);
    f(snake_list, LIST_ENEMIES, n++);
    f(interceptor_list, LIST_ENEMIES, n++);
    f(butterfly_list, LIST_ENEMIES, n++);
    f(generator_list, LIST_ENEMIES, n++);
    f(triangle_list, LIST_ENEMIES, n++);
    f(powerups, LIST_TOKENS, n++);
    f(trails, LIST_LOOKS, n++);
    f(score_popups, LIST_LOOKS, n++);
}

// f(value) for every global the rules read during a game, apart from the random generator's
// state (rnd_state), which is not a variable of ours.
template <class F> void world_values(F&& f) {
    for (int* v : {&frame_count, &score, &multiplier, &kill_count, &lives, &bombs, &game_over,
                   &freeze_actors, &cheat_mode, &god_mode, &debug_mode, &game_difficulty,
                   &life_awards, &bomb_awards, &extra_life_every, &extra_bomb_every,
                   &next_powerup_score, &ship_angle, &shield_timer, &fire_delay, &cannons,
                   &reverse_timer, &side_timer, &super_timer, &bouncy_timer, &powerup_duration,
                   &field_width, &field_height, &part_next, &particle_count, &particle_life,
                   &particle_gravity})
        f(*v);
    for (spawn_stream* s : {&stream_a, &stream_b, &stream_c, &stream_d}) {
        f(s->kind);
        f(s->place);
        f(s->countdown);
    }
    for (float* v : {&player_x, &player_y, &shot_speed, &move_x, &move_y, &aim_x, &aim_y,
                     &last_move_x, &last_move_y, &particle_decay, &square_speed, &pinwheel_speed,
                     &diamond_speed, &cube_speed, &seeker_speed, &blackhole_speed, &snake_speed,
                     &interceptor_speed, &butterfly_speed, &triangle_speed})
        f(*v);
}

// The headless playfield with every enemy list empty, medium speed limits, a known
// multiplier, no awards in reach, and sound handles told apart in the sound log.
#pragma once

#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/square.h"
#include "media/draw_log.h"
#include "support/play_env.h"

#include <cmath>
#include <vector>

class enemy_test : public play_test {
  protected:
    static inline char fake_sounds[8];
    sound saved[7];
    float saved_volume = 0;

    void SetUp() override {
        play_test::SetUp();
        enemies_clear(1);
        actor_lists_collect();
        enemy_speeds_reset(1);
        saved_volume = sfx_volume;
        sfx_volume = 0; // the fake handles below are logged, never played
        sound* handles[7] = {&snd_quarkhit, &snd_buzz3,     &snd_pop2,     &snd_pop3,
                             &snd_snake1,   &snd_gruntborn, &snd_butterfly};
        for (int i = 0; i < 7; i++) {
            saved[i] = *handles[i];
            *handles[i] = reinterpret_cast<sound>(&fake_sounds[i]);
        }
        camera_x = camera_y = 0;
        lives = 3;
        score = 0;
        multiplier = 3;
        kill_count = 0;
        life_awards = bomb_awards = 1;
        extra_life_every = extra_bomb_every = next_powerup_score = 1 << 30;
        popups_clear();
        seed_rnd(1234);
    }
    void TearDown() override {
        enemies_clear(1);
        actor_lists_collect();
        sound* handles[7] = {&snd_quarkhit, &snd_buzz3,     &snd_pop2,     &snd_pop3,
                             &snd_snake1,   &snd_gruntborn, &snd_butterfly};
        for (int i = 0; i < 7; i++) *handles[i] = saved[i];
        sfx_volume = saved_volume;
        popups_clear();
        shield_timer = 0;
        multiplier = 1;
        draw_log_enabled = false;
        draw_log.clear();
        enemy_speeds_reset(1);
        play_test::TearDown();
    }

    static std::vector<sfx_call> played(sound s) {
        std::vector<sfx_call> out;
        for (const auto& c : sfx_log)
            if (c.s == s) out.push_back(c);
        return out;
    }
    // Puts an enemy where a test wants it, at rest and past its spawn-in.
    template <class T> static T* place(T* e, float x, float y) {
        e->x = x;
        e->y = y;
        e->dx = e->dy = 0;
        e->spawn_delay = 0;
        return e;
    }
    static int sparks_since(int before) {
        return (part_next - before + particle_count) % particle_count;
    }
    // Empties the kinds' lists, leaving any black hole a test set up.
    static void clear_kinds() {
        square_list.clear();
        pinwheel_list.clear();
        diamond_list.clear();
        cube_list.clear();
        seeker_list.clear();
        butterfly_list.clear();
    }
    static std::size_t enemies_alive() {
        return square_list.size() + pinwheel_list.size() + diamond_list.size() + cube_list.size() +
               seeker_list.size() + butterfly_list.size();
    }
};

// One enemy of each kind, made the same way, for tests run across the kinds.
enum kind_id { K_SQUARE, K_PINWHEEL, K_DIAMOND, K_CUBE, K_FRAGMENT, K_SEEKER, K_BUTTERFLY };

inline enemy* make_kind(kind_id k, float x, float y) {
    switch (k) {
    case K_SQUARE:
        return square::create(x, y, 0);
    case K_PINWHEEL:
        return pinwheel::create(x, y, 0);
    case K_DIAMOND:
        return diamond::create(x, y, 0);
    case K_CUBE:
        return cube::create(x, y, 0, 0);
    case K_FRAGMENT:
        return cube::create(x, y, 4, 0);
    case K_SEEKER:
        return seeker::create(x, y, 0, 0);
    case K_BUTTERFLY:
        return butterfly::create(x, y, 0);
    }
    return nullptr;
}

inline void update_kind(kind_id k, enemy* e) {
    switch (k) {
    case K_SQUARE:
        static_cast<square*>(e)->update();
        break;
    case K_PINWHEEL:
        static_cast<pinwheel*>(e)->update();
        break;
    case K_DIAMOND:
        static_cast<diamond*>(e)->update();
        break;
    case K_CUBE:
    case K_FRAGMENT:
        static_cast<cube*>(e)->update();
        break;
    case K_SEEKER:
        static_cast<seeker*>(e)->update();
        break;
    case K_BUTTERFLY:
        static_cast<butterfly*>(e)->update();
        break;
    }
}

inline void kill_kind(kind_id k, enemy* e, int by_player) {
    switch (k) {
    case K_SQUARE:
        static_cast<square*>(e)->kill(by_player);
        break;
    case K_PINWHEEL:
        static_cast<pinwheel*>(e)->kill(by_player);
        break;
    case K_DIAMOND:
        static_cast<diamond*>(e)->kill(by_player);
        break;
    case K_CUBE:
    case K_FRAGMENT:
        static_cast<cube*>(e)->kill(by_player);
        break;
    case K_SEEKER:
        static_cast<seeker*>(e)->kill(by_player);
        break;
    case K_BUTTERFLY:
        static_cast<butterfly*>(e)->kill(by_player);
        break;
    }
}

// Every speed limit far out of reach, so one template step can be seen alone.
inline void no_speed_limits() {
    square_speed = pinwheel_speed = diamond_speed = cube_speed = seeker_speed = butterfly_speed =
        1000;
}

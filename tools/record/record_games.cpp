// Plays the golden games headless and keeps their records: a small bot flies the ship,
// dodging the nearest enemy and shooting at it, with the keyboard, the mouse or two sticks.
// usage: vexlume_record OUTDIR  (run where gfx/, sounds/ and music/ can be found, or not)
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/menu.h"
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
#include "media/headless/headless.h"
#include "media/media.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "shell/spawn.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/replay.h"
#include "shell/screens.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdio>
#include <random>
#include <string>

namespace {

enum hands { KEYS, MOUSE, STICKS };

struct golden {
    const char* file;
    int difficulty;
    hands by;
    bool god;  // switched on with the cheat keys at the start, as a player would
    int steps; // then the player leaves through the menu, if the game has not ended
    int seed;
    int field_w = 0, field_h = 0; // a playfield larger than the screen, so the view scrolls
    bool cheats = false;          // now and then a timed power-up, a cannon or more speed
};

const golden games[] = {
    {"easy-keyboard.vxr", 0, KEYS, false, 6000, 11},
    {"medium-mouse.vxr", 1, MOUSE, false, 6000, 22, 1600, 1200},
    {"hard-sticks.vxr", 2, STICKS, true, 9000, 36, 0, 0, true},
    {"hard-keyboard-to-the-end.vxr", 2, KEYS, false, 20000, 44, 1920, 1200},
    {"hard-sticks-long.vxr", 2, STICKS, true, 26000, 55, 0, 0, true},
};

struct target {
    float x = 0, y = 0, d2 = 1e30f;
};

template <class L> void nearest(L& list, target& t) {
    list.for_each([&](auto* e) {
        float ex = e->x - player_x, ey = e->y - player_y;
        if (ex * ex + ey * ey < t.d2) t = {e->x, e->y, ex * ex + ey * ey};
    });
}

// A player who leaves the black holes alone lets them feed until they burst.
target nearest_enemy(bool holes) {
    target t;
    nearest(square_list, t), nearest(pinwheel_list, t), nearest(diamond_list, t);
    nearest(cube_list, t), nearest(seeker_list, t);
    if (holes) nearest(blackhole_list, t);
    nearest(snake_list, t), nearest(interceptor_list, t), nearest(butterfly_list, t);
    nearest(generator_list, t), nearest(triangle_list, t);
    return t;
}

// A pad reports its sticks in steps of 1/32767.
float stick(float v) { return std::round(v * 32767.0f) / 32767.0f; }

struct bot {
    golden g;
    std::minstd_rand rng;
    int played = 0, stage = 0;
    float wander = 0;
    std::vector<int> taps;

    void step() {
        std::string at = screen_name;
        if (!taps.empty()) {
            headless_key_tap(taps.front());
            taps.erase(taps.begin());
            return;
        }
        if (stage == 0 && at == "title") {
            next_game_seed = g.seed;
            headless_key_tap(32);
            stage = 1;
        } else if (stage == 1 && at == "play") {
            if (g.god && played == 0) taps = {112, 113}; // cheat mode, then god mode
            // 1-4 timed shots, X a cannon, Z more speed.
            const int cheat_keys[] = {49, 50, 51, 52, 88, 90};
            if (g.cheats && played % 1500 == 700) taps.push_back(cheat_keys[(played / 1500) % 6]);
            fly();
            if (++played >= g.steps) leave();
        } else if (stage == 1 && at == "game over") {
            leave();
        } else if (stage == 2 && menu_open) {
            for (int k : {38, 38, 38, 13}) taps.push_back(k); // up to Exit Program
            stage = 3;
        }
    }

    void leave() {
        release();
        headless_key_tap(27);
        stage = 2;
    }

    void release() {
        for (int k : {key_move_left, key_move_right, key_move_up, key_move_down, key_fire_left,
                      key_fire_right, key_fire_up, key_fire_down, key_bomb})
            headless_key(k, false);
        headless_mouse_button(mouse_fire, false);
        for (int s = 0; s < 4; s++) headless_joy_slot(0, s, 0);
    }

    void fly() {
        target t = nearest_enemy(!g.god);
        float ax = t.x - player_x, ay = t.y - player_y, d = std::sqrt(t.d2) + 0.001f;
        wander += float(int(rng() % 21) - 10) / 100.0f;
        // Away from what comes close, else drifting about; aim at it all the time.
        float mx = std::cos(wander), my = std::sin(wander);
        // With nothing close, the nearest token is worth a detour.
        target token;
        nearest(powerups, token);
        if (d > 250 && token.d2 < 600 * 600) {
            float td = std::sqrt(token.d2) + 0.001f;
            mx = (token.x - player_x) / td, my = (token.y - player_y) / td;
        }
        if (d < 220) mx = -ax / d, my = -ay / d;
        // The mouse fires where the ship goes: it hunts instead, backing off only up close.
        if (g.by == MOUSE) {
            float s = d < 120 ? -1.0f : 1.0f;
            mx = s * ax / d, my = s * ay / d;
        }
        bool bomb = rng() % 900 == 0;
        switch (g.by) {
        case KEYS:
            headless_key(key_move_right, mx > 0.3f);
            headless_key(key_move_left, mx < -0.3f);
            headless_key(key_move_down, my > 0.3f);
            headless_key(key_move_up, my < -0.3f);
            headless_key(key_fire_right, ax > 0.3f * d);
            headless_key(key_fire_left, ax < -0.3f * d);
            headless_key(key_fire_down, ay > 0.3f * d);
            headless_key(key_fire_up, ay < -0.3f * d);
            headless_key(key_bomb, bomb);
            break;
        case MOUSE:
            headless_mouse_move(screen_width / 2 + int(mx * 40), screen_height / 2 + int(my * 40));
            headless_mouse_button(mouse_fire, t.d2 < 400 * 400);
            headless_mouse_button(mouse_bomb, bomb);
            break;
        case STICKS:
            headless_joy_slot(0, active_pad.axis[0], stick(mx));
            headless_joy_slot(0, active_pad.axis[1], stick(my));
            headless_joy_slot(0, active_pad.axis[2], stick(ax / d));
            headless_joy_slot(0, active_pad.axis[3], stick(ay / d));
            headless_joy_button(0, active_pad.bomb_button, bomb);
            break;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexlume_record OUTDIR\n");
        return 2;
    }
    std::string out = argv[1];
    for (const golden& g : games) {
        // Each game from the built-in settings: the last one saved its own on the way out.
        remove_file("Config.txt");
        remove_file("hiscores.dat");
        settings_defaults();
        if (g.field_w) cfg_field_width = g.field_w, cfg_field_height = g.field_h;
        if (!media_init()) return 1;
        headless_joy_plug(0, g.by == STICKS);
        game_started = game_over = freeze_actors = 0;
        menu_cooldown = 30;
        if (!game_startup()) return 1;
        difficulty = g.difficulty;
        control_type = g.by == KEYS ? CONTROL_KEYBOARD
                       : g.by == MOUSE ? CONTROL_MOUSE
                                       : CONTROL_DUAL_ANALOG;
        cheat_mode = god_mode = debug_mode = 0;
        long down = blackholes_shot_down, over = blackholes_overloaded;
        long tokens = powerup_stats.collected, spawned[11];
        std::copy(std::begin(spawns_by_kind), std::end(spawns_by_kind), spawned);
        bot b{g, std::minstd_rand(unsigned(g.seed)), 0, 0, 0, {}};
        headless_on_present([&](int) { b.step(); });
        run_game();
        headless_on_present(nullptr);
        const replay_data& r = replay_last();
        std::printf("%s: %s, score %d, %zu steps; holes shot down %ld, overloaded %ld; tokens "
                    "collected %ld; ships %d, bombs %d left; spawns",
                    g.file, g.difficulty == 0 ? "Easy" : g.difficulty == 1 ? "Medium" : "Hard",
                    r.end_score, r.steps.size(), blackholes_shot_down - down, blackholes_overloaded - over,
                    powerup_stats.collected - tokens, lives, bombs);
        for (int k = 0; k <= 10; k++) std::printf(" %ld", spawns_by_kind[k] - spawned[k]);
        std::printf("\n");
        if (!file_write_bytes(out + "/" + g.file, replay_encode(r))) return 1;
        game_shutdown();
        media_shutdown();
    }
    return 0;
}

// A headless playfield ready for the ship and its shots: 1024 x 768, 16 px grid, particles.
#pragma once

#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "enemies/blackhole.h"
#include "enemies/enemy.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "support/headless_env.h"

class play_test : public media_test {
protected:
    void SetUp() override {
        media_test::SetUp();
        screen_width = field_width = 1024;
        screen_height = field_height = 768;
        grid_spacing = 2;
        grid_size(field_width, field_height);
        part_init();
        shots.clear();
        enemies_clear(1);
        blackhole_list.clear();
        actor_lists_collect();
        player_x = 512;
        player_y = 384;
        move_x = move_y = aim_x = aim_y = last_move_x = last_move_y = 0;
        cannons = 2;
        shot_speed = 3;
        fire_delay = 0;
        reverse_timer = side_timer = super_timer = bouncy_timer = shield_timer = 0;
        debug_mode = god_mode = freeze_actors = game_over = 0;
        inertia = 0;
        sfx_log.clear();
        sfx_log_enabled = true;
    }
    void TearDown() override {
        sfx_log_enabled = false;
        shots.clear();
        enemies_clear(1);
        blackhole_list.clear();
        actor_lists_collect();
        media_test::TearDown();
    }
    static bool grid_at_rest() {
        for (int c = 0; c <= grid_cols; c++)
            for (int r = 0; r <= grid_rows; r++) {
                const gridpoint& p = grid_at(c, r);
                if (p.x != p.ox || p.y != p.oy || p.dx != 0 || p.dy != 0) return false;
            }
        return true;
    }
};

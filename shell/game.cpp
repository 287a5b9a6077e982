#include "shell/game.h"

#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/key_names.h"
#include "controls/menu.h"
#include "enemies/blackhole.h"
#include "enemies/enemy.h"
#include "media/actor_list.h"
#include "media/media.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/pose.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "shell/spawn.h"
#include "shell/vector_text.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct difficulty_row {
    int powerup_duration, lives, bombs, cannons;
    float shot_speed;
    int frame_count;
};
const difficulty_row difficulty_table[3] = {
    {20, 4, 4, 2, 4.0f, 1},
    {16, 3, 3, 2, 3.0f, 1},
    {12, 2, 2, 2, 3.0f, 7000},
};

void save_all() {
    config_save();
    hiscores_save();
}

void leave_program() {
    // A game cut short by closing the window is kept too; one being watched gives back the
    // player's settings before they are saved.
    if (replay_now == REPLAY_PLAYING)
        replay_play_end();
    else
        replay_game_ends();
    show_pointer();
    music_shutdown();
    save_all();
    media_shutdown();
    std::exit(0);
}

// A browser tab may close without a word: what leaving would save is saved as it hides.
void keep_files() {
    if (replay_now != REPLAY_PLAYING) save_all();
}

} // namespace

int game_seed = 0, next_game_seed = 0;

void new_game() {
    // Everything a game plays with starts afresh, so one seed always gives one game.
    if (next_game_seed) seed_rnd(next_game_seed);
    next_game_seed = 0;
    game_seed = rnd_state();
    drift_colour = wandering_colour{};
    fire_delay = shield_timer = ship_angle = 0;
    move_x = move_y = last_move_x = last_move_y = hybrid_aim_x = hybrid_aim_y = 0;
    blackhole_channel_next = 0;
    centre_ship();
    game_difficulty = difficulty >= 0 && difficulty <= 2 ? difficulty : 1;
    game_over = 0;
    enemy_speeds_reset(game_difficulty);
    const difficulty_row& d = difficulty_table[game_difficulty];
    powerup_duration = d.powerup_duration;
    lives = d.lives;
    bombs = d.bombs;
    cannons = d.cannons;
    shot_speed = d.shot_speed;
    frame_count = d.frame_count;
    extra_bomb_every = extra_bomb_table[game_difficulty];
    extra_life_every = extra_life_table[game_difficulty];
    life_awards = 1;
    reverse_timer = side_timer = super_timer = bouncy_timer = 0;
    aim_x = aim_y = 0;
    next_powerup_score = powerup_step;
    menu_cooldown = 20;
    bomb_awards = 1;
    spawn_streams_reset();
    reset_score();
    reset_multiplier();
}

void clear_board(int everything) {
    if (everything) part_clear();
    stop_all_sfx();
    world_lists_clear(everything);
    if (everything) grid_reset();
    spawn_streams_reset();
}

namespace {

bool fire_held() {
    return key_down(key_fire_left) || key_down(key_fire_right) || key_down(key_fire_up) ||
           key_down(key_fire_down) || mouse_down(mouse_fire);
}

// The viewer's keys: Escape or the bomb ends a replay, fire runs it fast, P holds it.
void watch_keys(bool checking) {
    if (checking) return;
    if (key_hit(27) || key_hit(key_bomb) || mouse_hit(mouse_bomb)) replay_play_stop();
    world_blind = fire_held();
    if (key_hit(80)) {
        while (!key_hit(80) && !key_hit(27)) {
            poll_events();
            delay(20);
        }
        world_pace_reset();
    }
}

} // namespace

bool replay_checking = false;

int play_game() {
    stop_music();
    clear_board(1);
    new_game();
    bool watching = replay_now == REPLAY_PLAYING;
    bool blind = world_blind; // fast forward borrows it while watching
    if (!watching) replay_record_begin();
    freeze_actors = 1;
    int quit = get_ready();
    freeze_actors = 0;
    screen_name = watching ? "replay" : "play";
    world_pace_reset();
    while (!game_over && game_started && !replay_play_over()) {
        if (watching) watch_keys(replay_checking);
        int64_t t0 = micros();
        // A step that falls a frame behind is played without drawing it.
        bool drawn = world_step_draws();
        spawn_director(frame_count);
        play_step();
        world_update(0);
        int elapsed = int((micros() - t0) / 1000);
        auto draw = [&](float alpha) {
            clear_screen();
            draw_posed(alpha, [&] {
                draw_frame();
                if (watching) {
                    set_color(255, 255, 255);
                    draw_vector_text("REPLAY", 10, screen_height - 60, 3);
                } else {
                    draw_aim_cursor();
                }
                if (cheat_mode && !game_over) {
                    set_color(255, 255, 255);
                    draw_vector_text("Frame ms: " + std::to_string(elapsed), 10, 30, 3);
                }
            });
        };
        if (game_over) {
            world_step_end(drawn, draw);
            replay_game_ends();
            if (!watching) {
                stop_music();
                quit = game_over_screen();
            }
            game_started = 0;
        } else {
            world_step_end(drawn, draw);
            if (!watching && cheat_mode && key_down(80))
                while (!key_hit(79)) delay(100);
        }
        frame_count++;
        int r = step_menu();
        if (r > 0) {
            quit = 1;
            game_over = 1;
            if (r == 2) {
                stop_music();
                game_started = 0;
                quit = 0;
            }
        }
        if (r >= 0) {
            menu_cooldown = 20;
            world_pace_reset();
            // The window may lose its focus while the menu reopens the display: no new pause.
            focus_lost();
            // The mouse steers by its distance from the centre: start from rest.
            if (control_type == CONTROL_MOUSE ||
                (control_type == CONTROL_HYBRID && hybrid_config == 1))
                move_pointer(screen_width / 2, screen_height / 2);
        }
        actor_lists_collect();
    }
    replay_game_ends();
    world_blind = blind;
    clear_board(1);
    return watching ? 0 : quit;
}

std::string watch_replay(const replay_data& r) {
    replay_play_begin(r);
    part_init();
    game_started = 1;
    play_game();
    uint32_t bad = replay_play_end();
    part_init();
    game_started = game_over = 0;
    std::string verdict = replay_play_stopped() ? "Replay stopped at step " + std::to_string(bad)
                          : bad ? "Replay out of sync at step " + std::to_string(bad)
                                : "Replay verified: " + std::to_string(score);
    if (replay_checking) return verdict;
    show_verdict(verdict);
    score = 0;
    return verdict;
}

void show_verdict(const std::string& line) {
    // Up for three seconds, or until a key.
    flush_keys();
    screen_setup();
    for (int i = 0; i < 150 && !key_hit(27) && !key_hit(key_bomb) && !key_hit(13); i++) {
        poll_events();
        clear_screen();
        set_color(255, 255, 255);
        set_alpha(1);
        int x = screen_width / 2 - 12 * int(line.size()) / 2;
        draw_vector_text(line, x, screen_height / 2 - 12, 4);
        pace_frame();
        flip(1);
    }
    menu_cooldown = 20;
}

void run_game() {
    part_init();
    flush_keys();
    int quit = 0;
    for (;;) {
        while (!game_started && !quit) {
            play_music(0);
            if (!game_started && !quit) quit = title_screen();
            if (!game_started && !quit) quit = top_scores_screen(-1);
            if (!game_started && !quit) quit = friends_screen();
            if (!game_started && !quit) quit = enemies_screen();
        }
        if (game_started && !quit) {
            quit = play_game();
            if (!quit) {
                if (score > lowest_top_score) {
                    play_music(2);
                    int rank = name_entry();
                    replay_keep_top(game_difficulty, rank);
                    keep_point();
                    quit = top_scores_screen(rank);
                    score = 0;
                    stop_music();
                } else if (score > 0) {
                    play_music(0);
                    quit = top_scores_screen(-20);
                }
            }
        }
        if (quit) return;
    }
}

bool game_startup() {
    vector_text_init();
    sound_bank_load();
    music_init();
    controls_first_run(config_load() == 1);
    gfx_modes_build();
    gfx_modes_select();
    apply_joypad_config();
    key_names_build();
    if (!display_start()) return false;
    seed_rnd(int(millisecs()));
    circle_table_build();
    hiscores_load();
    hide_pointer();
    set_close_handler(leave_program);
    set_keep_handler(keep_files);
    set_world_step_handler(replay_step_done);
    set_world_step_begin_handler(pose_remember);
    return true;
}

void game_shutdown() {
    show_pointer();
    music_shutdown();
    save_all();
    images_free();
}

int game_main() {
    if (!media_init()) {
        fprintf(stderr, "vexlume2: cannot start the media layer\n");
        return 1;
    }
    if (!game_startup()) {
        fprintf(stderr, "vexlume2: cannot open any display (see %s)\n",
                data_path("errors.txt").c_str());
        media_shutdown();
        return 1;
    }
    run_game();
    game_shutdown();
    media_shutdown();
    return 0;
}

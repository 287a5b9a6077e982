// The settings screens, each run as the player meets it: a script taps keys, clicks and
// holds pad buttons frame by frame while the screen's own loop runs.
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/key_names.h"
#include "controls/menu.h"
#include "controls/settings_screens.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/vector_text.h"
#include "support/headless_env.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

enum { RET = 13, ESC = 27, SPACE = 32, LEFT = 37, UP = 38, RIGHT = 39, DOWN = 40 };

struct runaway {};

class settings_screen : public media_test {
  protected:
    // One step per presented frame; a step that returns false is tried again next frame.
    std::vector<std::function<bool()>> steps;
    size_t at = 0;
    std::vector<std::string> titles; // every menu seen, in order

    void SetUp() override {
        media_test::SetUp();
        vector_text_init();
        screen_width = 1024, screen_height = 768;
        key_bomb = 32, key_move_left = 83, key_move_right = 68;
        mouse_fire = 1, mouse_bomb = 2, mouse_sensitivity = 0.5f;
        difficulty = 1, autofire = 0, inertia = 0;
        extra_life_table[0] = 75000, extra_life_table[1] = 100000, extra_life_table[2] = 200000;
        extra_bomb_table[0] = 100000, extra_bomb_table[1] = 150000, extra_bomb_table[2] = 250000;
        sfx_volume = music_volume = 0.5f;
        joypad_bomb_button = 4, joypad_option_button = 0;
        used_port = 0;
        for (auto& p : joypads) p = bbjoypad{};
        apply_joypad_config();
        menu_cooldown = 0;
        headless_on_present([this](int) {
            if (menu_open && (titles.empty() || titles.back() != menu_open->title))
                titles.push_back(menu_open->title);
            if (++frames > 3000) throw runaway{};
            if (at < steps.size() && steps[at]()) at++;
        });
    }
    void TearDown() override {
        headless_on_present(nullptr);
        media_test::TearDown();
    }
    int frames = 0;

    // A key tapped, then a frame for the screen to read it.
    void keys(std::initializer_list<int> codes) {
        for (int k : codes) {
            steps.push_back([k] {
                headless_key_tap(k);
                return true;
            });
            steps.push_back([] { return true; });
        }
    }
    void click(int button) {
        steps.push_back([button] {
            headless_mouse_button(button, true);
            headless_mouse_button(button, false);
            return true;
        });
        steps.push_back([] { return true; });
    }
    void then(std::function<void()> fn) {
        steps.push_back([fn] {
            fn();
            return true;
        });
    }
    // The label the open menu shows on a row, as drawn at this frame.
    static std::string row(int n) { return menu_open ? menu_open->rows[size_t(n)].label : ""; }
    void run(int (*screen)(int)) {
        ASSERT_NO_THROW(screen(0)) << "the screen did not return";
        // The last key's idle frame never comes: the screen has left on it.
        EXPECT_GE(at + 1, steps.size()) << "the screen returned before the script ended";
    }
    bool asked(const char* title) const {
        for (auto& t : titles)
            if (t == title) return true;
        return false;
    }
};

} // namespace

TEST_F(settings_screen, free_player_stays_inside_its_limits_and_no_puts_everything_back) {
    extra_life_table[0] = 50000;
    keys({DOWN, LEFT, DOWN, LEFT, LEFT, LEFT}); // Easy, its Free Player down past the end
    then([] { EXPECT_EQ(row(1), "Free Player: 25000"); });
    for (int i = 0; i < 12; i++) keys({RIGHT});
    then([] { EXPECT_EQ(row(1), "Free Player: 300000"); });
    keys({UP, RIGHT, ESC}); // back on Medium: only Easy's interval differs now
    then([] { EXPECT_EQ(menu_open->title, "Keep Changes?"); });
    keys({ESC}); // "No"
    run(game_settings);
    EXPECT_EQ(difficulty, 1);
    EXPECT_EQ(extra_life_table[0], 50000) << "the interval of the level left behind counts too";
}

TEST_F(settings_screen, a_difficulty_changed_and_changed_back_asks_nothing) {
    keys({DOWN, RIGHT});
    then([] { EXPECT_EQ(row(0), "Starting Level: Hard"); });
    keys({LEFT, ESC});
    run(game_settings);
    EXPECT_FALSE(asked("Keep Changes?"));
    EXPECT_EQ(difficulty, 1);
}

TEST_F(settings_screen, kept_game_changes_return_2_and_drive_the_next_game) {
    keys({DOWN, RIGHT, DOWN, RIGHT, ESC, UP, RET}); // Hard, its Free Player up, "Yes"
    EXPECT_EQ(game_settings(0), 2);
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(extra_life_table[2], 225000);
}

TEST_F(settings_screen, mouse_buttons_only_advance_and_skip_none) {
    mouse_fire = 3;
    mouse_bomb = 0;
    keys({DOWN, LEFT}); // the Fire row, d = -1
    then([] { EXPECT_EQ(row(0), "Fire: Left Mouse Button"); });
    keys({DOWN, LEFT, DOWN, RIGHT, RIGHT}); // bomb from None, sensitivity up two steps
    keys({SPACE});                          // not on Done: stays
    keys({DOWN, SPACE});
    run(mouse_control);
    EXPECT_EQ(mouse_fire, 1);
    EXPECT_EQ(mouse_bomb, 1);
    EXPECT_EQ(mouse_sensitivity, 0.6f);
}

TEST_F(settings_screen, keyboard_capture_takes_the_lowest_held_code_escape_included) {
    key_names_build();
    keys({DOWN, RET}); // Move Left waits for a key
    then([] { EXPECT_EQ(row(0), "Move Left : "); });
    then([] {
        headless_key(65, true);
        headless_key(32, true);
    });
    then([] {});
    then([] {
        headless_key(65, false);
        headless_key(32, false);
    });
    then([] { EXPECT_EQ(row(0), "Move Left : Space"); });
    keys({DOWN, RET, ESC}); // Escape is just another key here
    then([] { EXPECT_EQ(row(1), "Move Right: Escape"); });
    keys({ESC}); // and does not leave
    for (int i = 0; i < 8; i++) keys({DOWN});
    keys({RET}); // Done
    run(keyboard_control);
    EXPECT_EQ(key_move_left, 32);
    EXPECT_EQ(key_move_right, 27);
}

TEST_F(settings_screen, a_pad_button_leaves_keyboard_control_after_the_first_frames) {
    headless_joy_plug(0, true);
    then([] { headless_joy_button(0, 3, true); });
    int left_at = 0;
    steps.push_back([&] {
        left_at = frames;
        return false;
    });
    keyboard_control(0);
    headless_joy_button(0, 3, false);
    EXPECT_GE(left_at, 16);
    EXPECT_LE(left_at, 22);
}

TEST_F(settings_screen, joypad_buttons_held_set_the_row_and_the_highest_wins) {
    headless_joy_plug(0, true);
    keys({DOWN, DOWN}); // the Bomb row
    then([] { headless_joy_button(0, 6, true); });
    then([] {});
    then([] { EXPECT_EQ(row(1), "Bomb: Button  [7]"); });
    then([] { headless_joy_button(0, 2, true); });
    then([] {});
    then([] { EXPECT_EQ(row(1), "Bomb: Button  [7]"); });
    then([] {
        headless_joy_button(0, 6, false);
        headless_joy_button(0, 2, false);
    });
    keys({RET});                    // Return steps the value up rather than leaving
    keys({DOWN, DOWN, LEFT, LEFT}); // the top of the diamond: the "down" button
    keys({ESC});
    run(joypad_control);
    EXPECT_EQ(joypad_bomb_button, 7);
    EXPECT_EQ(joypad_option_button, 0);
    EXPECT_EQ(joypad_down_button, 1);
}

TEST_F(settings_screen, stepping_onto_the_diamond_puts_the_pointer_beside_each_number) {
    const int want[4][2] = {
        {512 + 44, 384 + 60}, {512 - 20, 384 + 100}, {512 + 108, 384 + 100}, {512 + 44, 384 + 140}};
    keys({UP});
    for (int n = 3; n >= 0; n--) {
        then([&, n] {
            EXPECT_EQ(menu_open->selected, 3 + n);
            EXPECT_EQ(mouse_x(), want[n][0]);
            EXPECT_EQ(mouse_y(), want[n][1]);
        });
        if (n) keys({UP});
    }
    then([] { headless_mouse_move(512 + 140, 384 + 95); }); // hovering over the right button
    then([] {});
    then([] { EXPECT_EQ(menu_open->selected, 5); });
    keys({ESC});
    run(joypad_control);
}

TEST_F(settings_screen, volumes_step_by_a_twentieth_and_stop_at_full) {
    sfx_volume = 0.98f;
    keys({DOWN});
    click(2); // the right button increases
    then([] { EXPECT_EQ(sfx_volume, 1.0f); });
    click(2);
    keys({DOWN});
    click(1); // the left button decreases
    keys({LEFT, RET});
    run(audio_settings);
    EXPECT_EQ(sfx_volume, 1.0f);
    EXPECT_EQ(music_volume, 0.4f);
    EXPECT_EQ(int(double(music_volume) * 100.0), 40);
}

TEST_F(settings_screen, fractions_keep_the_hundredths_the_bar_showed) {
    for (float v : {0.3f, 0.35f, 0.57f, 0.0f, 0.95f}) {
        float up = step_fraction(v, 1);
        int want = std::min(100, int(std::lround(v * 100)) + 5);
        EXPECT_EQ(int(double(up) * 100.0), want) << v;
    }
    EXPECT_EQ(step_fraction(0.02f, -1), 0.0f);
}

TEST_F(settings_screen, return_on_windowed_does_nothing_and_no_restores_the_five) {
    cfg_screen_width = cfg_field_width = 1024;
    cfg_screen_height = cfg_field_height = 768;
    gfx_modes_build();
    gfx_modes_select();
    windowed = 1, scroll = 0, gfx_set = 0;
    int mode = gfx_mode_index;
    keys({UP, UP, UP, RET});
    then([] { EXPECT_EQ(row(4), "Windowed: On"); });
    keys({RIGHT});
    then([] { EXPECT_EQ(row(4), "Windowed: Off"); });
    keys({UP, RIGHT, UP, RIGHT, UP, LEFT, UP, RIGHT}); // gfx set, playfield, screen, scroll
    then([] { EXPECT_EQ(row(1), "Screen Size: XGA- (1024X720)"); });
    keys({RET}); // Return leaves from Done only
    keys({ESC});
    then([] { EXPECT_EQ(menu_open->title, "Keep Changes?"); });
    keys({RET}); // "No" is selected
    run(video_settings);
    EXPECT_EQ(windowed, 1);
    EXPECT_EQ(scroll, 0);
    EXPECT_EQ(gfx_set, 0);
    EXPECT_EQ(gfx_mode_index, mode);
    EXPECT_EQ(field_size_index, 0);
}

TEST_F(settings_screen, controller_type_steps_both_ways_and_configure_opens_its_screen) {
    control_type = CONTROL_DUAL_ANALOG;
    keys({DOWN, LEFT});
    then([] { EXPECT_EQ(control_type, CONTROL_HYBRID); });
    keys({RIGHT, RIGHT, RIGHT, RET}); // Mouse, Keyboard, then Return steps back to Mouse
    then([] { EXPECT_EQ(row(0), "Type: Mouse"); });
    keys({DOWN, RET});
    then([] { EXPECT_EQ(menu_open->title, "Mouse Control"); });
    keys({ESC});
    then([] {
        EXPECT_EQ(menu_open->title, "Controller Selection");
        EXPECT_EQ(menu_open->selected, 1);
    });
    keys({ESC});
    run(controller_selection);
    EXPECT_EQ(control_type, CONTROL_MOUSE);
}

TEST_F(settings_screen, the_key_name_table_keeps_the_later_name) {
    key_names_build();
    EXPECT_EQ(key_names[13], "Enter");
    EXPECT_EQ(key_names[107], "Minus");
    EXPECT_EQ(key_names[109], "Equals");
    EXPECT_EQ(key_names[111], "Numpad /");
    EXPECT_EQ(key_names[96], "Numpad 0");
    EXPECT_EQ(key_names[123], "F12");
    EXPECT_EQ(key_names[90], "Z");
    EXPECT_EQ(key_names[299], "Hit A Key");
    EXPECT_EQ(key_names[3], "");
    EXPECT_EQ(key_label(189), "Key 189");
    EXPECT_EQ(key_label(-4), "Key -4");
}

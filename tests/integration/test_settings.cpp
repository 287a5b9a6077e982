// The settings screens inside the whole game: a display change the system refuses, and
// changed rules ending the game they were made in.
#include "controls/config.h"
#include "controls/menu.h"
#include "media/headless/headless.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <string>

namespace {
using settings_in_game = game_test;

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

enum { ESC = 27, RET = 13, SPACE = 32, LEFT = 37, UP = 38, RIGHT = 39, DOWN = 40 };

std::string value_after(const std::string& text, const std::string& key) {
    size_t at = text.find(key + "\r\n");
    if (at == std::string::npos) return "?";
    at += key.size() + 2;
    return text.substr(at, text.find("\r\n", at) - at);
}
} // namespace

TEST_F(settings_in_game, a_refused_screen_size_is_reported_and_the_old_values_are_saved) {
    dir.write("Config.txt", "[Windowed]\r\nTrue\r\n[Screen Width]\r\n1024\r\n[Screen "
                            "Height]\r\n768\r\n");
    start();
    headless_set_desktop(1100, 800); // 1024 x 768 fits, the next size up does not
    headless_set_modes({{1024, 768, 32, 60}});
    ASSERT_EQ(gfx_mode_index, 8);
    int step = 0, message_frames = 0;
    play([&](int) {
        if (step == 0 && in("title") && !menu_open)
            tap(ESC), step++;
        else if (step == 1 && menu_titled("Options"))
            press({UP, UP, RET}), step++;
        else if (step == 2 && menu_titled("Settings"))
            press({UP, UP, UP, RET}), step++;
        else if (step == 3 && menu_titled("Video Settings"))
            press({UP, UP, UP, UP, UP, UP, RIGHT, ESC}), step++; // a 1152 x 864 window: too large
        else if (step == 4 && menu_titled("Keep Changes?"))
            press({UP, RET}), step++;
        else if (step == 5 && !menu_open)
            message_frames++;
        else if (step == 5 && menu_titled("Settings"))
            tap(ESC), step++;
        else if (step == 6 && menu_titled("Options"))
            press({UP, RET}), step++;
    });
    EXPECT_EQ(step, 7);
    EXPECT_GE(message_frames, 95) << "two seconds of \"Unable to set Gfx Mode\"";
    EXPECT_EQ(dir.read("errors.txt"), "Can not set graphics mode: Windowed - 1152X864\r\n");
    EXPECT_EQ(gfx_mode_index, 8);
    EXPECT_EQ(screen_width, 1024);
    EXPECT_EQ(screen_height, 768);
    EXPECT_EQ(display_height(), 768);
    ASSERT_EQ(config_save(), 1); // what the exit writes
    std::string saved = dir.read("Config.txt");
    EXPECT_EQ(value_after(saved, "[Screen Height]"), "768");
    EXPECT_EQ(value_after(saved, "[Windowed]"), "True");
}

TEST_F(settings_in_game, kept_rules_end_the_game_even_when_another_screen_follows) {
    start();
    int step = 0;
    play([&](int) {
        if (step == 0 && in("title"))
            tap(SPACE), step++;
        else if (step == 1 && in("play") && frame_count > 10)
            tap(ESC), step++;
        else if (step == 2 && menu_titled("Options"))
            press({UP, UP, RET}), step++;
        else if (step == 3 && menu_titled("Settings"))
            press({UP, RET}), step++;
        else if (step == 4 && menu_titled("Game Settings"))
            press({DOWN, RIGHT, ESC}), step++;
        else if (step == 5 && menu_titled("Keep Changes?"))
            press({UP, RET}), step++;
        else if (step == 6 && menu_titled("Settings"))
            press({UP, RET}), step++;
        else if (step == 7 && menu_titled("Controller Selection"))
            tap(ESC), step++;
        else if (step == 8 && menu_titled("Settings"))
            tap(ESC), step++;
        else if (step == 9 && in("title") && !menu_open)
            tap(ESC), step++;
        else if (step == 10 && menu_titled("Options"))
            press({UP, UP, UP, RET}), step++;
    });
    EXPECT_EQ(step, 11) << "the game ended and the title came back";
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(game_started, 0);
    difficulty = 1;
}

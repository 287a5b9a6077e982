// The player goes to another window (or browser tab) during play: the Options menu opens as
// Escape opens it, the world holds still behind it, and play goes on at its pace afterwards.
// A file dropped on the window between games is played back, or refused with its reason.
#include "controls/controls.h"
#include "controls/menu.h"
#include "media/input.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <string>

namespace {
using leave_window = game_test;

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }
enum { ESC = 27, RET = 13, SPACE = 32, UP = 38 };
} // namespace

TEST_F(leave_window, losing_the_focus_in_play_opens_the_options_menu) {
    start();
    control_type = CONTROL_KEYBOARD;
    int step = 0, paused_at = -1, menus = 0, played_after = 0;
    play([&](int) {
        switch (step) {
        case 0:
            if (in("title")) tap(SPACE), step++;
            break;
        case 1:
            if (in("play") && frame_count > 20) input_focus_lost(), paused_at = frame_count, step++;
            break;
        case 2:
            if (menu_titled("Options")) {
                menus++;
                EXPECT_EQ(frame_count, paused_at + 1); // the step it was lost in, no more
                tap(ESC); // Continue
                step++;
            }
            break;
        case 3:
            if (in("play") && !menu_open && ++played_after == 30) tap(ESC), step++;
            break;
        case 4:
            if (menu_titled("Options")) menus++, press({UP, UP, UP, RET}), step++; // Exit Program
            break;
        }
    });
    EXPECT_EQ(step, 5);
    EXPECT_EQ(menus, 2);
}

TEST_F(leave_window, a_file_dropped_between_games_is_refused_with_its_reason) {
    start();
    {
        text_file* f = file_open_write("not-a-replay.vxr");
        file_write_line(f, "no replay at all");
        file_close(f);
    }
    int step = 0;
    testing::internal::CaptureStdout();
    play([&](int) {
        switch (step) {
        case 0:
            if (in("title")) input_file_dropped("not-a-replay.vxr"), step++;
            break;
        case 1: // the refusal stays up, then the attract screens go on
            if (!in("title")) step++;
            break;
        case 2:
            if (in("title") || in("top scores") || in("friends")) tap(ESC), step++;
            break;
        case 3:
            if (menu_titled("Options")) press({UP, UP, UP, RET}), step++;
            break;
        }
    });
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(step, 4);
    EXPECT_EQ(out.rfind("Cannot play: ", 0), 0u) << out;
}

#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/draw_log.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/vector_text.h"
#include "support/headless_env.h"
#include "support/temp_dir.h"

#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

enum { RET = 13, SPACE = 32, LEFT = 37, UP = 38, RIGHT = 39, DOWN = 40, LSHIFT = 160 };

// The screen on a 1024 x 768 display after a Medium game of 3500 frames, in a scratch folder.
class name_entry_screen : public media_test {
protected:
    temp_dir dir;
    std::string old_cwd;
    int frames = 0;

    void SetUp() override {
        media_test::SetUp();
        char buf[4096];
        old_cwd = getcwd(buf, sizeof buf);
        ASSERT_EQ(chdir(dir.path.c_str()), 0);
        vector_text_init();
        screen_width = 1024;
        screen_height = 768;
        hiscores_builtin();
        score = 6000;
        game_difficulty = 1;
        frame_count = 3500;
        control_type = CONTROL_KEYBOARD;
        used_port = 0;
        active_pad = active_pad_t{};
        set_name("        ");
    }
    void TearDown() override {
        draw_log_enabled = false;
        draw_log.clear();
        set_name("        ");
        hiscores_builtin();
        control_type = CONTROL_DUAL_ANALOG;
        ASSERT_EQ(chdir(old_cwd.c_str()), 0);
        media_test::TearDown();
    }
    static void set_name(const std::string& s) {
        for (int i = 0; i < 8; i++) name_chars[i] = static_cast<unsigned char>(s[i]);
    }
    static std::string name() {
        std::string s;
        for (int c : name_chars) s.push_back(char(c));
        return s;
    }
    // Runs the screen; step(frame) runs after each presented frame and its input is read
    // by the next one. A screen that never ends fails instead of hanging.
    int run(std::function<void(int)> step) {
        frames = 0;
        headless_on_present([&](int) {
            frames++;
            if (frames > 3000) {
                ADD_FAILURE() << "the screen did not end";
                headless_key_tap(RET);
                return;
            }
            step(frames);
        });
        int rank = name_entry();
        headless_on_present(nullptr);
        return rank;
    }
    // Holds a key and records every code cell 0 takes, until it has reached stop `hits` times.
    std::vector<int> cycle(int key, int stop, int hits, std::vector<int>* gaps = nullptr) {
        std::vector<int> seen = {name_chars[0]};
        int last_change = 0, stops = 0;
        run([&](int f) {
            if (f == 1) headless_key(key, true);
            if (name_chars[0] != seen.back()) {
                seen.push_back(name_chars[0]);
                if (gaps && last_change) gaps->push_back(f - last_change);
                last_change = f;
                if (name_chars[0] == stop && ++stops == hits) {
                    headless_key(key, false);
                    headless_key_tap(RET);
                }
            }
        });
        return seen;
    }
};

std::vector<int> down_cycle() {
    std::vector<int> v;
    for (int c = 65; c <= 96; c++) v.push_back(c);
    for (int c = 123; c <= 126; c++) v.push_back(c);
    for (int c = 33; c <= 64; c++) v.push_back(c);
    v.push_back(32);
    return v;
}

} // namespace

TEST_F(name_entry_screen, typed_keys_fill_the_cells_and_the_entry_is_saved_at_once) {
    score = 3800;
    set_name("ZZZZZZZZ"); // the previous game's name is offered again
    int rank = run([](int f) {
        switch (f) {
        case 1:
            headless_key_tap('B');
            break;
        case 2:
            headless_key(LSHIFT, true), headless_key_tap('O');
            break;
        case 3:
            headless_key(LSHIFT, false), headless_key_tap('7');
            break;
        case 4:
            headless_key_tap(SPACE);
            break;
        case 5:
            headless_key_tap(RET);
            break;
        }
    });
    EXPECT_EQ(frames, 5); // Return is read in the frame it is hit
    EXPECT_EQ(rank, 3);
    EXPECT_EQ(name(), "bO7 ZZZZ");
    EXPECT_EQ(hiscore_names[3][1], "bO7 ZZZZ");
    EXPECT_EQ(hiscore_times[3][1], "1 mn, 10 secs");
    EXPECT_EQ(hiscore_scores[3][1], 3800);
    EXPECT_EQ(lowest_top_score, 1000);
    EXPECT_EQ(menu_cooldown, 20);
    hiscores_builtin();
    hiscores_load();
    EXPECT_EQ(hiscore_names[3][1], "bO7 ZZZZ");
    EXPECT_EQ(hiscore_scores[4][1], 3500);
}

TEST_F(name_entry_screen, two_keys_typed_in_one_frame_fill_two_cells) {
    run([](int f) {
        if (f == 1) headless_key_tap('K'), headless_key_tap('A');
        if (f == 4) headless_key_tap(RET);
    });
    EXPECT_EQ(name(), "ak      ");
}

TEST_F(name_entry_screen, left_from_the_first_cell_wraps_to_the_last_and_typing_wraps_back) {
    run([](int f) {
        if (f == 1) headless_key_tap(LEFT);
        if (f == 2) headless_key_tap('X');
        if (f == 3) headless_key_tap('Y');
        if (f == 4) headless_key_tap(RIGHT);
        if (f == 5) headless_key_tap('Q');
        if (f == 6) headless_key_tap(RET);
    });
    EXPECT_EQ(name(), "y q    x");
}

TEST_F(name_entry_screen, down_walks_capitals_then_symbols_then_the_space) {
    std::vector<int> gaps;
    std::vector<int> seen = cycle(DOWN, 65, 2, &gaps);
    std::vector<int> want = {32};
    for (int c : down_cycle()) want.push_back(c);
    want.push_back(65);
    EXPECT_EQ(seen, want);
    for (int g : gaps) EXPECT_EQ(g, 8); // held, it repeats at the cooldown's pace
}

TEST_F(name_entry_screen, up_walks_the_same_cycle_backwards) {
    std::vector<int> seen = cycle(UP, 32, 1);
    std::vector<int> want = {32};
    auto d = down_cycle();
    for (auto it = d.rbegin() + 1; it != d.rend(); ++it) want.push_back(*it);
    want.push_back(32);
    EXPECT_EQ(seen, want);
}

TEST_F(name_entry_screen, lowercase_letters_step_out_to_the_symbols) {
    set_name("a       ");
    EXPECT_EQ(cycle(UP, 126, 1)[1], 32);
    set_name("z       ");
    EXPECT_EQ(cycle(DOWN, 65, 1)[1], '[');
    set_name("m       ");
    EXPECT_EQ(cycle(DOWN, 65, 1)[1], 'n');
}

TEST_F(name_entry_screen, the_pad_steps_at_once_per_push_and_repeats_when_held) {
    headless_joy_plug(0, true);
    std::vector<int> changed;
    int last = name_chars[0];
    run([&](int f) {
        if (name_chars[0] != last) changed.push_back(f), last = name_chars[0];
        if (f == 1) headless_joy_slot(0, 1, 1.0f);  // left stick down
        if (f == 2) headless_joy_slot(0, 1, 0.25f); // inside the dead zone: at rest
        if (f == 3) headless_joy_slot(0, 1, 1.0f);  // pushed again during the cooldown
        if (f == 20) headless_joy_slot(0, 1, 0.0f);
        if (f == 30) headless_key_tap(RET);
    });
    std::vector<int> want = {2, 4, 12, 20};
    EXPECT_EQ(changed, want);
    EXPECT_EQ(name_chars[0], 65 + 3);
}

TEST_F(name_entry_screen, the_right_stick_flips_the_case_once_per_cooldown) {
    headless_joy_plug(0, true);
    set_name("a       ");
    std::vector<int> seen = {name_chars[0]};
    run([&](int f) {
        if (name_chars[0] != seen.back()) seen.push_back(name_chars[0]);
        if (f == 1) headless_joy_slot(0, 2, -1.0f); // fire vertical
        if (f == 18) headless_joy_slot(0, 2, 0.0f);
        if (f == 25) headless_key_tap(RET);
    });
    std::vector<int> want = {'a', 'A', 'a'};
    EXPECT_EQ(seen, want);
}

TEST_F(name_entry_screen, the_mouse_bomb_button_ends_it) {
    run([](int f) {
        if (f == 3)
            headless_mouse_button(mouse_bomb, true), headless_mouse_button(mouse_bomb, false);
    });
    EXPECT_EQ(frames, 3);
}

TEST_F(name_entry_screen, the_pad_bomb_button_ends_it_only_after_the_cooldown) {
    headless_joy_plug(0, true);
    control_type = CONTROL_JOYPAD;
    run([](int f) {
        if (f == 1) headless_joy_button(0, joypad_bomb_button, true);
    });
    EXPECT_EQ(frames, 20);
}

TEST_F(name_entry_screen, the_pad_bomb_button_is_ignored_by_the_keyboard_scheme) {
    headless_joy_plug(0, true);
    run([](int f) {
        if (f == 1) headless_joy_button(0, joypad_bomb_button, true);
        if (f == 40) headless_key_tap(RET);
    });
    EXPECT_EQ(frames, 40);
}

TEST_F(name_entry_screen, texts_and_underlines_sit_where_the_layout_puts_them) {
    std::vector<draw_record> frame3;
    run([&](int f) {
        if (f == 1) headless_key_tap(RIGHT);
        if (f == 2) draw_log.clear(), draw_log_enabled = true;
        if (f == 3) {
            draw_log_enabled = false;
            frame3 = draw_log;
            headless_key_tap(RET);
        }
    });
    auto line_at = [&](float x, float y) -> const draw_record* {
        for (auto& r : frame3)
            if (r.op == OP_LINE && r.x == x && r.y == y) return &r;
        return nullptr;
    };
    // The first stroke of each text's first letter, at the centre of 1024 x 768 minus offsets.
    struct {
        float x, y;
        int white;
    } anchors[] = {
        {262, 84, 1},  // Congratulations!
        {262, 134, 1}, // You are in the top 10.
        {262, 184, 1}, // Difficulty Level: Medium
        {312, 284, 0}, // Score:
        {312, 334, 0}, // Time:
        {312, 384, 0}, // Name:
        {262, 484, 1}, // Up and Down ...
        {262, 534, 1}, // Left and Right ...
        {262, 584, 1}, // Press Enter ...
    };
    for (auto a : anchors) {
        const draw_record* r = line_at(a.x, a.y);
        ASSERT_NE(r, nullptr) << a.x << "," << a.y;
        EXPECT_EQ(r->r, a.white * 255) << a.y;
        EXPECT_EQ(r->g, 255) << a.y;
        EXPECT_EQ(r->b, a.white * 255) << a.y;
    }
    // "Name:  " draws its N from row 0 to row 6 at scale 3.
    EXPECT_FLOAT_EQ(line_at(312, 384)->y2, 384 + 18);
    for (int i = 0; i < 8; i++) {
        const draw_record* r = line_at(float(417 + 15 * i), 406);
        ASSERT_NE(r, nullptr) << i;
        EXPECT_FLOAT_EQ(r->x2, float(429 + 15 * i));
        EXPECT_FLOAT_EQ(r->y2, 406);
        EXPECT_EQ(r->r, i == 1 ? 255 : 0) << i; // the cursor's cell is yellow
        EXPECT_EQ(r->g, 255);
        EXPECT_EQ(r->b, 0);
    }
}

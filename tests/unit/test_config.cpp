#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

// Runs each test in a scratch folder, with every setting at its default.
class config_file : public ::testing::Test {
protected:
    scratch_cwd dir;
    void SetUp() override {
        reset_defaults();
    }
    void TearDown() override {
        reset_defaults();
    }
    static void reset_defaults() {
        windowed = 0;
        control_type = 0;
        sfx_volume = music_volume = 0.5f;
        inertia = 0;
        mouse_sensitivity = 0.5f;
        grid_opacity = 0.85f;
        particle_count = 2048;
        particle_life = 40;
        particle_decay = 0.95f;
        gfx_set = 0;
        difficulty = 1;
        used_port = 0;
        grid_spacing = 2;
        show_stars = 300;
        full_grid = 1;
        for (auto& p : joypads) p = bbjoypad{};
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        text_file* f = file_open_read("Config.txt");
        while (f && !file_eof(f)) out.push_back(file_read_line(f));
        if (f) file_close(f);
        return out;
    }
    void write(const std::vector<std::string>& ls) {
        std::string s;
        for (auto& l : ls) s += l + "\r\n";
        dir.write("Config.txt", s);
    }
};

} // namespace

TEST_F(config_file, defaults_write_278_classic_lines_in_order_then_the_frame_rate_and_glow) {
    ASSERT_EQ(config_save(), 1);
    EXPECT_EQ(status_message, "Config file saved.");
    auto l = lines();
    ASSERT_EQ(l.size(), 282u);
    EXPECT_EQ(l[278], "[Frame Rate]");
    EXPECT_EQ(l[279], "0");
    EXPECT_EQ(l[280], "[Glow]");
    EXPECT_EQ(l[281], "0");
    EXPECT_EQ(l[0], "[Windowed]");
    EXPECT_EQ(l[1], "False");
    EXPECT_EQ(l[2], "[Control Type]");
    EXPECT_EQ(l[3], "Dual Analog");
    EXPECT_EQ(l[4], "[Hybrid Config]");
    EXPECT_EQ(l[40], "[SFX Volume]");
    EXPECT_EQ(l[41], "50");
    EXPECT_EQ(l[52], "[Grid Opacity]");
    EXPECT_EQ(l[53], "85");
    EXPECT_EQ(l[78], "[Particle Decay]");
    EXPECT_EQ(l[79], "0.949999988");
    EXPECT_EQ(l[92], "[Used Port]");
    EXPECT_EQ(l[94], "[Joy Port]");
    EXPECT_EQ(l[95], "0");
    EXPECT_EQ(l[96], "[Joy Move X]");
    EXPECT_EQ(l[97], "1");
    EXPECT_EQ(l[112], "[Joy Move X Scale]");
    EXPECT_EQ(l[113], "1");
    EXPECT_EQ(l[120], "[Joy Move X Center]");
    EXPECT_EQ(l[121], "0.00000000");
    EXPECT_EQ(l[138], "[Joy Bomb]");
    EXPECT_EQ(l[139], "2");
    EXPECT_EQ(l[140], "[Joy Port]");
    EXPECT_EQ(l[141], "1");
    EXPECT_EQ(dir.read("Config.txt").substr(0, 12), "[Windowed]\r\n");
}

TEST_F(config_file, the_frame_rate_survives_a_round_trip_and_a_file_without_it_means_display) {
    frame_rate = 144;
    ASSERT_EQ(config_save(), 1);
    frame_rate = 0;
    ASSERT_EQ(config_load(), 1);
    EXPECT_EQ(frame_rate, 144);
    auto l = lines();
    l.resize(278); // as the classic game writes it
    std::string classic;
    for (const auto& s : l) classic += s + "\r\n";
    dir.write("Config.txt", classic);
    ASSERT_EQ(config_load(), 1);
    EXPECT_EQ(frame_rate, 144); // a file without the key leaves the setting alone
    for (const char* bad : {"77", "-5", "abc", ""}) {
        dir.write("Config.txt", classic + "[Frame Rate]\r\n" + bad + "\r\n");
        ASSERT_EQ(config_load(), 1);
        EXPECT_EQ(frame_rate, 0) << bad;
        frame_rate = 144;
    }
    frame_rate = 0;
}

TEST_F(config_file, glow_survives_a_round_trip_and_out_of_range_values_are_held_in_range) {
    glow = 2;
    ASSERT_EQ(config_save(), 1);
    glow = 0;
    ASSERT_EQ(config_load(), 1);
    EXPECT_EQ(glow, 2);
    auto l = lines();
    l.resize(280);
    std::string before;
    for (const auto& s : l) before += s + "\r\n";
    for (auto [text, want] : {std::pair{"7", 2}, {"-1", 0}, {"1", 1}, {"x", 0}}) {
        dir.write("Config.txt", before + "[Glow]\r\n" + text + "\r\n");
        ASSERT_EQ(config_load(), 1);
        EXPECT_EQ(glow, want) << text;
    }
    glow = 0;
}

TEST_F(config_file, a_round_trip_keeps_every_setting) {
    windowed = 1;
    control_type = 4;
    key_bomb = 13;
    grid_red = 200;
    inertia = 0.25f;
    particle_decay = 0.5f;
    joypads[2].fire_y_axis = 7;
    joypads[2].invert[1] = -1;
    joypads[2].scale[3] = 255;
    joypads[2].centre[0] = -0.5f;
    joypads[2].dead_zone[2] = 0.2f;
    joypads[2].bomb_button = 9;
    ASSERT_EQ(config_save(), 1);
    reset_defaults();
    key_bomb = 32;
    grid_red = 1;
    inertia = 0;
    ASSERT_EQ(config_load(), 1);
    EXPECT_EQ(status_message, "Config file loaded.");
    EXPECT_EQ(windowed, 1);
    EXPECT_EQ(control_type, 4);
    EXPECT_EQ(key_bomb, 13);
    EXPECT_EQ(grid_red, 200);
    EXPECT_FLOAT_EQ(inertia, 0.25f);
    EXPECT_FLOAT_EQ(particle_decay, 0.5f);
    EXPECT_EQ(joypads[2].fire_y_axis, 7);
    EXPECT_EQ(joypads[2].invert[1], -1);
    EXPECT_EQ(joypads[2].scale[3], 255.0f);
    EXPECT_FLOAT_EQ(joypads[2].centre[0], -0.5f);
    EXPECT_FLOAT_EQ(joypads[2].dead_zone[2], 0.2f);
    EXPECT_EQ(joypads[2].bomb_button, 9);
    EXPECT_EQ(joypads[1].fire_y_axis, 3);
}

TEST_F(config_file, percentages_truncate_when_written) {
    sfx_volume = 0.57f;
    config_save();
    EXPECT_EQ(lines()[41], "56");
    sfx_volume = 0.5f;
    config_load();
    EXPECT_FLOAT_EQ(sfx_volume, 0.56f);
}

TEST_F(config_file, values_read_as_their_kind_says) {
    write({"[Windowed]", "true", "[Control Type]", "joypad", "[Particle Count]", "20000",
           "[Particle Life]", "-5", "[Gfx Set]", "7", "[Particle Decay]", "2",
           "[Key Bomb]", "1.00000000", "[Music Volume]", "abc", "[Joy Port]", "1",
           "[Joy Move X Scale]", "2.5", "[Joy Move Y Scale]", "0", "[Joy Fire Y Inverted]", "-1",
           "[Joy Fire X Inverted]", "2", "[Joy Move Y Inverted]", "0", "[Joy Move X Center]", "1.5",
           "[Joy Move Y Center]", "-1"});
    ASSERT_EQ(config_load(), 1);
    EXPECT_EQ(windowed, 1);
    EXPECT_EQ(control_type, 3);
    EXPECT_EQ(particle_count, 10000);
    EXPECT_EQ(particle_life, -5);
    EXPECT_EQ(gfx_set, 0);
    EXPECT_FLOAT_EQ(particle_decay, 0.9999f);
    EXPECT_EQ(key_bomb, 1);
    EXPECT_EQ(music_volume, 0.0f);
    EXPECT_EQ(joypads[1].scale[0], 2.0f);
    EXPECT_EQ(joypads[1].scale[1], 1.0f);
    EXPECT_EQ(joypads[1].invert[3], -1);
    EXPECT_EQ(joypads[1].invert[2], 1);
    EXPECT_EQ(joypads[1].invert[1], 1);
    EXPECT_EQ(joypads[1].centre[0], 0.0f);
    EXPECT_EQ(joypads[1].centre[1], -1.0f);
}

TEST_F(config_file, only_exact_true_means_windowed_and_unknown_names_change_nothing) {
    for (const char* v : {"TRUE", "True", "tRuE"}) {
        windowed = 0;
        write({"[Windowed]", v});
        config_load();
        EXPECT_EQ(windowed, 1) << v;
    }
    for (const char* v : {"yes", "1", "True ", ""}) {
        windowed = 1;
        write({"[Windowed]", v});
        config_load();
        EXPECT_EQ(windowed, 0) << v;
    }
    control_type = 2;
    write({"[Control Type]", "Steering wheel"});
    config_load();
    EXPECT_EQ(control_type, 2);
}

TEST_F(config_file, keys_must_match_exactly_and_the_last_one_wins) {
    write({"[Key Bomb] ", "99", "[key bomb]", "98", "[Key Bomb]", "40", "[Key Bomb]", "41"});
    config_load();
    EXPECT_EQ(key_bomb, 41);
}

TEST_F(config_file, indices_stay_inside_their_tables) {
    write({"[Difficulty]", "7", "[Used Port]", "9", "[Grid Spacing]", "5", "[Show Stars]", "5000",
           "[Mouse Fire]", "-3", "[Particle Style]", "12", "[Hybrid Config]", "4",
           "[Grid Green]", "999", "[Mouse Sensitivity]", "-10", "[Inertia]", "250", "[Joy Port]", "0",
           "[Joy Move X]", "40", "[Joy Move Y]", "-2"});
    config_load();
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(used_port, 3);
    EXPECT_EQ(grid_spacing, 3);
    EXPECT_EQ(show_stars, 1000);
    EXPECT_EQ(mouse_fire, 0);
    EXPECT_EQ(particle_style, 3);
    EXPECT_EQ(hybrid_config, 2);
    EXPECT_EQ(grid_green, 255);
    EXPECT_EQ(mouse_sensitivity, 0.0f);
    EXPECT_EQ(inertia, 1.0f);
    EXPECT_EQ(joypads[0].move_x_axis, 15);
    EXPECT_EQ(joypads[0].move_y_axis, 0);
    write({"[Show Stars]", "-4"});
    config_load();
    EXPECT_EQ(show_stars, 0);
}

TEST_F(config_file, joypad_blocks_for_unknown_ports_are_consumed_and_dropped) {
    std::vector<std::string> ls = {"[Joy Port]", "9", "[Joy Bomb]", "5", "[Joy Option]", "6"};
    for (int i = 2; i < 22; i++) ls.insert(ls.end(), {"x", "y"});
    ls.insert(ls.end(), {"[Key Bomb]", "77"});
    write(ls);
    config_load();
    for (auto& p : joypads) {
        EXPECT_EQ(p.bomb_button, 2);
        EXPECT_EQ(p.option_button, 1);
    }
    EXPECT_EQ(key_bomb, 77); // the pair after the 22 block pairs is read as a main key
}

TEST_F(config_file, short_and_truncated_files_load) {
    write({"[Joy Port]", "1", "[Joy Bomb]", "7"});
    EXPECT_EQ(config_load(), 1);
    EXPECT_EQ(joypads[1].bomb_button, 7);
    dir.write("Config.txt", "[Difficulty]\r\n0\r\n[Inertia]");
    EXPECT_EQ(config_load(), 1);
    EXPECT_EQ(difficulty, 0);
    dir.write("Config.txt", "");
    EXPECT_EQ(config_load(), 1);
}

TEST_F(config_file, a_missing_file_changes_nothing) {
    key_bomb = 50;
    EXPECT_EQ(config_load(), 0);
    EXPECT_EQ(status_message, "Config load failed.");
    EXPECT_EQ(status_message_timer, 120);
    EXPECT_EQ(key_bomb, 50);
}

TEST_F(config_file, a_failed_save_leaves_the_old_file) {
    dir.write("Config.txt", "old");
    std::filesystem::create_directory(dir.path / "Config.txt.tmp");
    EXPECT_EQ(config_save(), 0);
    EXPECT_EQ(dir.read("Config.txt"), "old");
}

TEST_F(config_file, a_read_only_file_is_read_and_never_replaced) {
    write({"[Difficulty]", "2", "[Key Bomb]", "66"});
    std::string before = dir.read("Config.txt");
    namespace fs = std::filesystem;
    fs::permissions(dir.path / "Config.txt",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(config_load(), 1);
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(key_bomb, 66);
    key_bomb = 32;
    status_message.clear();
    EXPECT_EQ(config_save(), 0);
    EXPECT_EQ(dir.read("Config.txt"), before);
    EXPECT_EQ(status_message, "") << "the exit save says nothing";
}

#include "playfield/grid.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "support/headless_env.h"
#include "support/temp_dir.h"

#include <unistd.h>

namespace {
class display_setup : public media_test {
protected:
    scratch_cwd dir;
    void SetUp() override {
        media_test::SetUp();
        windowed = 0;
        scroll = 0;
        cfg_screen_width = 1024;
        cfg_screen_height = 768;
        cfg_field_width = 1024;
        cfg_field_height = 768;
        grid_spacing = 2;
        gfx_modes_build();
        gfx_modes_select();
    }
    void TearDown() override {
        media_test::TearDown();
    }
};
} // namespace

TEST_F(display_setup, the_mode_table_has_34_entries_and_entry_0_is_the_configured_size) {
    cfg_screen_width = 1000;
    cfg_screen_height = 700;
    gfx_modes_build();
    EXPECT_EQ(gfx_modes[0].width, 1000);
    EXPECT_EQ(gfx_modes[0].label, "1000X700");
    EXPECT_EQ(gfx_modes[8].name, "XGA");
    EXPECT_EQ(gfx_modes[3].name, "????");
    EXPECT_EQ(gfx_modes[16].name, gfx_modes[18].name);
    EXPECT_EQ(gfx_modes[33].label, "5120X4096");
    EXPECT_EQ(field_sizes[24][0], 1920);
    EXPECT_EQ(field_sizes[24][1], 1200);
}

TEST_F(display_setup, selection_takes_the_last_matching_entry) {
    cfg_screen_width = 1024;
    cfg_screen_height = 768;
    gfx_modes_build();
    gfx_modes_select();
    EXPECT_EQ(gfx_mode_index, 8); // entry 0 matches too, but 8 comes later
    cfg_screen_width = 1111;
    gfx_modes_build();
    gfx_modes_select();
    EXPECT_EQ(gfx_mode_index, 0);
    EXPECT_EQ(field_size_index, 0);
}

TEST_F(display_setup, opening_sizes_the_grid_and_a_big_playfield_forces_scrolling) {
    cfg_field_width = 1920;
    cfg_field_height = 1200;
    gfx_modes_build();
    gfx_modes_select();
    camera_x = 55;
    ASSERT_EQ(display_open(), 1);
    EXPECT_EQ(screen_width, 1024);
    EXPECT_EQ(field_width, 1920);
    EXPECT_EQ(scroll, 1);
    EXPECT_EQ(camera_x, 0);
    EXPECT_EQ(grid_cols, 120);
    EXPECT_EQ(grid_rows, 75);
    EXPECT_NE(screen_image, nullptr);
    EXPECT_EQ(image_width(screen_image), 1024);
    EXPECT_FALSE(file_exists("errors.txt"));
}

TEST_F(display_setup, a_smaller_playfield_does_not_force_scrolling) {
    cfg_field_width = 800;
    cfg_field_height = 600;
    gfx_modes_build();
    gfx_modes_select();
    ASSERT_EQ(display_open(), 1);
    EXPECT_EQ(scroll, 0);
}

TEST_F(display_setup, a_failure_writes_only_the_last_error_and_stops_there) {
    grid_cols = 7;
    gfx_mode_index = 33; // 5120 x 4096: no display at all to show it on
    headless_refuse_open(true);
    EXPECT_EQ(display_open(), 0);
    EXPECT_EQ(dir.read("errors.txt"), "Can not set graphics mode: Fullscreen - 5120X4096\r\n");
    EXPECT_EQ(grid_cols, 7); // nothing after the mode check ran
    headless_refuse_open(false);
    windowed = 1;
    headless_set_desktop(1920, 1200); // a window larger than the desktop
    EXPECT_EQ(display_open(), 0);
    EXPECT_EQ(dir.read("errors.txt"), "Can not set graphics mode: Windowed - 5120X4096\r\n");
    headless_refuse_open(true);
    gfx_mode_index = 8;
    EXPECT_EQ(display_open(), 0);
    EXPECT_EQ(dir.read("errors.txt"), "Can not set graphics mode: Windowed - 1024X768\r\n");
}

TEST_F(display_setup, a_window_that_fits_the_desktop_opens_without_a_listed_mode) {
    windowed = 1;
    headless_set_modes({{1920, 1080, 32, 60}});
    headless_set_desktop(1920, 1080);
    gfx_mode_index = 8;
    EXPECT_EQ(display_open(), 1);
    EXPECT_EQ(display_width(), 1024);
    windowed = 0;
    gfx_mode_index = 33;
    EXPECT_EQ(display_open(), 1); // full screen fits any size of the table onto the desktop
    EXPECT_EQ(display_width(), 5120);
}

TEST_F(display_setup, start_up_falls_back_to_the_largest_window_that_fits) {
    windowed = 1;
    headless_set_modes({{1280, 1024, 32, 60}});
    headless_set_desktop(1280, 1024);
    cfg_screen_width = 1920;
    cfg_screen_height = 1200;
    gfx_modes_build();
    gfx_modes_select();
    EXPECT_TRUE(display_start());
    EXPECT_EQ(screen_width, 1280);
    EXPECT_EQ(screen_height, 1024);
    EXPECT_EQ(windowed, 1);
    EXPECT_EQ(cfg_screen_width, 1280); // saved so the next start opens at once
    EXPECT_TRUE(file_exists("errors.txt"));
}

// A power-up in the real play frame: the token that 5000 points drop, drawn with its star, and
// the name of what it gave in the bottom line while that line's timer still runs. The frames
// are kept for a human to look at (and copied where the smoke tests keep theirs).
#include "audio/sound_bank.h"
#include "media/image_png.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/vector_text.h"
#include "window_fixture.h"

#include <unistd.h>


namespace {

class powerup_window : public window_test {
  protected:
    void SetUp() override {
        window_test::SetUp();
        windowed = 1;
        cfg_screen_width = cfg_field_width = 1024;
        cfg_screen_height = cfg_field_height = 768;
        gfx_modes_build();
        gfx_modes_select();
        // The image set is the staged game's.
        char cwd[4096];
        ASSERT_TRUE(getcwd(cwd, sizeof cwd));
        ASSERT_EQ(chdir(VEX_SOURCE_DIR "/game"), 0);
        int ok = display_open();
        ASSERT_EQ(chdir(cwd), 0);
        ASSERT_EQ(ok, 1);
        sfx_volume = 0;
        vector_text_init();
    }
    void TearDown() override {
        clear_board(1);
        ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    }
    std::vector<uint8_t> frame_kept(const std::string& name) {
        clear_screen();
        draw_frame();
        std::vector<uint8_t> px = snap_kept(name, 1024, 768);
        flip();
        return px;
    }
    // The brightest green of the bottom line, where the message is drawn.
    static int bottom_green(const std::vector<uint8_t>& px) {
        int best = 0;
        for (int y = 768 - 40; y < 768 - 4; y++)
            for (int x = 300; x < 724; x++) best = std::max(best, int(px[(y * 1024 + x) * 4 + 1]));
        return best;
    }
};

} // namespace

TEST_F(powerup_window, the_token_of_5000_points_shows_and_its_name_takes_the_bottom_line) {
    difficulty = 1;
    new_game();
    clear_board(1);
    god_mode = 1;
    player_x = 512, player_y = 384;
    add_score(512, 384, next_powerup_score, 0);
    powerup* token = powerups.first();
    ASSERT_NE(token, nullptr);
    token->x = 700, token->y = 300;
    token->delay = 0;
    for (int i = 0; i < 20; i++) draw_frame(); // the start message runs down to its last half
    std::vector<uint8_t> dropped = frame_kept("powerup_dropped.png");
    // The token's star is drawn around it.
    int lit = 0;
    for (int y = 280; y < 320; y++)
        for (int x = 680; x < 720; x++) lit += dropped[(y * 1024 + x) * 4] > 60;
    EXPECT_GT(lit, 40);

    token->x = player_x, token->y = player_y;
    world_update(0);
    EXPECT_EQ(powerups.first(), nullptr) << "collected and removed";
    std::string name = bottom_message;
    EXPECT_NE(name.rfind("Power Up at ", 0), 0u) << "the collected name replaced the line";
    std::vector<uint8_t> collected = frame_kept("powerup_collected.png");
    EXPECT_GT(bottom_green(collected), 200);
    god_mode = 0;
}

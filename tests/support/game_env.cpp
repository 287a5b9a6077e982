#include "support/game_env.h"

#include "controls/config.h"
#include "shell/game.h"
#include "shell/game_state.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
void throw_on_close() { throw left_the_program{}; }
} // namespace

void game_test::SetUp() {
    char buf[4096];
    old_cwd = getcwd(buf, sizeof buf);
    const char* game = std::getenv("VEX_GAME_DIR");
    if (game)
        for (const char* sub : {"gfx", "sounds", "music"})
            if (fs::exists(fs::path(game) / sub)) fs::create_directory_symlink(fs::path(game) / sub, dir.path / sub);
    ASSERT_EQ(chdir(dir.path.c_str()), 0);
    settings_defaults();
    ASSERT_TRUE(media_init());
}

void game_test::TearDown() {
    headless_on_present(nullptr);
    headless_on_clear(nullptr);
    headless_on_step_begin(nullptr);
    game_shutdown();
    media_shutdown();
    ASSERT_EQ(chdir(old_cwd.c_str()), 0);
}

void game_test::start() {
    game_started = game_over = freeze_actors = 0;
    menu_cooldown = 30;
    ASSERT_TRUE(game_startup());
    set_close_handler(throw_on_close);
}

void game_test::play(std::function<void(int)> step) {
    frame = 0;
    queued.clear();
    headless_on_present([this, step](int) {
        frame++;
        if (frame > max_frames) throw left_the_program{};
        if (!queued.empty()) {
            tap(queued.front());
            queued.erase(queued.begin());
            return;
        }
        step(frame);
    });
    run_game();
    headless_on_present(nullptr);
}

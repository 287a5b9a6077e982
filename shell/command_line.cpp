// The program's options: with none it is the game; each option does one thing and leaves,
// with one line of output a script can read and exit 0, 1 (out of sync) or 2 (bad input).
#include "shell/command_line.h"

#include "audio/music.h"
#include "controls/config.h"
#include "media/media.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/vector_text.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const usage = "usage: vexlume2 [--replay FILE | --verify FILE | --help | --version]\n";

const char* const help =
    "Vexlume 2, an arcade shooter. With no option it starts the game.\n"
    "\n"
    "  --replay FILE   watch a recorded game (.vxr), then leave\n"
    "  --verify FILE   play a recorded game without a window as fast as it runs and say\n"
    "                  \"verified: score S, N steps\" (exit 0), \"out of sync at step N\"\n"
    "                  (exit 1), or why the file cannot be played (exit 2)\n"
    "  --help          this text and where the game keeps its files\n"
    "  --version       the game's version, the version of its rules and its folders\n"
    "\n"
    "Every game is kept as last.vxr in the replays folder below, and each top-ten game\n"
    "beside it.\n";

const char* const layout_names[] = {"everything in the working directory",
                                    "everything in the program's folder", "installed"};

// Where this copy of the game reads and writes on this machine.
void print_folders() {
    const game_folders& f = folders();
    auto in = [](const std::string& folder, const char* name) {
        return folder_shown(folder) + "/" + name;
    };
    std::printf("\nFolders (%s):\n", layout_names[f.layout]);
    std::string assets = folder_shown(f.assets);
    std::printf("  assets    %s/{gfx,sounds,music}%s\n", assets.c_str(),
                file_exists(asset_path("gfx")) ? "" : " (not found)");
    std::printf("  settings  %s\n", in(f.settings, "Config.txt").c_str());
    std::printf("  scores    %s\n", in(f.data, "hiscores.dat").c_str());
    std::printf("  replays   %s/\n", in(f.data, "replays").c_str());
}

// Reads a replay, or says on stdout why not.
bool load(const std::string& path, replay_data& r) {
    std::string reason;
    switch (replay_load(path, r, reason)) {
    case REPLAY_OK: return true;
    case REPLAY_OTHER_RULES:
        std::printf("recorded by another rules version: %s (this game plays rules %u)\n",
                    reason.c_str(), RULES_VERSION);
        return false;
    case REPLAY_BAD: break;
    }
    std::printf("not a replay: %s\n", reason.c_str());
    return false;
}

int verify(const std::string& path) {
    replay_data r;
    if (!load(path, r)) return 2;
    // No window, no sound device, no tunes: only the game's steps.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!media_init()) {
        std::printf("cannot start\n");
        return 2;
    }
    set_world_step_handler(replay_step_done);
    music_off = true;
    replay_checking = true;
    world_blind = true;
    gfx_modes_build();
    std::string verdict = watch_replay(r);
    media_shutdown();
    if (verdict.rfind("Replay verified", 0) == 0) {
        std::printf("verified: score %d, %u steps\n", r.end_score, r.end_steps);
        return 0;
    }
    std::printf("out of sync at step %s\n", verdict.substr(verdict.rfind(' ') + 1).c_str());
    return 1;
}

int watch(const std::string& path) {
    replay_data r;
    if (!load(path, r)) return 2;
    if (!media_init()) {
        std::fprintf(stderr, "vexlume2: cannot start the media layer\n");
        return 2;
    }
    if (!game_startup()) {
        std::fprintf(stderr, "vexlume2: cannot open any display (see %s)\n",
                     data_path("errors.txt").c_str());
        media_shutdown();
        return 2;
    }
    part_init();
    std::string verdict = watch_replay(r);
    game_shutdown();
    media_shutdown();
    std::printf("%s\n", verdict.c_str());
    return verdict.rfind("Replay out of sync", 0) == 0 ? 1 : 0; // stopped by the viewer is fine
}

} // namespace

int command_line_main(int argc, char** argv) {
    folders_choose();
    if (argc <= 1) return game_main();
    std::string opt = argv[1];
    if (argc == 2 && opt == "--help") {
        std::fputs(help, stdout);
        print_folders();
        return 0;
    }
    if (argc == 2 && opt == "--version") {
        std::printf("vexlume2 %s (rules %u, replay format %d)\n", VEX_VERSION, RULES_VERSION,
                    REPLAY_FORMAT);
        print_folders();
        return 0;
    }
    if (argc == 3 && opt == "--verify") return verify(argv[2]);
    if (argc == 3 && opt == "--replay") return watch(argv[2]);
    std::fputs(usage, stderr);
    return 2;
}

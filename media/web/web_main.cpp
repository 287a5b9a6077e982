// The page's program: the usual command line (with none, the game), and one reading of where
// the game stands for the page's status line and its tests in a real browser.
#include "controls/menu.h"
#include "media/media.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/command_line.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/screens.h"

#include <emscripten.h>

#include <string>

// "screen|menu title|world steps|score|lives|ship x|ship y|shots": the screen's loop, the
// open menu (or nothing), the steps the world has run, and the game in play.
extern "C" EMSCRIPTEN_KEEPALIVE const char* web_state() {
    static std::string s;
    s = std::string(screen_name) + "|" + (menu_open ? menu_open->title : std::string());
    for (double v : {double(world_steps_begun), double(score), double(lives), double(player_x),
                     double(player_y), double(shots.size())})
        s += "|" + std::to_string(int64_t(v));
    return s.c_str();
}

int main(int argc, char** argv) { return command_line_main(argc, argv); }

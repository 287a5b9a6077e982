#include "shell/state_log.h"

#include "controls/menu.h"
#include "media/media.h"
#include "shell/game_state.h"
#include "shell/screens.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::FILE* states = nullptr;
std::FILE* frames = nullptr;
std::string last_state;
long presented = 0;

std::string state_now() {
    std::string s = screen_name;
    if (const menu* m = menu_open) {
        s += " | " + m->title + " | ";
        if (m->selected >= 0 && size_t(m->selected) < m->rows.size())
            s += m->rows[size_t(m->selected)].label;
    }
    return s;
}

void note_frame() {
    std::string s = state_now();
    if (s != last_state) {
        last_state = s;
        std::fprintf(states, "%s\n", s.c_str());
        std::fflush(states);
    }
    // Both counts only grow within a game, and the line keeps its length or grows: written
    // over the last one it leaves no stale digits.
    std::rewind(frames);
    std::fprintf(frames, "%ld %10d\n", ++presented, frame_count);
    std::fflush(frames);
}

} // namespace

void state_log_start() {
    const char* path = std::getenv("VEX_STATE_LOG");
    if (!path || !*path || states) return;
    states = std::fopen(path, "w");
    frames = std::fopen((std::string(path) + ".frames").c_str(), "w");
    if (states && frames) set_present_watcher(note_frame);
}

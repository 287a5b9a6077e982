#include "shell/replays_screen.h"

#include "audio/music.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/menu.h"
#include "controls/settings_screens.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "shell/vector_text.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int replays_difficulty = 1;
std::string replays_note;

namespace {

constexpr int note_frames = 150; // a refusal or a verdict stays up three seconds

stick_latch tables_stick; // the move stick across turns the tables, once per deflection

// Up to a title, the table's line, twelve rows and the note: 40 pixels apart where they fit.
int row_gap() { return std::clamp((screen_height - 54) / 14, 24, 40); }

// Rank, name and score, the score's last digit in one column whatever its length.
std::string rank_label(int d, int rank) {
    std::string n = std::to_string(rank + 1), points = std::to_string(hiscore_scores[rank][d]);
    std::string name = hiscore_names[rank][d];
    if (name.size() < 8) name.resize(8, ' ');
    std::string pad(points.size() < 10 ? 10 - points.size() : 0, ' ');
    return std::string(2 - n.size(), ' ') + n + "  " + name + pad + points;
}

bool any_row_kept() {
    for (int d = 0; d < 3; d++)
        for (int rank = 0; rank < 10; rank++)
            if (file_exists(replay_row_path(d, rank))) return true;
    return false;
}

struct listing {
    menu m;
    std::vector<std::string> paths; // each row's record; empty for "Done"
    bool last = false;              // the first row is the last game
    int held = 0;                   // frames the note keeps a refusal or a verdict

    bool done() const { return paths[size_t(m.selected)].empty(); }

    // The rows of the table shown; the selection keeps its place as far as the rows reach.
    void build() {
        int H = screen_height, a = row_gap();
        m.title = "Replays";
        m.title_y = H / 2 - 7 * a - 10;
        m.rows.clear();
        paths.clear();
        auto add = [&](const std::string& label, const std::string& path) {
            menu_row r{label, H / 2 + a * (int(m.rows.size()) - 5)};
            r.scale = a >= 32 ? 4 : 3;
            m.rows.push_back(r);
            paths.push_back(path);
        };
        last = file_exists(replay_last_path());
        if (last) add("Last Game", replay_last_path());
        for (int rank = 0; rank < 10; rank++) {
            std::string p = replay_row_path(replays_difficulty, rank);
            if (file_exists(p)) add(rank_label(replays_difficulty, rank), p);
        }
        add("Done", "");
        m.selected = std::clamp(m.selected, 0, int(m.rows.size()) - 1);
        if (!held) rest_note();
    }

    void hold_note(const std::string& text) {
        replays_note = text;
        held = note_frames;
    }

    void rest_note() {
        if (m.rows.size() > size_t(last ? 2 : 1))
            replays_note.clear();
        else if (last || any_row_kept())
            replays_note = "No replays in this table";
        else
            replays_note = "No replays yet";
    }

    void turn_tables(int d) {
        replays_difficulty = (replays_difficulty + d + 3) % 3;
        // The new table is seen from its top, unless the last game was the one looked at.
        if (!(last && m.selected == 0)) m.selected = last ? 1 : 0;
        build();
        menu_place_pointer(m);
    }

    void draw() {
        int W = screen_width, H = screen_height, a = row_gap();
        set_color(64, 240, 64);
        draw_vector_text(std::string("Top Ten: < ") + difficulty_names[replays_difficulty] + " >",
                         W / 2 - 280, H / 2 - 6 * a, 3);
        set_color(0, 255, 255);
        draw_vector_text(replays_note, W / 2 - 280, H / 2 + 7 * a, 3);
    }
};

// Why a record cannot be played, in one line.
std::string refusal(replay_error status, const std::string& reason) {
    if (status == REPLAY_OTHER_RULES)
        return "Recorded under rules " + reason + ", this game plays rules " +
               std::to_string(RULES_VERSION);
    return "Cannot play: " + reason;
}

// Playing a record runs the game's own loop, which leaves its marks on what the attract screen
// behind the menu shows or goes on with: the last game's score, time and table, the camera,
// the tune. They are put back, and no menu is open while the game plays. Returns the verdict.
std::string watch(const replay_data& r) {
    const char* screen = screen_name;
    const menu* open = menu_open;
    int played = game_difficulty, frames = frame_count, points = score;
    int best = hiscore, lowest = lowest_top_score;
    menu_open = nullptr;
    std::string verdict = watch_replay(r);
    menu_open = open;
    screen_name = screen;
    game_difficulty = played, frame_count = frames, score = points;
    hiscore = best, lowest_top_score = lowest;
    camera_x = camera_y = 0;
    stop_music();
    play_music(0);
    return verdict;
}

// Loads and plays the chosen record, and the list comes back with the verdict under it; a
// refused record says why instead.
void choose(listing& l) {
    replay_data r;
    std::string reason;
    replay_error status = replay_load(l.paths[size_t(l.m.selected)], r, reason);
    switch (status) {
    case REPLAY_OK:
        l.hold_note(watch(r));
        l.build();
        menu_enter(l.m);
        return;
    case REPLAY_OTHER_RULES:
    case REPLAY_BAD:
        l.hold_note(refusal(status, reason));
        break;
    }
    menu_cooldown = 20;
}

} // namespace

void replay_watch_file(const std::string& path) {
    replay_data r;
    std::string reason;
    replay_error status = replay_load(path, r, reason);
    std::string line = status == REPLAY_OK ? watch(r) : refusal(status, reason);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (status != REPLAY_OK) show_verdict(line);
}

void replays_screen() {
    listing l;
    replays_difficulty = difficulty >= 0 && difficulty <= 2 ? difficulty : 1;
    l.build();
    menu_enter(l.m);
    menu_scope open(l.m);
    for (;;) {
        menu_frame_begin(l.m);
        l.draw();
        menu_frame_end(l.m);
        menu_step_rows(l.m);
        // Every source is read each frame, so no press waits for a later one.
        int turn = tables_stick.step(joy_axis(used_port, active_pad.axis[0], active_pad.invert[0],
                                              active_pad.scale[0], active_pad.centre[0]));
        int left = key_hit(37), right = key_hit(39) + mouse_hit(2);
        bool chosen = key_hit(key_bomb) + key_hit(13) + mouse_hit(1) > 0;
        bool back = key_hit(27) > 0;
        chosen = chosen || menu_pad_pressed(l.m);
        if (left) turn = -1;
        if (right) turn = 1;
        menu_cooldown_tick();
        if (l.held > 0 && --l.held == 0) l.rest_note();
        if (back || (chosen && l.done())) {
            screen_leave();
            return;
        }
        if (turn)
            l.turn_tables(turn);
        else if (chosen)
            choose(l);
    }
}

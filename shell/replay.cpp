#include "shell/replay.h"

#include "controls/config.h"
#include "controls/controls.h"
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/menu.h"
#include "media/media.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/world_hash.h"

#include <algorithm>
#include <ctime>
#include <sstream>

replay_mode replay_now = REPLAY_OFF;

namespace {

replay_data record;    // being recorded, or being played back
replay_data finished;  // the last recording closed
replay_step current;   // the step being recorded
uint32_t steps_done = 0;    // steps finished
size_t next_check = 0; // playback: the next checkpoint to meet
uint8_t answered = 0; // playback: answers of the current step taken
uint32_t out_of_sync = 0;
uint32_t verdict = 0;    // playback: 0 matched, else the step where it did not
bool over = false;
bool stopped = false;    // playback: the viewer ended it
bool ended_now = false;  // the game in hand has ended
// What playback borrows and gives back.
std::string players_settings;
int players_switches[3];

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// What shapes a game: Config.txt's lines, then what no file keeps: the award intervals that
// the Game screen sets for the run only, the debug switches, and the playfield in play (a
// Config.txt loaded during a game names the next game's playfield, not this one's).
std::string settings_text() {
    std::vector<std::string> lines = config_lines();
    for (int d = 0; d < 3; d++) {
        lines.push_back("[Free Player " + std::to_string(d) + "]");
        lines.push_back(std::to_string(extra_life_table[d]));
        lines.push_back("[Free Bomb " + std::to_string(d) + "]");
        lines.push_back(std::to_string(extra_bomb_table[d]));
    }
    lines.push_back("[Switches]");
    lines.push_back(std::to_string((cheat_mode ? 1 : 0) | (god_mode ? 2 : 0) | (debug_mode ? 4 : 0)));
    lines.push_back("[Field In Play]");
    lines.push_back(std::to_string(field_width) + " " + std::to_string(field_height));
    return join(lines);
}

// The lines after Config.txt's; the field in play is 0 x 0 when the text does not name it.
void apply_run_lines(const std::vector<std::string>& lines, int& field_w, int& field_h) {
    field_w = field_h = 0;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string& key = lines[i];
        const std::string& value = lines[i + 1];
        for (int d = 0; d < 3; d++) {
            // Out of all reason in a swapped file: the award every kill or never.
            int v = std::clamp(parse_int(value), 1, 1 << 30);
            if (key == "[Free Player " + std::to_string(d) + "]") extra_life_table[d] = v;
            if (key == "[Free Bomb " + std::to_string(d) + "]") extra_bomb_table[d] = v;
        }
        if (key == "[Switches]") {
            int v = parse_int(value);
            cheat_mode = v & 1, god_mode = (v >> 1) & 1, debug_mode = (v >> 2) & 1;
        }
        if (key == "[Field In Play]") {
            std::istringstream in(value);
            int w = 0, h = 0;
            // The limits Config.txt has for a playfield.
            if (in >> w >> h) field_w = std::clamp(w, 64, 16384), field_h = std::clamp(h, 64, 16384);
        }
    }
}

std::string today() {
    std::time_t t = std::time(nullptr);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", std::localtime(&t));
    return buf;
}

void lost_sync() {
    if (!out_of_sync) out_of_sync = steps_done + 1;
    over = true;
}

replay_checkpoint checkpoint_now() {
    return {steps_done, frame_count, score, rnd_state(), world_hash()};
}

// Settings that shape the game: the playfield follows them; an open screen stays as it is.
void apply_settings(const std::string& text) {
    // The viewer's ears and eyes decide how loud it plays and how often it is drawn; the rest
    // is the game as it was.
    float effects = sfx_volume, tunes = music_volume;
    int rate = frame_rate, light = glow;
    std::vector<std::string> lines = split(text);
    config_apply_lines(lines);
    int field_w, field_h;
    apply_run_lines(lines, field_w, field_h);
    sfx_volume = effects;
    music_volume = tunes;
    frame_rate = rate;
    glow = light;
    if (!field_w) field_w = cfg_field_width, field_h = cfg_field_height;
    bool open = display_is_open();
    if (!open) {
        gfx_modes_select();
        apply_sizes();
    }
    if (!open || field_width != field_w || field_height != field_h) {
        field_width = field_w;
        field_height = field_h;
        grid_size(field_width, field_height);
    }
    if (field_width > screen_width || field_height > screen_height) scroll = 1;
}

// Where playback stands: past its end, the record answers nothing.
const replay_step* playing_step() {
    if (steps_done < record.steps.size()) return &record.steps[steps_done];
    over = true;
    return nullptr;
}

void write_file(const replay_data& r) {
    make_folder(replay_folder());
    file_write_bytes(replay_last_path(), replay_encode(r));
}

} // namespace

// Every world step ends here, in play, GET READY and the death sequence alike.
void replay_step_done() {
    if (replay_now == REPLAY_RECORDING) {
        // Past a day the game goes on unrecorded: what was kept is written as it stands.
        if (record.steps.size() >= REPLAY_MAX_STEPS) {
            replay_now = REPLAY_OFF;
            finished = std::move(record);
            write_file(finished);
            return;
        }
        record.steps.push_back(current);
        current = replay_step{};
        steps_done++;
        if (steps_done % REPLAY_CHECKPOINT_EVERY == 0) record.checkpoints.push_back(checkpoint_now());
    } else if (replay_now == REPLAY_PLAYING && !over) {
        steps_done++;
        answered = 0;
        if (next_check < record.checkpoints.size() && record.checkpoints[next_check].step == steps_done) {
            const replay_checkpoint& want = record.checkpoints[next_check++];
            replay_checkpoint got = checkpoint_now();
            if (got.frame_count != want.frame_count || got.score != want.score ||
                got.rnd != want.rnd || got.hash != want.hash)
                lost_sync();
        }
    }
}

void step_controls() {
    if (replay_now != REPLAY_PLAYING) {
        int before = bombs;
        read_controls();
        if (replay_now == REPLAY_RECORDING) {
            current.move_x = move_x, current.move_y = move_y;
            current.aim_x = aim_x, current.aim_y = aim_y;
            step_ask(bombs < before);
        }
        return;
    }
    menu_cooldown = menu_cooldown > 0 ? menu_cooldown - 1 : 0;
    const replay_step* s = playing_step();
    if (!s) return;
    if (step_ask(false)) smart_bomb();
    move_x = last_move_x = s->move_x;
    move_y = last_move_y = s->move_y;
    aim_x = s->aim_x;
    aim_y = s->aim_y;
}

bool step_ask(bool live) {
    if (replay_now == REPLAY_RECORDING) {
        if (current.asked < 64) {
            if (live) current.bits |= uint64_t(1) << current.asked;
            current.asked++;
        }
        return live;
    }
    if (replay_now != REPLAY_PLAYING) return live;
    const replay_step* s = playing_step();
    if (!s) return false;
    // A game that asks more than its record answers has left it.
    if (answered >= s->asked) {
        lost_sync();
        return false;
    }
    return (s->bits >> answered++) & 1;
}

int step_menu() {
    if (replay_now != REPLAY_PLAYING) {
        // Leaving the window pauses the game as Escape does.
        if (!step_ask(menu_pressed() || focus_lost())) return -1;
        std::string before = settings_text();
        int r = pause_menu(1);
        if (replay_now == REPLAY_RECORDING) {
            current.menu = int8_t(r);
            std::string after = settings_text();
            if (after != before) current.settings = after;
        }
        return r;
    }
    if (!step_ask(false)) return -1;
    const replay_step* s = playing_step();
    if (!s || s->menu < 0) {
        lost_sync();
        return -1;
    }
    if (!s->settings.empty()) apply_settings(s->settings);
    return s->menu;
}

void replay_record_begin() {
    record = replay_data{};
    record.date = today();
    record.difficulty = game_difficulty;
    record.seed = game_seed;
    record.settings = settings_text();
    record.switches = (cheat_mode ? 1 : 0) | (god_mode ? 2 : 0) | (debug_mode ? 4 : 0);
    current = replay_step{};
    steps_done = 0;
    ended_now = false;
    replay_now = REPLAY_RECORDING;
}

void replay_game_ends() {
    if (ended_now) return;
    ended_now = true;
    if (replay_now == REPLAY_PLAYING) {
        // The whole record must have been played, to the same end.
        bool whole = record.ended && steps_done + 1 >= record.end_steps && score == record.end_score &&
                     world_hash() == record.end_hash;
        verdict = out_of_sync ? out_of_sync : whole ? 0 : steps_done + 1;
        over = true;
        return;
    }
    if (replay_now != REPLAY_RECORDING) return;
    if (current.asked || current.menu >= 0) record.steps.push_back(current);
    record.ended = true;
    record.end_score = score;
    record.end_steps = uint32_t(record.steps.size());
    record.end_hash = world_hash();
    replay_now = REPLAY_OFF;
    finished = std::move(record);
    write_file(finished);
}

const replay_data& replay_last() { return finished; }

void replay_name_last(const std::string& name) {
    finished.name = name;
    write_file(finished);
}

std::string replay_folder() { return data_path("replays"); }

std::string replay_last_path() { return replay_folder() + "/last.vxr"; }

uint32_t replay_step_index() { return steps_done; }

void replay_play_begin(const replay_data& r) {
    record = r;
    steps_done = 0;
    answered = 0;
    next_check = 0;
    out_of_sync = 0;
    verdict = 0;
    over = stopped = false;
    ended_now = false;
    players_settings = settings_text();
    players_switches[0] = cheat_mode, players_switches[1] = god_mode;
    players_switches[2] = debug_mode;
    apply_settings(record.settings);
    difficulty = record.difficulty;
    cheat_mode = record.switches & 1;
    god_mode = (record.switches >> 1) & 1;
    debug_mode = (record.switches >> 2) & 1;
    next_game_seed = record.seed;
    replay_now = REPLAY_PLAYING;
}

bool replay_play_over() { return replay_now == REPLAY_PLAYING && over; }

void replay_play_stop() {
    if (replay_now == REPLAY_PLAYING) over = stopped = true;
}

bool replay_play_stopped() { return stopped; }

uint32_t replay_play_end() {
    if (replay_now != REPLAY_PLAYING) return 0;
    replay_game_ends();
    replay_now = REPLAY_OFF;
    apply_settings(players_settings);
    cheat_mode = players_switches[0], god_mode = players_switches[1];
    debug_mode = players_switches[2];
    return verdict;
}

namespace {

// File names keep letters and digits of what they are made from; the rest become dashes.
std::string clean(const std::string& s) {
    std::string out;
    for (char c : s) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += plain ? c : '-';
    }
    return out;
}

} // namespace

std::string replay_row_path(int d, int rank) {
    return replay_folder() + "/" + std::to_string(d) + "_" +
           std::to_string(hiscore_scores[rank][d]) + "_" + clean(hiscore_names[rank][d]) + "_" +
           clean(hiscore_times[rank][d]) + ".vxr";
}

void replay_keep_top(int d, int rank) {
    if (d < 0 || d > 2 || rank < 0 || rank > 9 || !finished.ended) return;
    replay_name_last(hiscore_names[rank][d]);
    file_write_bytes(replay_row_path(d, rank), replay_encode(finished));
    // A row pushed out of the table takes its replay with it.
    std::string prefix = std::to_string(d) + "_";
    for (const std::string& f : folder_files(replay_folder())) {
        if (f.compare(0, prefix.size(), prefix) != 0) continue;
        bool kept = false;
        for (int r = 0; r < 10; r++)
            kept = kept || replay_folder() + "/" + f == replay_row_path(d, r);
        if (!kept) remove_file(replay_folder() + "/" + f);
    }
}

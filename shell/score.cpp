#include "shell/score.h"

#include "audio/sound_bank.h"
#include "media/media.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/vector_text.h"
#include "shell/pose.h"

#include <climits>
#include <cstdint>

int score = 0, hiscore = 0, lowest_top_score = 0;
int multiplier = 1, kill_count = 0;
const int multiplier_thresholds[10] = {25, 50, 100, 200, 400, 800, 1600, 3200, 6400, 12800};
int life_awards = 1, bomb_awards = 1, extra_life_every = 100000, extra_bomb_every = 150000;
int next_powerup_score = powerup_step;

std::string bottom_message;
int bottom_message_timer = 0, bottom_message_length = 0;

int hiscore_scores[11][3];
std::string hiscore_names[11][3];
std::string hiscore_times[11][3];
int name_chars[8] = {32, 32, 32, 32, 32, 32, 32, 32};

actor_list<score_popup> score_popups;

namespace {
// A difficulty from outside the three tables reads and writes the Medium one.
int table_column(int d) { return d >= 0 && d <= 2 ? d : 1; }

// A line of the file cannot hold its own terminators; a blank keeps the other 89 lines in place.
std::string storable(std::string text) {
    for (char& c : text)
        if (c == '\0' || c == '\n' || c == '\r') c = ' ';
    return text;
}

// A score past the 32-bit range stays at the top instead of wrapping negative.
int clamp_int(int64_t v) { return int(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v); }
} // namespace

void add_score(int x, int y, int points, int show_popup) {
    int64_t gained = int64_t(points) * multiplier;
    score = clamp_int(score + gained);
    if (show_popup) {
        popup_create(std::to_string(gained), x, y, 0);
        kill_count++;
    }
    if (multiplier >= 1 && multiplier < 11 && kill_count >= multiplier_thresholds[multiplier - 1]) {
        multiplier++;
        play_sfx(snd_bonus2, 1, 0, 1);
        popup_create(std::to_string(multiplier) + "X Multiplier", int(player_x - 78),
                     int(player_y - 32), 1);
    }
    if (score >= int64_t(life_awards) * extra_life_every) {
        life_awards++;
        play_sfx(snd_brainborn, 1, 0, 1);
        if (lives < 10) powerup_drop(4);
    }
    if (score >= int64_t(bomb_awards) * extra_bomb_every) {
        bomb_awards++;
        play_sfx(snd_buzz2, 1, 0, 1);
        if (bombs < 9) powerup_drop(5);
    }
    if (score >= next_powerup_score) {
        powerup_drop(-1);
        next_powerup_score = clamp_int(int64_t(next_powerup_score) +
                                       int64_t(powerup_step) * multiplier * multiplier);
        play_sfx(snd_bonusborn, 1, 0, 1);
    }
    if (score > hiscore) hiscore = score;
}

void popup_create(const std::string& text, int x, int y, int life) {
    score_popups.add(std::make_unique<score_popup>(score_popup{x, y, text, 20 * life + 30}));
}

void popups_update() {
    score_popups.for_each([](score_popup* p) {
        if (--p->life < 1) score_popups.remove(p);
    });
}

void popups_draw() {
    set_blend(BLEND_LIGHT);
    set_scale(1, 1);
    set_alpha(0.9f);
    set_line_width(2);
    score_popups.for_each([](score_popup* p) {
        int v = 6 * p->life + 75; // above 255 it clamps: young popups stay at full yellow
        set_color(v, v, 32);
        // Between steps it drifts on by the part of a pixel the frame's time gives.
        float drift = float(p->life) + pose_lag();
        draw_vector_text(p->text, float(p->x) - view_x() - drift, float(p->y) - view_y() - 16,
                         float(1 + p->life / 12));
    });
    set_alpha(1);
}

void popups_clear() { score_popups.clear(); }

void hiscores_builtin() {
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            hiscore_scores[r][d] = 5000 - 500 * r;
            hiscore_times[r][d] = "1 min, 10 secs";
            hiscore_names[r][d] = "Orlo";
        }
}

void reset_score() {
    int d = difficulty >= 0 && difficulty <= 2 ? difficulty : 1;
    lowest_top_score = hiscore_scores[9][d];
    hiscore = hiscore_scores[0][d];
    score = 0;
}

void reset_multiplier() {
    multiplier = 1;
    kill_count = 0;
    int n = score + 2 * powerup_step;
    next_powerup_score = ((n / powerup_step) / 2) * powerup_step * 2;
    bottom_message_timer = 180;
    bottom_message = "Power Up at " + std::to_string(next_powerup_score);
    bottom_message_length = int(bottom_message.size());
}

void draw_score_line() {
    set_color(32, 255, 32);
    draw_vector_text("SCORE: " + std::to_string(score), 10, 10, 3);
    draw_vector_text("HISCORE: " + std::to_string(hiscore), screen_width - 260, 10, 3);
    draw_vector_text(std::to_string(multiplier) + "X", 236, 10, 3);
    if (debug_mode) draw_vector_text(std::to_string(frame_count), 300, 10, 3);
}

int hiscore_insert(int new_score, const std::string& name, const std::string& time, int d) {
    d = table_column(d);
    int rank = 10;
    for (int i = 9; i >= 0; i--)
        if (hiscore_scores[i][d] < new_score) rank = i;
    for (int r = 9; r > rank; r--) {
        hiscore_scores[r][d] = hiscore_scores[r - 1][d];
        hiscore_times[r][d] = hiscore_times[r - 1][d];
        hiscore_names[r][d] = hiscore_names[r - 1][d];
    }
    hiscore_scores[rank][d] = new_score;
    hiscore_times[rank][d] = time;
    hiscore_names[rank][d] = name;
    lowest_top_score = hiscore_scores[9][d];
    return rank;
}

std::string time_text(int frames) {
    int h = frames / 180000, m = frames / 3000, s = frames / 50;
    std::string t;
    if (h > 0) t += std::to_string(h) + " hr" + (h < 2 ? ", " : "s, ");
    if (m > 0) t += std::to_string(m % 60) + " mn" + (m < 2 ? ", " : "s, ");
    if (s > 0) t += std::to_string(s % 60) + " sec" + (s < 2 ? "" : "s");
    return t;
}

void hiscores_load() {
    text_file* f = file_open_read(data_path("hiscores.dat"));
    if (!f) {
        hiscores_builtin();
        return;
    }
    // Exactly 90 lines: past the end every read is empty, so a short file leaves zeros.
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            hiscore_scores[r][d] = parse_int(file_read_line(f));
            hiscore_times[r][d] = file_read_line(f);
            hiscore_names[r][d] = file_read_line(f);
        }
    file_close(f);
}

int hiscores_save() {
    make_folder(folders().data);
    text_file* f = file_open_write(data_path("hiscores.dat"));
    if (!f) return 0;
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            file_write_line(f, std::to_string(hiscore_scores[r][d]));
            file_write_line(f, storable(hiscore_times[r][d]));
            file_write_line(f, storable(hiscore_names[r][d]));
        }
    return file_close(f) ? 1 : 0;
}

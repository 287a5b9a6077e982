// The top-ten table of one difficulty in a scrolling rainbow: in turn in attract use, or the
// game's own after it ended.
#include "shell/screens.h"

#include "media/media.h"
#include "shell/attract.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/vector_text.h"

#include <algorithm>
#include <string>

namespace {

struct rgb {
    int r, g, b;
};

constexpr int row_brightness = 160;

// Two steps of the wandering colour apart, so neighbouring rows differ visibly. The colour
// wanders near black at times: a row is then brightened in its own hue, so it stays readable.
rgb next_rainbow_colour() {
    colour_cycle(10);
    colour_cycle(10);
    rgb c{drift_colour.r, drift_colour.g, drift_colour.b};
    int top = std::max({c.r, c.g, c.b});
    if (top >= row_brightness) return c;
    if (top == 0) return {row_brightness, row_brightness, row_brightness};
    return {c.r * row_brightness / top, c.g * row_brightness / top, c.b * row_brightness / top};
}

int column_of(int highlight, int i) {
    int d = highlight == -1 ? i / 250 : game_difficulty;
    return d >= 0 && d <= 2 ? d : 1;
}

// Scores end at the same place whatever their length.
void draw_score_right(int value, int end_x, int y) {
    std::string s = std::to_string(value);
    draw_vector_text(s, end_x - 14 * int(s.size()), y, 3);
}

} // namespace

int top_scores_screen(int highlight) {
    const std::string t = time_text(frame_count);
    rgb rainbow[10];
    for (rgb& c : rainbow) c = next_rainbow_colour();
    return attract_loop("top scores", 750, true, [&](int i) {
        screen_setup();
        if (i > 0 && i % 4 == 0) {
            for (int j = 9; j > 0; j--) rainbow[j] = rainbow[j - 1];
            rainbow[0] = next_rainbow_colour();
        }
        int w = screen_width / 2, h = screen_height / 2;
        int d = column_of(highlight, i);
        set_color(0, 0, 240);
        draw_vector_text(std::string("TOP SCORES - ") + difficulty_names[d], w - 200, h - 220, 4);
        set_color(64, 240, 64);
        draw_vector_text("SCORE", w - 250, h - 180, 3);
        draw_vector_text("NAME", w - 100, h - 180, 3);
        draw_vector_text("TIME", w + 130, h - 180, 3);
        for (int j = 0; j < 10; j++) {
            if (j == highlight && d == game_difficulty)
                set_color(255, 255, 0);
            else
                set_color(rainbow[j].r, rainbow[j].g, rainbow[j].b);
            int y = h + 30 * j - 150;
            draw_score_right(hiscore_scores[j][d], w - 180, y);
            draw_vector_text(hiscore_names[j][d], w - 120, y, 3);
            draw_vector_text(hiscore_times[j][d], w + 64, y, 3);
        }
        if (highlight == -20) {
            set_color(255, 0, 0);
            draw_score_right(score, w - 148, h + 180);
            draw_vector_text(t, w + 32, h + 180, 3);
        }
        attract_sparks(i, 90);
        press_bomb_prompt(i);
    });
}

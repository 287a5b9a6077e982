// The title: "Vexlume 2" grows in and glows over two drifting black holes, above the credits.
#include "shell/screens.h"

#include "enemies/blackhole.h"
#include "media/media.h"
#include "playfield/particles.h"
#include "shell/attract.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/vector_text.h"

#include <algorithm>
#include <cstring>

int title_intro = 0;

namespace {

const char* const title_text = "Vexlume 2";

struct credit_line {
    const char* text;
    int r, g, b;
    int from_bottom; // y = H - from_bottom
    float left;      // x = W/2 - u x left
    float scale;     // times u
};
// Each line's left edge is half its width at scale 3.2, so every line sits centred.
const credit_line credits[] = {
    {"A neon arcade shooter,", 32, 160, 32, 280, 176, 3.2f},
    {"by a tiny team", 32, 160, 32, 240, 112, 3.2f},
    {"Version 4.1 - Feb 24, 2006", 32, 160, 32, 200, 180, 3.0f},
    {"With many thanks", 240, 32, 200, 160, 128, 3.2f},
    {"to the free libraries SDL2, libpng, zlib and libopenmpt.", 200, 32, 240, 120, 448, 3.2f},
};

// Fireworks, sparks pulled into the holes, and the holes themselves drifting about.
void title_sparks_and_holes(int i) {
    if (rand_int(0, 100) > 90 && i < 650) part_fireworks(0);
    part_update_all(1);
    part_draw_all();
    part_gravity();
    blackhole_list.for_each([](blackhole* h) { h->title_update(); });
    blackhole_list.for_each([](blackhole* h) { h->draw(); });
    screen_setup();
}

// Up to 25 copies circling a few pixels apart: the title glows and shimmers.
void draw_title(int i, float u) {
    int c = title_intro;
    int o = std::min(c / 24, 20);
    float wobble = float(c / 60 + 2);
    float n = float(std::strlen(title_text));
    for (int j = 0; j <= c / 25; j++) {
        float a = float(20 * j + 2 * i);
        set_color(drift_colour.r, drift_colour.g, drift_colour.b);
        int x =
            int(cos_deg(a) * wobble + (float(screen_width) - u * (n - 1) * float(o) * 5.5f) / 2);
        int y = int(sin_deg(a) * wobble + (float(screen_height) - u * float(o) * 18) / 2 - 50) +
                75 - c / 8;
        draw_vector_text(title_text, x, y, u * float(o));
    }
}

void draw_credits(float u) {
    for (const credit_line& l : credits) {
        set_color(l.r, l.g, l.b);
        draw_vector_text(l.text, int(float(screen_width / 2) - u * l.left),
                         screen_height - l.from_bottom, u * l.scale);
    }
}

void draw_title_frame(int i) {
    screen_setup();
    float u = float(screen_width) / 1024.0f;
    title_intro = std::min(title_intro + 1, 600);
    colour_cycle(10);
    if (title_intro > 400) title_sparks_and_holes(i);
    draw_title(i, u);
    draw_credits(u);
    if (i % 60 > 29) {
        // The prompt's bottom stays 8 px above the edge however large it is drawn.
        set_color(255, 255, 0);
        draw_vector_text(press_bomb_text, int(float(screen_width / 2) - u * 260),
                         screen_height - 8 - int(24 * u), u * 4);
    }
}

} // namespace

int title_screen() {
    for (int k = 0; k < 2; k++) {
        float mass = float(rand_int(12, 50));
        float y = float(screen_height / 2 + rand_int(-100, 100));
        float x = float(screen_width / 2 + rand_int(-100, 100));
        blackhole::place(x, y, mass);
    }
    int quit = attract_loop("title", 700, false, draw_title_frame);
    title_intro = 600;
    return quit;
}

// "Know Your Friends" and "Know Your Enemies": one row after another, each picture animated
// as it moves in play, beside its name in its colour.
#include "shell/screens.h"

#include "enemies/diamond.h"
#include "media/media.h"
#include "shell/attract.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/vector_text.h"

#include <algorithm>

namespace {

struct info_row {
    int after; // drawn on every frame after this one
    int k;     // place in the column, -4 at the top
    const char* text;
    int r, g, b;
    void (*draw)(float x, float y, int i, int row);
};

// Rows 50 px apart on tall screens; on short ones 32 px, the pictures zig-zagging by 32.
void row_place(int k, float& icon_x, float& icon_y, int& text_y) {
    bool tall = screen_height > 599;
    int b = tall ? 50 : 32, e = tall ? 0 : 32;
    int off = (k & 1) ? e : -e;
    icon_x = float(screen_width / 2 + off - 200);
    icon_y = float(screen_height / 2 + k * b);
    text_y = screen_height / 2 + k * b - 10;
}

void draw_picture(image img, float x, float y, float rotation, int frame = 0) {
    set_color(255, 255, 255);
    set_blend(BLEND_LIGHT);
    set_rotation(rotation);
    draw_image(img, x, y, frame);
    set_rotation(0);
    set_scale(1, 1);
}

void run_rows(const info_row* rows, int count, int text_x, int i) {
    for (int n = 0; n < count; n++) {
        const info_row& row = rows[n];
        if (i <= row.after) continue;
        float x, y;
        int text_y;
        row_place(row.k, x, y, text_y);
        row.draw(x, y, i, n);
        screen_setup();
        set_color(row.r, row.g, row.b);
        draw_vector_text(row.text, text_x, text_y, 3);
    }
}

void draw_heading(const char* title, int r, int g, int b) {
    set_color(r, g, b);
    draw_vector_text(title, int(float(screen_width / 2) - 234.5f), 10, 4.5f);
}

// ---------------------------------------------------------------- friends

struct rgb {
    int r, g, b;
};
// The wandering colour of the last frames, one row's step (4 frames) per entry.
rgb star_history[10];

void draw_ship_row(float x, float y, int i, int) { draw_picture(img_whiteplayer, x, y, float(i)); }

// A token as it drifts in play: its icon over the spinning star, the star a row's step
// behind the one above it in the rainbow.
template <int icon_frame, int star_lead> void draw_token(float x, float y, int i, int row) {
    const rgb& c = star_history[std::min(row - 1, 9)];
    set_blend(BLEND_LIGHT);
    set_color(c.r, c.g, c.b);
    set_rotation(float(6 * i + star_lead));
    draw_image(img_whitestar, x, y, 0);
    draw_picture(img_powerups, x, y, 0, icon_frame);
}

const info_row friends[] = {
    {50, -4, "Your Ship", 240, 240, 0, draw_ship_row},
    {100, -3, "Temporary Back Shooter", 32, 255, 255, draw_token<2, 0>},
    {150, -2, "Temporary Side Shooters", 240, 240, 0, draw_token<3, 45>},
    {200, -1, "Extra Front Shooter", 32, 255, 255, draw_token<0, 0>},
    {250, 0, "Extra Shot Speed", 240, 240, 0, draw_token<5, 0>},
    {300, 1, "Extra Player", 32, 255, 255, draw_token<6, 0>},
    {350, 2, "Extra Bomb", 240, 240, 0, draw_token<8, 0>},
    {400, 3, "Temporary Shield", 32, 255, 255, draw_token<9, 0>},
    {450, 4, "Super Shots", 240, 240, 0, draw_token<7, 0>},
    {500, 5, "Bouncy Shots", 32, 255, 255, draw_token<10, 0>},
};

// ---------------------------------------------------------------- enemies

template <image* img, int turn> void draw_turning(float x, float y, int i, int) {
    draw_picture(*img, x, y, float(turn * i));
}

// Stretched along one axis and then the other, exactly as a diamond in play.
void draw_diamond(float x, float y, int i, int) {
    diamond d;
    d.angle = float(i);
    float sx, sy;
    d.image_scale(sx, sy);
    set_scale(sx, sy);
    draw_picture(img_bluediamond, x, y, 0);
}

void draw_black_hole(float x, float y, int i, int) {
    float s = 0.5f + 0.12f * sin_deg(float(6 * i));
    set_scale(s, s);
    draw_picture(img_redcircle, x, y, 0);
}

// The head leads 23 segments along a wave that runs down the body, as a snake follows
// its head; on narrow screens the segments close up so the tail stays on screen.
void draw_snake(float x, float y, int i, int) {
    const int segments = 23;
    float gap = std::clamp((x - 8) / float(segments), 4.0f, 13.0f);
    auto at = [&](int n, float& px, float& py) {
        px = x - gap * float(n);
        py = y + 8 * sin_deg(float(8 * i - 25 * n));
    };
    float ax, ay, bx, by;
    for (int n = segments; n >= 0; n--) {
        at(n, ax, ay);
        at(n - 1, bx, by); // the one ahead: each piece faces where it is going
        float facing = atan2_deg(by - ay, bx - ax) + 90;
        if (n == 0)
            draw_picture(img_snakehead, ax, ay, facing);
        else
            draw_picture(img_snaketail, ax, ay, facing, 24 - n);
    }
}

const info_row enemies[] = {
    {50, -4, "Paul the Pinwheel (25 pts)", 200, 64, 255, draw_turning<&img_pinkpinwheel, 4>},
    {100, -3, "Dimmy the Diamond (50 pts)", 32, 255, 255, draw_diamond},
    {150, -2, "Shy the Square (100 pts)", 32, 255, 32, draw_turning<&img_greensquare, 2>},
    {200, -1, "Cubie the Cube (50/100 pts)", 255, 32, 255, draw_turning<&img_purplesquare1, 1>},
    {250, 0, "Sammy the Seeker (10 pts)", 32, 64, 255, draw_turning<&img_bluecircle, 0>},
    {300, 1, "Dwight the Black Hole (150 pts)", 255, 32, 32, draw_black_hole},
    {350, 2, "Selena the Snake (100 pts)", 190, 32, 255, draw_snake},
    {400, 3, "Ivan the Interceptor (100 pts)", 255, 0, 32, draw_turning<&img_redclone, 1>},
    {450, 4, "Trish the Triangle (150 pts)", 255, 128, 32, draw_turning<&img_orangetriangle, -3>},
    {500, 5, "Indy the Butterfly (10 pts)", 128, 32, 255, draw_turning<&img_indigotriangle, 4>},
};

} // namespace

int friends_screen() {
    for (rgb& c : star_history) c = {drift_colour.r, drift_colour.g, drift_colour.b};
    return attract_loop("friends", 750, false, [](int i) {
        screen_setup();
        colour_cycle(10);
        if (i % 4 == 0)
            for (int n = 9; n > 0; n--) star_history[n] = star_history[n - 1];
        star_history[0] = {drift_colour.r, drift_colour.g, drift_colour.b};
        draw_heading("Know Your Friends", 255, 255, 0);
        run_rows(friends, 10, screen_width / 2 - 100, i);
        attract_sparks(i, 94);
        press_bomb_prompt(i);
    });
}

int enemies_screen() {
    return attract_loop("enemies", 750, false, [](int i) {
        screen_setup();
        draw_heading("Know Your Enemies", 255, 0, 0);
        run_rows(enemies, 10, screen_width / 2 - 120, i);
        attract_sparks(i, 94);
        press_bomb_prompt(i);
    });
}

// Background stars that scroll slower than the playfield, dimmer the farther they are, and
// the short streaks the ship leaves behind it.
#pragma once

#include "media/actor_list.h"

constexpr int STAR_LAST = 1000; // stars are numbered 0..STAR_LAST

extern int star_x[STAR_LAST + 1], star_y[STAR_LAST + 1]; // playfield pixels before parallax
extern float star_depth[STAR_LAST + 1];                  // 2.0 (near) .. 3.75 (far)

// Setting: the number of the last star drawn; 0 switches the star field off.
extern int show_stars;

// Scatters the stars over the playfield (or the screen, if larger) plus a 100 px margin.
void stars_init();
void stars_draw();

struct trail {
    float x = 0, y = 0;
    int r = 0, g = 0, b = 0;
    float dx = 0, dy = 0; // drift per update, and the drawn streak
    int life = 40;

    template <class V> void fields(V& v) {
        v(x), v(y), v(r), v(g), v(b), v(dx), v(dy), v(life);
    }
};

extern actor_list<trail> trails;

void trail_spawn(float x, float y, int r, int g, int b, float dx, float dy);
void trails_update();
void trails_draw();
void trails_clear();

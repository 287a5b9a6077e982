#include "enemies/generator.h"

#include "audio/sound_bank.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/enemy.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/pose.h"

#include <cmath>
#include <memory>

actor_list<generator> generator_list;

void kind_colour(int kind, int& r, int& g, int& b) {
    static const int colours[11][3] = {{255, 255, 255}, {32, 255, 32},  {200, 64, 255},
                                       {32, 255, 255},  {255, 32, 255}, {32, 64, 255},
                                       {255, 32, 32},   {255, 128, 32}, {190, 32, 255},
                                       {255, 0, 32},    {128, 32, 255}};
    int k = kind >= 1 && kind <= 10 ? kind : 0;
    r = colours[k][0];
    g = colours[k][1];
    b = colours[k][2];
}

generator* generator::create(float x, float y, int kind, int period, int size, int spawn_delay) {
    spawn_point(x, y, int(player_x), int(player_y), 100);
    enemy_sfx(snd_cat, 1, x, y);
    auto g = std::make_unique<generator>();
    g->x = x;
    g->y = y;
    g->kind = kind;
    g->period = period;
    g->size = float(size);
    g->spawn_delay = spawn_delay;
    g->angle = float(rand_int(0, 359));
    return generator_list.add(std::move(g));
}

void generator::update() {
    if (spawn_delay > 0) {
        spawn_delay--;
        return;
    }
    angle += 1;
    float ex = x - player_x, ey = y - player_y, r = 12 + size / 2;
    if (ex * ex + ey * ey < r * r + 144) {
        touched = 1;
        kill_player(); // it stays, whatever happened to the ship
    }
    int n = interval();
    if (n > 0 && std::fmod(angle, float(n)) == 0) spawn();
}

void generator::spawn() {
    // Shake the nodes around it outward, in the lattice the grid really has; the edge nodes
    // stay put, as every burst leaves them.
    int sx = grid_spacing_x > 0 ? grid_spacing_x : 16,
        sy = grid_spacing_y > 0 ? grid_spacing_y : 16;
    int gx = int(x / float(sx)), gy = int(y / float(sy));
    for (int i = -3; i <= 3; i++)
        for (int j = -3; j <= 3; j++) {
            int c = gx + i, r = gy + j;
            if (i * i + j * j >= 10 || c <= 0 || c >= grid_cols - 1 || r <= 0 || r >= grid_rows - 1)
                continue;
            gridpoint& p = grid_at(c, r);
            p.impulse(4 * (p.x - x), 4 * (p.y - y));
        }
    float ox = x + float(rand_int(-10, 10));
    float oy = y + float(rand_int(-10, 10));
    switch (kind) {
    case 1:
        square::create(ox, oy, 5);
        break;
    case 2:
        pinwheel::create(ox, oy, 5);
        break;
    case 3:
        diamond::create(ox, oy, 5);
        break;
    case 4:
        cube::create(ox, oy, 0, 5);
        break;
    case 5:
        seeker::create(ox, oy, 5, 0);
        break;
    case 6:
        blackhole::create(ox, oy, 10.0f, 5);
        break;
    case 7:
        triangle::create(ox, oy, 5);
        break;
    case 8:
        snake::create(ox, oy, 24, 5, 0, 0, 0);
        break;
    case 9:
        interceptor::create(ox, oy, 5);
        break;
    case 10:
        butterfly::create(ox, oy, 5);
        break;
    default:
        break;
    }
}

void generator::hit(int by_player) {
    if (!generator_list.contains(this)) return;
    size -= 1;
    if (by_player == 0) size = 0;
    int r, g, b;
    kind_colour(kind, r, g, b);
    int debris = size < 1 ? 12 : 4;
    for (int i = 0; i < debris; i++) part_spawn(x, y, 0, r, g, b, 0, 1);
    if (size < 1) {
        enemy_sfx(snd_genkilled1, 1, x, y);
        if (by_player) add_score(int(x), int(y), 200, 1);
        generator_list.remove(this);
        return;
    }
    enemy_sfx(snd_genhit1, 1 + size / 64, x, y);
    if (by_player) add_score(int(x), int(y), 1, 0);
}

namespace {

// A closed outline of n points on a circle of radius r, first point straight up.
void ring(float cx, float cy, float r, int n, float turn) {
    for (int i = 0; i < n; i++) {
        float a0 = turn + 360.0f * float(i) / float(n),
              a1 = turn + 360.0f * float(i + 1) / float(n);
        draw_line(cx + sin_deg(a0) * r, cy - cos_deg(a0) * r, cx + sin_deg(a1) * r,
                  cy - cos_deg(a1) * r);
    }
}

// The outline of a kind: squares stand on a corner or sit flat, triangles point up, the
// round kinds follow the circle table's 18 sides.
void kind_outline(int kind, float cx, float cy, float r) {
    switch (kind) {
    case 1: // square, seen square on
    case 4: // cube
        ring(cx, cy, r * 1.2f, 4, 45);
        break;
    case 2: // pinwheel and diamond: a square on its corner
    case 3:
    case 9: // interceptor: the same, its nose forward
        ring(cx, cy, r, 4, 0);
        break;
    case 7: // triangles
    case 10:
        ring(cx, cy, r, 3, 0);
        break;
    default: // seeker, black hole, snake
        ring(cx, cy, r, 18, 0);
        break;
    }
}

void kind_fill(int kind) {
    static const float square_fill[8] = {0, 12, 12, 0, 0, -12, -12, 0};
    static const float flat_fill[8] = {-10, -10, 10, -10, 10, 10, -10, 10};
    static const float tri_fill[6] = {0, -12, 10, 7, -10, 7};
    switch (kind) {
    case 1:
    case 4:
        draw_poly(flat_fill, 4, 0, 0);
        break;
    case 2:
    case 3:
    case 9:
        draw_poly(square_fill, 4, 0, 0);
        break;
    case 7:
    case 10:
        draw_poly(tri_fill, 3, 0, 0);
        break;
    default:
        draw_poly(&circle_table[0][0], 18, 0, 0);
        break;
    }
}

} // namespace

void generator::draw() {
    float sx = x - view_x(), sy = y - view_y();
    int r, g, b;
    kind_colour(kind, r, g, b);
    int n = interval();
    // White in the eight frames before each spawn.
    if (n > 0 && std::fmod(angle + 8, float(n)) < 8) r = g = b = 255;
    set_color(r, g, b);
    set_blend(BLEND_ALPHA);
    set_rotation(0);
    set_origin(sx, sy);
    float fill = size / 14.0f;
    // The circle table's radius is 8 where the square shapes reach 12.
    bool round = kind == 5 || kind == 6 || kind == 8;
    set_scale(round ? fill * 1.5f : fill, round ? fill * 1.5f : fill);
    set_alpha(0.1f + size / 256.0f);
    kind_fill(kind);
    set_origin(0, 0);
    set_scale(1, 1);
    set_alpha(1);
    set_blend(BLEND_LIGHT);
    kind_outline(kind, sx, sy, 12 + size / 4);
    kind_outline(kind, sx, sy, 8);
}

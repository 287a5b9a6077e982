#include "shell/spawn.h"

#include "enemies/generator.h"

#include "enemies/enemy.h"
#include "media/media.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game_state.h"

#include <algorithm>

spawn_stream stream_a, stream_b, stream_c, stream_d;
long spawns_by_kind[11];

namespace {

// Corner boxes are 50 px square, 30 to 80 px in from the edges.
void corner(int c, int& x, int& y) {
    int W = field_width, H = field_height;
    switch (c) {
    case 1:
        x = rand_int(30, 80), y = rand_int(30, 80);
        break;
    case 2:
        x = rand_int(W - 80, W - 30), y = rand_int(30, 80);
        break;
    case 3:
        x = rand_int(W - 80, W - 30), y = rand_int(H - 80, H - 30);
        break;
    case 4:
        x = rand_int(30, 80), y = rand_int(H - 80, H - 30);
        break;
    }
}

void place_position(int place, int& x, int& y) {
    x = y = 0;
    switch (place) {
    case 0:
        x = rand_int(30, field_width - 30);
        y = rand_int(30, field_height - 30);
        break;
    case 1:
    case 2:
    case 3:
    case 4:
        corner(place, x, y);
        break;
    case 5:
        corner(rand_int(1, 4), x, y);
        break;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11: {
        // Pairs of corners: the first when r > 5, else the second.
        static const int pairs[6][2] = {{1, 2}, {2, 3}, {3, 4}, {1, 3}, {1, 4}, {2, 4}};
        int r = rand_int(1, 10);
        corner(pairs[place - 6][r > 5 ? 0 : 1], x, y);
        break;
    }
    case 12: {
        int a = rand_int(0, 360);
        x = int(240.0f * cos_deg(float(a)) + player_x);
        y = int(240.0f * sin_deg(float(a)) + player_y);
        break;
    }
    default:
        break;
    }
}

void start_stream(spawn_stream& s, int place, int kind, int factor, int lo, int hi, int most) {
    s.place = place;
    s.kind = kind;
    s.countdown = std::min(factor * rand_int(lo, hi), most);
}

void emit_every_second(spawn_stream& s) {
    if (s.countdown <= 0) return;
    s.countdown--;
    if (s.countdown % 2 == 0) spawn_group(s.kind, 24, s.place, 100, 1, 20);
}

void emit_every_third(spawn_stream& s) {
    if (s.countdown <= 0) return;
    s.countdown--;
    if (s.countdown % 3 != 0) return;
    if (s.kind == 9) spawn_group(s.kind, 20, s.place, 100, 1, 20); // butterflies come in pairs
    spawn_group(s.kind, 20, s.place, 100, 1, 20);
}

} // namespace

void spawn_streams_reset() { stream_a = stream_b = stream_c = stream_d = spawn_stream{}; }

int pick_kind(int t) {
    int s = std::min(t / 1100, 8);
    if (s == 0) return 0;
    if (s < 8) return rand_int(0, s);
    return rand_int(0, 9);
}

// period, gen_kind and size shape the generators only.
void spawn_group(int kind, int delay, int place, int period, int gen_kind, int size) {
    if (menu_cooldown > 0) return;
    int x, y;
    place_position(place, x, y);
    if (kind >= 0 && kind <= 10) spawns_by_kind[kind]++;
    if (kind == 10)
        generator::create(float(x), float(y), gen_kind, period, size, delay);
    else
        enemy_spawn(kind, float(x), float(y), delay);
}

void spawn_director(int t) {
    if ((t / 350) % 2 == 0 && t % 33 == 0) {
        int place = rand_int(0, 12);
        int kind = pick_kind(t);
        spawn_group(kind, 20, place, 100, 1, 20);
    }
    if (t % 444 == 0) {
        int k = pick_kind(t / 4) + 1;
        int size = rand_int(t / 2000 + 16, 32);
        int period = std::max(rand_int(1, 60) + 80 - t / 1000, 80);
        if (k == 9) k = 10;
        if (k == 6) k = rand_int(3, 5);
        spawn_group(10, 20, rand_int(0, 12), period, k, size);
    }
    if (t % 777 == 0) {
        int place = rand_int(0, 12);
        start_stream(stream_a, place, pick_kind(t / 3), 2, 15, t / 750 + 24, 100);
    }
    if (t % 1850 == 0) {
        int place = rand_int(0, 12);
        start_stream(stream_b, place, pick_kind(t / 2), 2, 15, t / 750 + 24, 175);
    }
    if (t % 2900 == 0) start_stream(stream_c, 5, pick_kind(t / 2), 3, 20, t / 750 + 40, 300);
    if ((t / 4000) % 2 == 1 && t % 3333 == 0) {
        int place = rand_int(0, 11);
        start_stream(stream_d, place, pick_kind(t / 2), 3, 20, t / 750 + 40, 300);
    }
    emit_every_second(stream_a);
    emit_every_second(stream_b);
    emit_every_third(stream_c);
    emit_every_third(stream_d);
}

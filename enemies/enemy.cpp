#include "enemies/enemy.h"

#include "audio/sound_bank.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "player/shots.h"
#include "shell/world_lists.h"

#include <algorithm>
#include <cmath>

float square_speed, pinwheel_speed, diamond_speed, cube_speed, seeker_speed, blackhole_speed,
    snake_speed, interceptor_speed, butterfly_speed, triangle_speed;

namespace {

struct speed_row {
    float* speed;
    float base, easy, hard;
};

const speed_row speed_table[] = {
    {&square_speed, 3.5f, 0.65f, 1.25f},    {&pinwheel_speed, 2.25f, 0.75f, 1.25f},
    {&diamond_speed, 3.25f, 0.75f, 1.25f},  {&cube_speed, 3.0f, 0.7f, 1.25f},
    {&seeker_speed, 4.5f, 0.75f, 1.15f},    {&blackhole_speed, 2.5f, 0.7f, 1.15f},
    {&snake_speed, 3.5f, 0.7f, 1.15f},      {&interceptor_speed, 4.25f, 0.7f, 1.15f},
    {&butterfly_speed, 5.0f, 0.75f, 1.15f}, {&triangle_speed, 2.0f, 0.7f, 1.15f},
};

template <class T> void clear_list(actor_list<T>& list, int everything) {
    list.for_each([&](T* e) {
        if (everything || !e->touched) list.remove(e);
    });
}

// Every list but the enemies' holds nothing that outlives the board.
template <class T> void clear_list(actor_list<T>& list, list_role role, int everything) {
    if (role != LIST_ENEMIES)
        list.clear();
    else if constexpr (requires(T* e) { e->touched; })
        clear_list(list, everything);
}

// A hole leaving with the board takes its hum with it.
template <> void clear_list(actor_list<blackhole>& list, int everything) {
    list.for_each([&](blackhole* h) {
        if (everything || !h->touched) h->discard();
    });
}

// A triangle leaving with the board sets its partner free.
template <> void clear_list(actor_list<triangle>& list, int everything) {
    list.for_each([&](triangle* t) {
        if (everything || !t->touched) {
            t->unlink();
            list.remove(t);
        }
    });
}

// A segment leaving with the board lets go of its neighbours.
template <> void clear_list(actor_list<snake>& list, int everything) {
    list.for_each([&](snake* e) {
        if (everything || !e->touched) e->discard();
    });
}

template <class T> void kill_all(actor_list<T>& list) {
    list.for_each([](T* e) { e->kill(0); });
}

template <class T> void update_all(actor_list<T>& list) {
    list.for_each([](T* e) { e->update(); });
}

template <class T> void draw_all(actor_list<T>& list, int r, int g, int b) {
    set_color(r, g, b);
    list.for_each([](T* e) { e->draw(); });
}

// Every outline of the list, then every sprite.
template <class T> void draw_outlines_then_pictures(actor_list<T>& list) {
    list.for_each([](T* e) { e->draw_outline(); });
    list.for_each([](T* e) { e->draw_picture(); });
}

// How far back along its flight a shot is traced against a shield: far enough to reach the
// bar from anywhere inside the 64 px the test looks at.
constexpr float SHIELD_TRACE = 140;

float dist2(const shot& s, const enemy& e) {
    float ex = s.x - e.x, ey = s.y - e.y;
    return ex * ex + ey * ey;
}

// The first enemy of the list within its hit radius is killed; 1 when there was one.
template <class T> int shot_kills(actor_list<T>& list, const shot& s) {
    int hit = 0;
    list.for_each([&](T* e) {
        if (hit || dist2(s, *e) >= e->hit_radius()) return;
        e->kill(1);
        hit = 1;
    });
    return hit;
}

// Squares the shot misses see it coming and dodge.
int shot_kills_square(const shot& s) {
    int hit = 0;
    square_list.for_each([&](square* e) {
        if (hit) return;
        if (dist2(s, *e) < e->hit_radius()) {
            e->kill(1);
            hit = 1;
        } else {
            e->dodge(s.x, s.y, s.x + s.dx, s.y + s.dy);
        }
    });
    return hit;
}

// The first segment within reach takes the shot: the head dies, the tail shrugs it off.
int shot_hits_snake(const shot& s) {
    int hit = 0;
    snake_list.for_each([&](snake* e) {
        if (hit || dist2(s, *e) >= e->hit_radius()) return;
        e->hit(1);
        hit = 1;
    });
    return hit;
}

// A raised shield swallows a shot whose last stretch of flight crosses the bar; the shot's
// path, not the line to the interceptor, since the bar stands 64 px out and the test only
// starts inside 64 px.
int shot_hits_interceptor(const shot& s) {
    int hit = 0;
    interceptor_list.for_each([&](interceptor* e) {
        float d2 = dist2(s, *e);
        if (hit || d2 >= 4096.0f) return;
        if (e->shield_up()) {
            float v = std::sqrt(s.dx * s.dx + s.dy * s.dy);
            float back = v > 0 ? std::min(SHIELD_TRACE, s.flown) / v : 0;
            if (segments_cross(s.x, s.y, s.x - s.dx * back, s.y - s.dy * back, e->shield_x1,
                               e->shield_y1, e->shield_x2, e->shield_y2)) {
                hit = 1;
                return;
            }
        }
        if (d2 < e->hit_radius()) {
            e->kill(1);
            hit = 1;
        }
    });
    return hit;
}

int shot_hits_hole(const shot& s) {
    int hit = 0;
    blackhole_list.for_each([&](blackhole* h) {
        float ex = s.x - h->x, ey = s.y - h->y, r = 12.0f + h->mass / 2.0f;
        if (hit || ex * ex + ey * ey >= r * r) return;
        h->hit(1);
        hit = 1;
    });
    return hit;
}

// A linked triangle is knocked along the shot's path instead of dying.
int shot_kills_triangle(const shot& s) {
    int hit = 0;
    triangle_list.for_each([&](triangle* t) {
        if (hit || dist2(s, *t) >= 148.0f) return;
        t->kill(1, -5.0f * s.dx, -5.0f * s.dy);
        hit = 1;
    });
    return hit;
}

int shot_hits_generator(const shot& s) {
    int hit = 0;
    generator_list.for_each([&](generator* g) {
        float ex = s.x - g->x, ey = s.y - g->y;
        if (hit || ex * ex + ey * ey >= 144.0f + g->size) return;
        g->hit(1);
        hit = 1;
    });
    return hit;
}

// A random side of the ship, for a point that landed right on it.
int away() { return rand_int(1, 10) > 5 ? -1 : 1; }

} // namespace

void spawn_point(float& x, float& y, int px, int py, float min_dist) {
    float dx = float(px) - x, dy = float(py) - y;
    float d = std::sqrt(dx * dx + dy * dy) + 0.001f;
    while (d < min_dist) {
        x -= dx / d * 10;
        y -= dy / d * 10;
        dx = float(px) - x;
        dy = float(py) - y;
        d = std::sqrt(dx * dx + dy * dy);
        if (d < 0.001f) {
            int sx = away();
            x = float(px + sx * rand_int(10, 20));
            int sy = away();
            y = float(py + sy * rand_int(10, 20));
            dx = float(px) - x;
            dy = float(py) - y;
            d = std::sqrt(dx * dx + dy * dy);
        }
    }
    if (x < 20) x = 20;
    if (y < 20) y = 20;
    if (x > float(field_width - 20)) x = float(field_width - 20);
    if (y > float(field_height - 20)) y = float(field_height - 20);
}

void enemy_pan(float x, float y, float& pan, float& volume) {
    pan = (x - player_x) / float(field_width);
    volume = (1 - std::fabs(pan) / 10) * (1 - (std::fabs(y - player_y) / float(field_height)) / 10);
}

channel enemy_sfx(sound s, float rate, float x, float y) {
    float pan, volume;
    enemy_pan(x, y, pan, volume);
    return play_sfx(s, rate, pan, volume);
}

void enemies_clear(int everything) {
    world_lists([&](auto& list, list_role role, int) {
        if (role == LIST_ENEMIES) clear_list(list, role, everything);
    });
}

void world_lists_clear(int everything) {
    world_lists([&](auto& list, list_role role, int) { clear_list(list, role, everything); });
}

void enemy_speeds_reset(int difficulty) {
    for (const speed_row& row : speed_table) {
        float f = difficulty == 0 ? row.easy : difficulty == 2 ? row.hard : 1.0f;
        *row.speed = row.base * f;
    }
}

void enemies_destroy_all() {
    kill_all(square_list);
    kill_all(pinwheel_list);
    kill_all(diamond_list);
    kill_all(cube_list);
    kill_all(seeker_list);
    blackhole_list.for_each([](blackhole* h) { h->hit(0); });
    // A snake still spawning in is out of the bomb's reach; a falling tail goes on falling.
    snake_list.for_each([](snake* e) {
        if (e->spawn_delay <= 0) e->hit(0);
    });
    kill_all(interceptor_list);
    kill_all(butterfly_list);
    generator_list.for_each([](generator* g) { g->hit(0); });
    triangle_list.for_each([](triangle* t) { t->kill(0, 0, 0); });
}

int enemies_hit_by_shot(const shot& s) {
    return shot_hits_hole(s) || shot_kills_square(s) || shot_kills(pinwheel_list, s) ||
           shot_kills(diamond_list, s) || shot_kills(cube_list, s) || shot_kills(seeker_list, s) ||
           shot_kills_triangle(s) || shot_hits_generator(s) || shot_hits_snake(s) ||
           shot_hits_interceptor(s) || shot_kills(butterfly_list, s);
}

void enemies_update() {
    update_all(generator_list);
    update_all(square_list);
    update_all(pinwheel_list);
    update_all(diamond_list);
    update_all(cube_list);
    update_all(seeker_list);
    update_all(snake_list);
    update_all(interceptor_list);
    update_all(butterfly_list);
    update_all(triangle_list);
}

void blackholes_update() { update_all(blackhole_list); }

void enemies_draw() {
    generator_list.for_each([](generator* g) { g->draw(); });
    draw_outlines_then_pictures(square_list);
    draw_outlines_then_pictures(pinwheel_list);
    draw_outlines_then_pictures(diamond_list);
    draw_outlines_then_pictures(cube_list);
    draw_outlines_then_pictures(seeker_list);
    draw_all(blackhole_list, 255, 32, 32);
    snake_list.for_each([](snake* e) { e->draw(); });
    draw_all(interceptor_list, 255, 0, 32);
    draw_outlines_then_pictures(butterfly_list);
    set_color(255, 128, 32);
    triangles_draw(); // every link first, then every body
}

void enemy_spawn(int spawn_index, float x, float y, int delay) {
    switch (spawn_index) {
    case 0:
        pinwheel::create(x, y, delay);
        break;
    case 1:
        diamond::create(x, y, delay);
        break;
    case 2:
        square::create(x, y, delay);
        break;
    case 3:
        cube::create(x, y, 0, delay);
        break;
    case 4:
        seeker::create(x, y, delay, 0);
        break;
    case 5:
        blackhole::create(x, y, 20.0f, delay);
        break;
    case 6:
        triangle::create(x, y, delay);
        break;
    case 7:
        snake::create(x, y, 24, delay, 0, 0, 0);
        break;
    case 8:
        interceptor::create(x, y, delay);
        break;
    case 9:
        butterfly::create(x, y, delay);
        break;
    default:
        break;
    }
}

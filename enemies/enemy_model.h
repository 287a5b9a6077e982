// The model every enemy kind is built on: common fields, birth, the spawn-in phase and the
// update, kill and draw templates, each tuned by the kind's constants table. A kind derives
// from enemy_kind<itself> and hides a hook only where its numbers depend on the object.
#pragma once

#include "enemies/blackhole.h"
#include "enemies/enemy.h"
#include "media/actor_list.h"
#include "media/media.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/pose.h"

#include <cmath>
#include <memory>

struct enemy {
    float x = 0, y = 0;
    float dx = 0, dy = 0;
    float angle = 0;
    int touched = 0;     // it reached the ship: it stays for the death sequence
    int spawn_delay = 0; // frames of spawn-in left: frozen, harmless, but can be shot

    template <class V> void fields(V& v) {
        v(x), v(y), v(dx), v(dy), v(angle), v(touched), v(spawn_delay);
    }
};

enum seek_order { SEEK_THEN_GRAVITY, GRAVITY_THEN_SEEK, GRAVITY_ONLY };

// How black holes pull and swallow a kind: reach + reach_mass x mass, acceleration
// (push - d) / damping, swallowed inside capture + capture_mass x mass.
struct hole_pull {
    float reach, reach_mass, push, damping, capture, capture_mass;
};

struct enemy_consts {
    // birth
    sound* spawn_sound;
    float min_dist, speed_lo, speed_hi;
    float start_angle; // below 0: a random angle
    // update
    float margin;
    seek_order order;
    float seek_gain;
    float separation, separation_step; // squared radius, kick per axis
    const float* speed_limit;
    float contact; // squared
    hole_pull pull;
    // shot, kill
    float hit; // squared
    int points;
    sound* kill_sound;
    float kill_rate;
    int sparks, spark_kind;
    bool sparks_turn;  // sparks start at the enemy's angle
    float spark_step;  // degrees between sparks
    int spark_scatter; // sparks start up to this far off the centre
    int r, g, b;
    // draw
    const float* outline;
    int outline_points;
    float outline_turn, outline_offset, image_turn;
    image* picture;
};

// The pull most kinds feel.
inline constexpr hole_pull common_pull{75, 8, 1200, 512, 12, 0.5f};
// A square stood on its corner, 12 px to each tip.
inline constexpr float corner_outline[8] = {0, 12, 12, 0, 0, -12, -12, 0};

template <class T> struct enemy_kind : enemy {
    // Hooks with the table's numbers; a kind hides the ones that depend on the object.
    float speed_limit() const { return *T::consts.speed_limit; }
    float separation() const { return T::consts.separation; }
    float contact() const { return T::consts.contact; }
    float hit_radius() const { return T::consts.hit; }
    int points() const { return T::consts.points; }
    float kill_rate() const { return T::consts.kill_rate; }
    void extra_step() {}
    void before_sparks(int) {}
    int outline(float* xy) const {
        for (int i = 0; i < 2 * T::consts.outline_points; i++) xy[i] = T::consts.outline[i];
        return T::consts.outline_points;
    }
    float spawn_scale() const { return float(spawn_delay) / 5.0f; }
    void outline_scale(float t, float& sx, float& sy) const { sx = sy = t; }
    void image_scale(float& sx, float& sy) const { sx = sy = 1; }
    image picture() const { return *T::consts.picture; }

    // Appends a new object at a fair distance from the ship; the caller fills its own fields.
    static T* born(float x, float y, float min_dist, int spawn_delay, bool announce) {
        const enemy_consts& c = T::consts;
        spawn_point(x, y, int(player_x), int(player_y), min_dist);
        if (announce) enemy_sfx(*c.spawn_sound, 1, x, y);
        auto e = std::make_unique<T>();
        e->x = x;
        e->y = y;
        e->angle = c.start_angle >= 0 ? c.start_angle : float(rand_int(0, 359));
        float a = float(rand_int(0, 359)), s = float(rnd(c.speed_lo, c.speed_hi));
        e->dx = cos_deg(a) * s;
        e->dy = sin_deg(a) * s;
        e->spawn_delay = spawn_delay;
        return T::list().add(std::move(e));
    }

    void update() {
        T& k = self();
        const enemy_consts& c = T::consts;
        if (spawn_delay > 0) {
            spawn_delay--;
            return;
        }
        angle += 1;
        x += dx;
        y += dy;
        bounce(c.margin);
        // Being swallowed ends only the pull of the holes: it may still have reached the ship.
        if (c.order == SEEK_THEN_GRAVITY) seek(player_x, player_y, float(field_width));
        gravity();
        if (c.order == GRAVITY_THEN_SEEK) seek(player_x, player_y, float(field_width));
        separate(k.separation(), c.separation_step);
        cap_speed(k.speed_limit());
        k.extra_step();
        float ex = x - player_x, ey = y - player_y;
        if (ex * ex + ey * ey < k.contact()) {
            touched = 1;
            if (kill_player()) T::list().remove(&k);
        }
    }

    void seek(float tx, float ty, float range) {
        float ex = tx - x, ey = ty - y;
        float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
        if (d < range) {
            dx += ex / d * T::consts.seek_gain;
            dy += ey / d * T::consts.seek_gain;
        }
    }

    // Black holes pull, and swallow what comes too close; 1 when this enemy was swallowed.
    int gravity() {
        const hole_pull& p = T::consts.pull;
        int swallowed = 0;
        blackhole_list.for_each([&](blackhole* h) {
            if (swallowed) return;
            float ex = h->x - x, ey = h->y - y;
            float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
            if (d >= p.reach + p.reach_mass * h->mass) return;
            dx += ex / d / p.damping * (p.push - d);
            dy += ey / d / p.damping * (p.push - d);
            if (d < p.capture + p.capture_mass * h->mass) {
                self().kill(0);
                h->feed(1.0f);
                swallowed = 1;
            }
        });
        return swallowed;
    }

    void kill(int by_player) {
        T& k = self();
        const enemy_consts& c = T::consts;
        // A pointer held through the frame may ask twice; the dead pay out once.
        if (!T::list().contains(&k)) return;
        if (by_player) {
            add_score(int(x), int(y), k.points(), 1);
            enemy_sfx(*c.kill_sound, k.kill_rate(), x, y);
        }
        k.before_sparks(by_player);
        for (int i = 0; i < c.sparks; i++) {
            float px = x, py = y;
            if (c.spark_scatter) {
                px += float(rand_int(-c.spark_scatter, c.spark_scatter));
                py += float(rand_int(-c.spark_scatter, c.spark_scatter));
            }
            float a = (c.sparks_turn ? angle : 0) + c.spark_step * float(i);
            part_spawn(px, py, c.spark_kind, c.r, c.g, c.b, a, 1);
        }
        grid_burst(int(x), int(y));
        T::list().remove(&k);
    }

    // The pulsing outline under the additive sprite. A list draws every outline first, then
    // every sprite: two GL draws for the whole list instead of two per enemy.
    void draw() {
        draw_outline();
        draw_picture();
    }

    void draw_outline() {
        T& k = self();
        const enemy_consts& c = T::consts;
        float ox = x - view_x(), oy = y - view_y();
        set_color(c.r, c.g, c.b);
        set_blend(BLEND_ALPHA);
        set_origin(ox, oy);
        set_rotation(c.outline_turn * angle + c.outline_offset);
        float sx, sy;
        set_alpha(scale_now(sx, sy));
        set_scale(sx, sy);
        float xy[2 * 18];
        int n = k.outline(xy);
        draw_poly(xy, n, 0, 0);
        set_origin(0, 0);
        set_alpha(1);
        set_rotation(0);
        set_scale(1, 1);
    }

    void draw_picture() {
        T& k = self();
        const enemy_consts& c = T::consts;
        float sx, sy;
        scale_now(sx, sy);
        set_color(255, 255, 255);
        set_origin(0, 0);
        set_alpha(1);
        k.image_scale(sx, sy);
        set_scale(sx, sy);
        set_blend(BLEND_LIGHT);
        set_rotation(c.image_turn * angle);
        draw_image(k.picture(), x - view_x(), y - view_y(), 0);
        set_rotation(0);
        set_scale(1, 1);
    }

  protected:
    T& self() { return static_cast<T&>(*this); }

    // The outline's scale this frame (shrinking in while spawning, pulsing after), and its alpha.
    float scale_now(float& sx, float& sy) {
        if (spawn_delay > 0) {
            sx = sy = self().spawn_scale();
            return float(spawn_delay) / 40.0f;
        }
        float t = std::fmod(angle / 16.0f, 8.0f) + 0.5f;
        self().outline_scale(t, sx, sy);
        return 0.5f - t / 8.0f;
    }

    void bounce(float m) { enemy_bounce(x, y, dx, dy, m, float(field_width), float(field_height)); }

    void separate(float radius2, float step) {
        T::list().for_each([&](T* o) {
            if (o == this) return;
            float ex = o->x - x, ey = o->y - y;
            if (ex * ex + ey * ey < radius2) {
                dx -= float(sgn(ex)) * step;
                dy -= float(sgn(ey)) * step;
            }
        });
    }

    void cap_speed(float limit) {
        float v = std::sqrt(dx * dx + dy * dy);
        if (v > limit) {
            dx = dx / v * limit;
            dy = dy / v * limit;
        }
    }
};

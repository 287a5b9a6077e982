#include "playfield/stars.h"

#include "media/media.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/pose.h"

#include <algorithm>

int star_x[STAR_LAST + 1], star_y[STAR_LAST + 1];
float star_depth[STAR_LAST + 1];
int show_stars = 300;

actor_list<trail> trails;

void stars_init() {
    int w = std::max(field_width, screen_width), h = std::max(field_height, screen_height);
    for (int i = 0; i <= STAR_LAST; i++) {
        star_x[i] = look_rand_int(-100, w + 100);
        star_y[i] = look_rand_int(-100, h + 100);
        star_depth[i] = 2.0f + float(i % 8) / 4.0f;
    }
}

void stars_draw() {
    if (show_stars <= 0) return;
    set_blend(BLEND_LIGHT);
    set_scale(2, 2);
    set_alpha(0.8f);
    set_line_width(2);
    int last = std::min(show_stars, STAR_LAST);
    float cx = view_x(), cy = view_y();
    for (int i = 0; i <= last; i++) {
        float depth = star_depth[i];
        int v = int(480.0f / depth);
        set_color(v, v, v);
        draw_rect(float(star_x[i]) - cx / depth, float(star_y[i]) - cy / depth, 1, 1);
    }
    set_alpha(1);
    set_scale(1, 1);
}

void trail_spawn(float x, float y, int r, int g, int b, float dx, float dy) {
    trail t;
    t.x = x;
    t.y = y;
    t.r = r;
    t.g = g;
    t.b = b;
    t.dx = dx;
    t.dy = dy;
    t.life = 40;
    trails.emplace(t);
}

void trails_update() {
    trails.for_each([](trail* t) {
        t->life -= 1;
        // Hangs still for its first 15 updates, then drifts off and fades, red last.
        if (t->life < 25) {
            t->r = int(float(t->r) * 0.91f);
            t->g = int(float(t->g) * 0.88f);
            t->b = int(float(t->b) * 0.86f);
            t->x += t->dx;
            t->y += t->dy;
        }
        if (t->life < 1) trails.remove(t);
    });
}

void trails_draw() {
    set_blend(BLEND_LIGHT);
    set_scale(2, 2);
    set_alpha(0.8f);
    set_line_width(2);
    float cx = view_x(), cy = view_y();
    trails.for_each([cx, cy](trail* t) {
        set_color(t->r, t->g, t->b);
        float x = t->x - cx, y = t->y - cy;
        draw_line(x, y, x + t->dx, y + t->dy, true);
    });
    set_alpha(1);
    set_scale(1, 1);
}

void trails_clear() { trails.clear(); }

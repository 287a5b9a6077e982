#include "playfield/particles.h"

#include "enemies/blackhole.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/play_frame.h"
#include "shell/pose.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

part particles[PARTICLE_MAX];
int part_next = 0;

int particle_count = 2048;
int particle_life = 40;
float particle_decay = 0.95f;
int particle_gravity = 1;
int particle_style = 0;

namespace {

// One update off the spark's life; the last 20 fade its colour, slowly for ten, then fast.
inline void fade(part& p) {
    p.life -= 1;
    if (p.life < 20) {
        float f = p.life > 9 ? 0.97f : 0.8f;
        p.r = int(float(p.r) * f);
        p.g = int(float(p.g) * f);
        p.b = int(float(p.b) * f);
    }
}

// The slots in use; a count from a hand-edited settings file never reaches past the pool.
inline int slots() { return std::clamp(particle_count, 0, PARTICLE_MAX); }

// One step of motion: move, bounce off the walls, slow down. A wall test uses the velocity
// before the flip, and the flip then throws the spark back twice as far. `last` is the
// last pixel (size - 1) of each axis. Passing the decay in keeps it out of memory: read
// from the global inside the loop it would be reloaded after every store to a spark.
#if defined(__SSE2__)

static_assert(offsetof(part, y) == 4 && offsetof(part, dx) == 8 && offsetof(part, dy) == 12);

// Both axes at once, without a branch.
inline void move(part& p, __m128 last, __m128 decay) {
    const __m128 sign_bit = _mm_set1_ps(-0.0f), two = _mm_set1_ps(2.0f);
    __m128 a = _mm_loadu_ps(&p.x); // x, y, dx, dy
    __m128 vel = _mm_movehl_ps(a, a);
    __m128 pos = _mm_add_ps(a, vel);
    __m128 flip = _mm_or_ps(_mm_cmplt_ps(pos, vel), _mm_cmpgt_ps(pos, _mm_sub_ps(last, vel)));
    vel = _mm_xor_ps(vel, _mm_and_ps(flip, sign_bit));
    pos = _mm_add_ps(pos, _mm_and_ps(flip, _mm_mul_ps(vel, two)));
    vel = _mm_mul_ps(vel, decay);
    _mm_storeu_ps(&p.x, _mm_movelh_ps(pos, vel));
}

inline void step_in(part& p, float right, float bottom, float decay) {
    move(p, _mm_setr_ps(right, bottom, right, bottom), _mm_set1_ps(decay));
    fade(p);
}

#else

inline void bounce(float& pos, float& vel, float last) {
    if (pos < vel || pos > last - vel) {
        vel = -vel;
        pos += vel * 2.0f;
    }
}

inline void step_in(part& p, float right, float bottom, float decay) {
    p.x += p.dx;
    p.y += p.dy;
    bounce(p.x, p.dx, right);
    bounce(p.y, p.dy, bottom);
    p.dx *= decay;
    p.dy *= decay;
    fade(p);
}

#endif

inline int brightened(int c, float k) { return std::min(255, int(float(c) * k)); }

inline void spark_colour(const part& p, float k) {
    set_color(brightened(p.r, k), brightened(p.g, k), brightened(p.b, k));
}

// Angle plus a whole number of turns of `step` degrees, cut to whole degrees.
inline float burst_angle(float angle, float step, int turns) {
    return std::trunc(angle + step * float(rand_int(0, turns)));
}

} // namespace

void part::step() {
    step_in(*this, float(field_width - 1), float(field_height - 1), particle_decay);
}
void part::step_screen() {
    step_in(*this, float(screen_width - 1), float(screen_height - 1), particle_decay);
}

void part_init() {
    std::fill(std::begin(particles), std::end(particles), part{});
    part_next = 0;
}

void part_clear() {
    std::fill(std::begin(particles), std::end(particles), part{});
    part_next = 0;
}

void part_spawn(float x, float y, int kind, int r, int g, int b, float angle, int advance) {
    if (part_next < 0 || part_next >= PARTICLE_MAX) part_next = 0;
    part& s = particles[part_next];
    s.birth++;
    s.x = x;
    s.y = y;
    s.r = r;
    s.g = g;
    s.b = b;
    s.life = rand_int(particle_life - 20, particle_life);

    float theta = 0, speed = 0;
    switch (kind) {
    case 0:
        theta = float(rand_int(0, 359));
        speed = float(rnd(3.0, 10.0));
        break;
    case 1:
        theta = angle;
        speed = 16.0f;
        s.life = 24;
        break;
    case 2:
        theta = std::trunc(angle);
        speed = 8.0f;
        break;
    case 3:
        theta = burst_angle(angle, 90.0f, 3);
        speed = float(rnd(3.0, 10.0));
        break;
    case 6:
        theta = burst_angle(angle, 45.0f, 7);
        speed = float(rnd(3.0, 10.0));
        break;
    case 7:
        theta = angle;
        speed = float(rnd(0.5, 1.0));
        break;
    case 8:
        theta = burst_angle(angle, 120.0f, 2);
        speed = float(rnd(3.0, 10.0));
        break;
    case 9:
        theta = float(rand_int(0, 359));
        speed = float(rnd(1.0, 13.0));
        break;
    default:
        break; // not a kind the game uses: the spark just hangs there
    }
    s.dx = speed * cos_deg(theta) * 2.0f;
    s.dy = speed * sin_deg(theta) * 2.0f;
    s.x += s.dx * float(advance);
    s.y += s.dy * float(advance);

    if (++part_next >= slots()) part_next = 0;
}

void part_update_all(int mode) {
    float right = float((mode == 1 ? screen_width : field_width) - 1);
    float bottom = float((mode == 1 ? screen_height : field_height) - 1);
    float decay = particle_decay;
    int n = slots();
#if defined(__SSE2__)
    __m128 last = _mm_setr_ps(right, bottom, right, bottom), dk = _mm_set1_ps(decay);
    for (int i = 0; i < n; i++) {
        part& p = particles[i];
        if (p.life > 0) {
            move(p, last, dk);
            fade(p);
        }
    }
#else
    for (int i = 0; i < n; i++) {
        part& p = particles[i];
        if (p.life > 0) step_in(p, right, bottom, decay);
    }
#endif
}

void part_draw_all() {
    int style = particle_style;
    if (style < 0 || style > 3) return;
    int n = slots();
    float cx = view_x(), cy = view_y();
    set_blend(BLEND_LIGHT);
    switch (style) {
    case 0:
        set_scale(2, 2);
        set_alpha(0.9f);
        set_line_width(2);
        for (int i = 0; i < n; i++) {
            const part& p = particles[i];
            if (p.life <= 0) continue;
            spark_colour(p, 1.25f);
            float px = p.x - cx, py = p.y - cy;
            draw_line(px, py, px + p.dx, py + p.dy, true);
        }
        set_alpha(1);
        set_line_width(2);
        break;
    case 1:
        set_scale(1, 1);
        for (int i = 0; i < n; i++) {
            const part& p = particles[i];
            if (p.life <= 0) continue;
            spark_colour(p, 1.5f);
            float px = p.x - cx, py = p.y - cy;
            set_alpha(0.8f);
            draw_image(img_particle, px, py);
            set_alpha(1);
            draw_image(img_particle, px + p.dx, py + p.dy);
        }
        set_alpha(1);
        break;
    case 2:
        set_scale(2, 2);
        set_alpha(0.35f);
        for (int i = 0; i < n; i++) {
            const part& p = particles[i];
            if (p.life <= 0) continue;
            spark_colour(p, 1.5f);
            draw_image(img_particle, p.x - cx + p.dx, p.y - cy + p.dy);
        }
        set_alpha(1);
        break;
    case 3:
        set_scale(3, 3);
        set_alpha(0.9f);
        set_line_width(2);
        for (int i = 0; i < n; i++) {
            const part& p = particles[i];
            if (p.life <= 0) continue;
            spark_colour(p, 1.25f);
            // A streak stretched along the motion, centred half a step behind the spark.
            set_rotation(atan2_deg(-p.dy, -p.dx));
            set_scale(std::sqrt(p.dx * p.dx + p.dy * p.dy) * 0.5f, 0.3f);
            draw_image(img_particle, p.x - cx - p.dx * 0.5f, p.y - cy - p.dy * 0.5f);
            set_rotation(0);
            set_scale(1, 1);
        }
        set_alpha(1);
        set_line_width(2);
        break;
    }
    set_scale(1, 1);
}

void part_fireworks(int placement) {
    int a = rand_int(0, 3), b = rand_int(0, 3), c = rand_int(0, 3);
    int x, y;
    if (placement == 1) {
        // Along one of the four screen edges.
        if (rand_int(0, 1) == 0) {
            x = rand_int(100, screen_width - 100);
            y = rand_int(0, 1) == 0 ? 16 : screen_height - 16;
        } else {
            y = rand_int(50, screen_height - 50);
            x = rand_int(0, 1) == 0 ? 16 : screen_width - 16;
        }
    } else if (placement == 2) {
        x = screen_width / 2;
        y = screen_height / 2;
    } else {
        x = rand_int(100, screen_width - 100);
        y = rand_int(50, screen_height - 50);
    }
    for (int i = 0; i < 64; i++) part_spawn(float(x), float(y), 0, 64 * a, 64 * b, 64 * c, 0.0f, 1);
}

void part_gravity() {
    int n = slots();
    blackhole_list.for_each([n](blackhole* h) {
        if (!h->active) return;
        float m = h->mass, hx = h->centre_x, hy = h->centre_y;
        float reach = m * 10.0f;
        // Square roots only where they can matter: beyond this squared distance (the reach
        // with room for rounding) d < reach cannot hold, and a speed is over 15 only if its
        // square is over 225. The tests themselves are the exact ones.
        float near = reach * reach * 1.0001f;
        for (int i = 0; i < n; i += 2) {
            part& p = particles[i];
            if (p.life <= 0) continue;
            float ex = hx - p.x, ey = hy - p.y;
            float d2 = ex * ex + ey * ey;
            if (d2 < near) {
                float d = std::sqrt(d2);
                if (d > 0.0f && d < reach) {
                    if (d >= m + 24.0f) {
                        p.dx += (ex / d) / 2.0f;
                        p.dy += (ey / d) / 2.0f;
                    } else {
                        // In the core: kept alive and whirled faster.
                        p.life += 4;
                        p.dx *= 1.045f;
                        p.dy *= 1.045f;
                    }
                }
            }
            float s2 = p.dx * p.dx + p.dy * p.dy;
            if (s2 > 225.0f) {
                float speed = std::sqrt(s2);
                if (speed > 15.0f) {
                    p.dx /= speed;
                    p.dy /= speed;
                }
            }
        }
    });
}

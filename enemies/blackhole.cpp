#include "enemies/blackhole.h"

#include "audio/sound_bank.h"
#include "enemies/butterfly.h"
#include "enemies/enemy.h"
#include "enemies/seeker.h"
#include "media/media.h"
#include "player/ship.h"
#include "playfield/grid.h"
#include "playfield/particles.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/score.h"
#include "shell/pose.h"

#include <algorithm>
#include <cmath>
#include <memory>

actor_list<blackhole> blackhole_list;
int blackhole_channel_next = 0;
long blackholes_shot_down = 0, blackholes_overloaded = 0;

namespace {

constexpr int NO_CHANNEL = -1; // decoration holes of the attract screens never hum

// The held channel of the hole's hum, or null for a hole that has no slot.
channel* slot(const blackhole& h) {
    if (h.channel < 0 || h.channel >= SFX_HELD_CHANNELS) return nullptr;
    return &sfx_channels[h.channel];
}

bool slot_taken(int index) {
    bool taken = false;
    blackhole_list.for_each([&](blackhole* h) { taken = taken || h->channel == index; });
    return taken;
}

// The next slot in rotation that no living hole holds; with at most four holes in play and
// eight slots one is always free, so a living hole never loses its hum to a newcomer.
int take_slot() {
    for (int tries = 0; tries < SFX_HELD_CHANNELS; tries++) {
        int index = blackhole_channel_next;
        blackhole_channel_next =
            blackhole_channel_next >= SFX_HELD_CHANNELS - 1 ? 0 : blackhole_channel_next + 1;
        if (!slot_taken(index)) return index;
    }
    return NO_CHANNEL;
}

void stop_hum(blackhole& h) {
    channel* c = slot(h);
    if (!c || *c == 0) return;
    stop_channel(*c);
    *c = 0;
}

void set_hum_rate(blackhole& h) {
    channel* c = slot(h);
    if (c && *c != 0) set_channel_rate(*c, h.mass / 16.0f);
}

void wake(blackhole& h) {
    h.active = 1;
    stop_hum(h);
    if (channel* c = slot(h)) *c = enemy_sfx(snd_bondloop, 1, h.x, h.y);
    grid_push(h.x, h.y, 6, 1.0f);
}

void wobble(blackhole& h) {
    h.centre_x = h.x + sin_deg(2 * h.angle) * h.mass / 2.5f;
    h.centre_y = h.y + cos_deg(2 * h.angle) * h.mass / 2.5f;
}

// A ring of eight sparks on a point circling the hole at `orbit`.
void spark_ring(const blackhole& h, float orbit, float ring) {
    for (int i = 0; i < 8; i++) {
        float a = h.angle + 45.0f * float(i);
        float px = h.x + sin_deg(h.angle) * orbit + sin_deg(a) * ring;
        float py = h.y + cos_deg(h.angle) * orbit + cos_deg(a) * ring;
        part_spawn(px, py, 7, drift_colour.r, drift_colour.g, drift_colour.b, 0, 0);
    }
}

void red_sparks(float x, float y, int n) {
    for (int i = 0; i < n; i++) part_spawn(x, y, 0, 255, 32, 32, 0, 1);
}

blackhole* make(float x, float y, float mass, float speed_lo, float speed_hi) {
    auto h = std::make_unique<blackhole>();
    h->x = h->centre_x = x;
    h->y = h->centre_y = y;
    h->mass = mass;
    h->angle = float(rand_int(0, 359));
    float a = float(rand_int(0, 359)), s = float(rnd(speed_lo, speed_hi));
    h->dx = cos_deg(a) * s;
    h->dy = sin_deg(a) * s;
    return blackhole_list.add(std::move(h));
}

} // namespace

blackhole* blackhole::place(float x, float y, float mass) {
    if (blackhole_list.size() >= BLACKHOLE_TITLE_MAX) return nullptr;
    blackhole* h = make(x, y, mass, 1, 4);
    h->active = 1;
    h->channel = NO_CHANNEL;
    return h;
}

void blackhole::title_update() {
    angle += 1;
    x += dx;
    y += dy;
    enemy_bounce(x, y, dx, dy, 32, float(screen_width), float(screen_height));
    wobble(*this);
    if (active && std::fmod(angle, 25.0f) == 0) spark_ring(*this, 2 * mass, 8);
}

blackhole* blackhole::create(float x, float y, float mass, int spawn_delay) {
    if (blackhole_list.size() >= BLACKHOLE_MAX) return nullptr;
    spawn_point(x, y, int(player_x), int(player_y), 100);
    enemy_sfx(snd_sun1, 1, x, y);
    int index = take_slot();
    blackhole* h = make(x, y, mass, 0.05f, 0.5f);
    h->channel = index;
    h->spawn_delay = spawn_delay;
    return h;
}

void blackhole::update() {
    if (spawn_delay > 0) {
        spawn_delay--;
        return;
    }
    angle += 1;
    x += dx;
    y += dy;
    enemy_bounce(x, y, dx, dy, 16, float(field_width), float(field_height));
    wobble(*this);
    if (active) grid_pull(x, y, int(5 + mass / 2), 4.0f);
    repel();
    float ex = x - player_x, ey = y - player_y, r = 12 + mass / 2;
    if (ex * ex + ey * ey < r * r + 144) {
        touched = 1;
        if (kill_player()) {
            discard();
            return;
        }
    }
    if (!active) return;
    if (std::fmod(angle, 6.0f) == 0) spark_ring(*this, mass * 1.5f, 3);
    if (std::fmod(angle, 25.0f) == 0) {
        float pan, volume;
        enemy_pan(x, y, pan, volume);
        if (auto* c = slot(*this)) update_held_sfx(*c, pan, volume);
    }
}

void blackhole::repel() {
    blackhole_list.for_each([this](blackhole* o) {
        if (o == this) return;
        float ex = o->x - x, ey = o->y - y;
        float k = std::clamp((o->mass - mass) / 8.0f, 1.0f, 8.0f);
        float d = std::sqrt(ex * ex + ey * ey) + 0.001f;
        if (d >= 2 * o->mass + 2 * mass + 64) return;
        float ax = ex / d * k, ay = ey / d * k;
        if (d < o->mass + mass) {
            // Overlapping holes push apart with a sideways twist.
            ax = -ax - ay * 0.25f;
            ay = -ay - ax * 0.25f;
        }
        dx += ax;
        dy += ay;
        float v = std::sqrt(dx * dx + dy * dy);
        if (v > blackhole_speed) {
            dx = dx / v * blackhole_speed;
            dy = dy / v * blackhole_speed;
        }
    });
}

void blackhole::hit(int by_player) {
    if (!blackhole_list.contains(this)) return;
    if (!active) wake(*this);
    mass -= 0.75f;
    set_hum_rate(*this);
    if (by_player == 0) mass = 0;
    red_sparks(x, y, 4);
    if (mass >= 4) {
        enemy_sfx(snd_sunhit1, 1.1f + (64 - mass) / 64, x, y);
        return;
    }
    grid_push(x, y, 8, 2.0f);
    stop_hum(*this);
    blackhole_list.remove(this);
    red_sparks(x, y, 32);
    if (by_player) {
        add_score(int(x), int(y), 150 + 5 * (eaten * (eaten + 1) / 2), 1);
        blackholes_shot_down++;
    }
    enemy_sfx(snd_explo1_big, 1, x, y);
}

void blackhole::feed(float amount) {
    if (!blackhole_list.contains(this)) return;
    eaten += 1;
    int f = std::min(1 + frame_count / 15000, 6);
    mass += amount * float(f);
    if (!active) wake(*this);
    set_hum_rate(*this);
    if (mass <= 64) {
        enemy_sfx(snd_sizzle1, 1, x, y);
        return;
    }
    // Overloaded: it bursts into a ring of seekers and butterflies, for no points.
    blackholes_overloaded++;
    stop_hum(*this);
    for (int i = 0; i < 16; i++) {
        float a = 22.5f * float(i);
        seeker::create(float(int(x + cos_deg(a) * 20)), float(int(y + sin_deg(a) * 20)), 2, 1);
    }
    for (int i = 0; i < 18; i++) {
        float a = 20.0f * float(i);
        butterfly::create(float(int(x + cos_deg(a) * 30)), float(int(y + sin_deg(a) * 30)), 2);
    }
    blackhole_list.remove(this);
    for (int i = 0; i < 36; i++) {
        float a = 10.0f * float(i);
        part_spawn(x + sin_deg(a) * 20, y + cos_deg(a) * 20, 0, 255, 32, 32, 0, 1);
    }
    enemy_sfx(snd_sunexp, 1, x, y);
}

void blackhole::draw() {
    float ox = x - view_x(), oy = y - view_y();
    set_color(255, 32, 32);
    set_origin(ox, oy);
    set_blend(BLEND_ALPHA);
    float t = std::fmod(angle / 16.0f, 8.0f) + 0.5f;
    if (spawn_delay > 0) {
        set_alpha(float(spawn_delay) / 40.0f);
        set_scale(float(spawn_delay) / 5.0f, float(spawn_delay) / 5.0f);
    } else {
        set_alpha(0.5f - t / 8.0f);
        set_scale(t + mass / 16.0f, t + mass / 16.0f);
    }
    draw_poly(&circle_table[0][0], 18, 0, 0);
    set_color(255, 255, 255);
    set_origin(0, 0);
    set_alpha(1);
    float s = 0.25f + mass / 64.0f;
    set_scale(s, s);
    set_blend(BLEND_LIGHT);
    draw_image(img_redcircle, ox, oy, 0);
    set_scale(1, 1);
}

void blackhole::discard() {
    if (!blackhole_list.contains(this)) return;
    stop_hum(*this);
    blackhole_list.remove(this);
}

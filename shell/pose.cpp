#include "shell/pose.h"

#include "playfield/grid.h"
#include "shell/play_frame.h"
#include "shell/world_lists.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>
#include <cmath>
#include <vector>

namespace {

// Nothing drawn moves this far in one step but by a jump: a new ship, a respawn, a new view.
constexpr float JUMP = 64;

struct spot {
    const void* who;
    float x, y, angle;
};

struct list_pose {
    std::vector<spot> then, now;
};

bool posed = false;
int faults = 0;
float posed_view_x = 0, posed_view_y = 0;
int then_camera_x = 0, then_camera_y = 0;
float then_player_x = 0, then_player_y = 0;
int then_ship_angle = 0;
float now_player_x = 0, now_player_y = 0;
int now_ship_angle = 0;
std::vector<spot> then_sparks, now_sparks;
std::vector<int> then_life;
std::vector<float> then_nodes, now_nodes;

void pose_fault(const char* what) {
    if (faults++ == 0) std::fprintf(stderr, "vexlume2: %s\n", what);
}

// Exactly `now` at a = 1, whatever rounding the step would give.
float between(float now, float then, float a) { return now - (now - then) * (1 - a); }

// Angles turn the short way round.
float turn_between(float now, float then, float a) {
    float d = std::fmod(now - then + 540.0f, 360.0f) - 180.0f;
    return now - d * (1 - a);
}

bool jumped(float x, float y, float tx, float ty) {
    return std::fabs(x - tx) > JUMP || std::fabs(y - ty) > JUMP;
}

template <class T> float angle_of(T* o) {
    if constexpr (requires { o->angle; })
        return o->angle;
    else
        return 0;
}

template <class T> void set_angle(T* o, float a) {
    if constexpr (requires { o->angle; }) o->angle = a;
}

template <class T> void remember(actor_list<T>& list, list_pose& p) {
    p.then.clear();
    list.for_each([&](T* o) { p.then.push_back({o, o->x, o->y, angle_of(o)}); });
}

// Objects keep their order in a list, the new ones after the rest: a walk through both in
// step finds what each object was, if anything.
template <class T> void pose(actor_list<T>& list, list_pose& p, float a) {
    p.now.clear();
    size_t k = 0;
    list.for_each([&](T* o) {
        p.now.push_back({o, o->x, o->y, angle_of(o)});
        while (k < p.then.size() && p.then[k].who != o) k++;
        if (k == p.then.size()) return;
        const spot& w = p.then[k++];
        if (jumped(o->x, o->y, w.x, w.y)) return;
        o->x = between(o->x, w.x, a);
        o->y = between(o->y, w.y, a);
        set_angle(o, turn_between(angle_of(o), w.angle, a));
    });
}

// Drawing may neither add nor remove an object: each one must be the one posed, in order.
template <class T> void restore(actor_list<T>& list, list_pose& p) {
    size_t k = 0, found = 0;
    list.for_each([&](T* o) {
        size_t j = k;
        while (j < p.now.size() && p.now[j].who != o) j++;
        if (j == p.now.size()) {
            pose_fault("an object appeared while a frame was drawn");
            return; // it was never moved: nothing to put back
        }
        k = j;
        found++;
        const spot& w = p.now[k++];
        o->x = w.x;
        o->y = w.y;
        set_angle(o, w.angle);
    });
    if (found != p.now.size()) pose_fault("an object vanished while a frame was drawn");
}

list_pose list_poses[WORLD_LIST_COUNT];

template <class F> void each_list(F&& f) {
    // What stands on whole pixels (score popups) stands still: nothing to draw between.
    world_lists([&](auto& list, list_role, int slot) {
        if constexpr (std::is_same_v<decltype(list.first()->x), float>) f(list, list_poses[slot]);
    });
}

int spark_slots() { return std::clamp(particle_count, 0, PARTICLE_MAX); }

} // namespace

float view_x() { return posed ? posed_view_x : float(camera_x); }
float view_y() { return posed ? posed_view_y : float(camera_y); }
bool pose_active() { return posed; }
int pose_faults() { return faults; }

void pose_remember() {
    then_camera_x = camera_x, then_camera_y = camera_y;
    then_player_x = player_x, then_player_y = player_y;
    then_ship_angle = ship_angle;
    each_list([](auto& list, list_pose& p) { remember(list, p); });
    int n = spark_slots();
    then_sparks.resize(size_t(n));
    then_life.resize(size_t(n));
    for (int i = 0; i < n; i++) {
        then_sparks[size_t(i)] = {nullptr, particles[i].x, particles[i].y, 0};
        then_life[size_t(i)] = particles[i].life;
    }
    then_nodes.resize(grid.size() * 2);
    for (size_t i = 0; i < grid.size(); i++) {
        then_nodes[2 * i] = grid[i].x;
        then_nodes[2 * i + 1] = grid[i].y;
    }
}

void pose_at(float a) {
    if (posed || a >= 1) return; // the step itself: nothing to move
    posed = true;
    posed_view_x = float(camera_x), posed_view_y = float(camera_y);
    if (!jumped(float(camera_x), float(camera_y), float(then_camera_x), float(then_camera_y))) {
        posed_view_x = between(float(camera_x), float(then_camera_x), a);
        posed_view_y = between(float(camera_y), float(then_camera_y), a);
    }
    now_player_x = player_x, now_player_y = player_y, now_ship_angle = ship_angle;
    if (!jumped(player_x, player_y, then_player_x, then_player_y)) {
        player_x = between(player_x, then_player_x, a);
        player_y = between(player_y, then_player_y, a);
        ship_angle = int(std::lround(turn_between(float(ship_angle), float(then_ship_angle), a)));
    }
    each_list([a](auto& list, list_pose& p) { pose(list, p, a); });
    int n = std::min(spark_slots(), int(then_sparks.size()));
    now_sparks.resize(size_t(n));
    for (int i = 0; i < n; i++) {
        part& s = particles[i];
        now_sparks[size_t(i)] = {nullptr, s.x, s.y, 0};
        // A spark that was thrown again since has nothing to come from.
        const spot& w = then_sparks[size_t(i)];
        if (s.life <= 0 || s.life > then_life[size_t(i)] || jumped(s.x, s.y, w.x, w.y)) continue;
        s.x = between(s.x, w.x, a);
        s.y = between(s.y, w.y, a);
    }
    if (then_nodes.size() == grid.size() * 2) {
        now_nodes.resize(grid.size() * 2);
        for (size_t i = 0; i < grid.size(); i++) {
            gridpoint& g = grid[i];
            now_nodes[2 * i] = g.x;
            now_nodes[2 * i + 1] = g.y;
            g.x = between(g.x, then_nodes[2 * i], a);
            g.y = between(g.y, then_nodes[2 * i + 1], a);
        }
    } else {
        now_nodes.clear();
    }
}

void pose_restore() {
    if (!posed) return;
    posed = false;
    player_x = now_player_x, player_y = now_player_y, ship_angle = now_ship_angle;
    each_list([](auto& list, list_pose& p) { restore(list, p); });
    for (size_t i = 0; i < now_sparks.size(); i++) {
        particles[i].x = now_sparks[i].x;
        particles[i].y = now_sparks[i].y;
    }
    for (size_t i = 0; i * 2 < now_nodes.size(); i++) {
        grid[i].x = now_nodes[2 * i];
        grid[i].y = now_nodes[2 * i + 1];
    }
}

#include "player/shots.h"

#include "shell/game_state.h"

actor_list<shot> shots;

void shot_fire(float x, float y, float dx, float dy, float speed) {
    if (shots.size() >= SHOT_MAX) return;
    shots.add(std::make_unique<shot>(shot{x, y, dx, dy, speed}));
}

void shot::update() {}
int shot::hit_test() { return 0; }
void shot::bend_all() {}
void shot::bend(float, float, int, int) {}

void shots_update() {
    shots.for_each([](shot* s) { s->update(); });
}

void shots_draw() {}

void smart_bomb() {
    if (bombs <= 0) return;
    menu_cooldown = 60;
    bombs -= 1;
}

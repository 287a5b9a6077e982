// Sparks: a fixed ring of slots overwritten oldest first, so spawning never allocates or fails.
#pragma once

struct part {
    float x = 0, y = 0;   // playfield pixels (screen pixels on the attract screens)
    float dx = 0, dy = 0; // per update
    int r = 0, g = 0, b = 0;
    int life = 0; // updates left; live while above 0
    unsigned birth = 0; // sparks this slot has held: drawing tells a new one from the last

    // One update inside the playfield, or inside the screen for the attract screens.
    void step();
    void step_screen();
};

constexpr int PARTICLE_MAX = 10000;

extern part particles[PARTICLE_MAX];
extern int part_next; // the slot the next spawn overwrites

// Settings.
extern int particle_count;   // slots in use, at most PARTICLE_MAX
extern int particle_life;    // upper bound of a new spark's life
extern float particle_decay; // velocity factor per update
extern int particle_gravity; // black holes pull sparks
extern int particle_style;   // 0..3

void part_init();
void part_clear();
// Kinds: 0 any way, 1 ring (angle, lives 24), 2 aimed, 3 four-way, 6 eight-way, 7 slow drift,
// 8 three-way, 9 any way with a wider speed range.
void part_spawn(float x, float y, int kind, int r, int g, int b, float angle, int advance);
// Mode 1 bounds sparks by the screen (attract screens), anything else by the playfield.
void part_update_all(int mode);
// Styles 1-3 draw the image set's particle picture (img_particle of the display set-up).
void part_draw_all();
// 64 sparks of one random colour: 1 near a screen edge, 2 at the centre, else anywhere.
void part_fireworks(int placement);
// Active black holes suck in every second spark and whirl the ones in their core.
void part_gravity();

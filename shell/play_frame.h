// One frame of play, and the view and colour state every drawing reads.
#pragma once

extern int camera_x, camera_y; // playfield point shown at the screen's top-left corner

// A slowly wandering colour for shields, rainbows and grid effects.
struct wandering_colour {
    int r = 250, g = 20, b = 30;
    float vr = -3, vg = 5, vb = 7;
};
extern wandering_colour drift_colour;
void colour_cycle(float rate);

// 1 when (px, py) is within r of the segment (x1, y1)-(x2, y2).
int segment_near(float x1, float y1, float x2, float y2, float px, float py, float r);
// The bomb: every enemy in every list explodes without scoring.
void destroy_all_enemies();

// The three calls of a play frame, after the spawn director.
void play_step();
void world_update(int step);
void draw_frame();

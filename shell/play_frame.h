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

// The three calls of a play frame, after the spawn director.
void play_step();
void world_update(int step);
void draw_frame();

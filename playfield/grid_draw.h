// The twenty looks of the spring grid. Every look draws the nodes where they are now, so all
// of them show the waves; even looks use the player's grid colour, most odd ones the drift colour.
#pragma once

// Settings.
extern int grid_style; // 0..19; anything else draws no grid
extern int grid_red, grid_green, grid_blue;
extern float grid_opacity; // its magnitude is used
extern int full_grid;      // 1: the whole lattice; 0: only what the camera sees, plus a margin

constexpr int GRID_STYLES = 20;

// The cells drawn this frame: columns c0..c1-1, rows r0..r1-1 (c1, r1 are read by edges
// joining a node to its right or lower neighbour).
struct grid_window {
    int c0, c1, r0, r1;
};
grid_window grid_visible();

void grid_draw(int style);
// The animated looks turn once a game step, drawn or not.
void grid_looks_step();
// The animated looks back at their first step.
void grid_looks_reset();

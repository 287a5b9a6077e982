// The spring lattice behind the playfield: nodes that follow their neighbours, are pulled
// back to rest, and carry every shot, explosion and black hole forward as waves.
#pragma once

#include <cstddef>
#include <vector>

struct gridpoint {
    float ox = 0, oy = 0; // rest position, playfield pixels
    float x = 0, y = 0;   // current position
    float dx = 0, dy = 0; // velocity per frame

    // One physics step toward the neighbours' average (tx, ty) and the rest position.
    void update(float tx, float ty);
    // Adds a velocity kick; big kicks are scaled down and a runaway speed is folded back.
    void impulse(float ax, float ay);
};

// Settings: the spacing index (0 -> 4, 1 -> 8, 2 -> 16, 3 -> 32 pixels).
extern int grid_spacing;

extern int grid_spacing_x, grid_spacing_y; // pixels between node columns / rows
extern int grid_cols, grid_rows;           // cells; node columns are 0..grid_cols

// Nodes column by column: node (c, r) is grid[c * (grid_rows + 1) + r].
extern std::vector<gridpoint> grid;

inline gridpoint& grid_at(int col, int row) {
    return grid[std::size_t(col) * std::size_t(grid_rows + 1) + std::size_t(row)];
}

// Largest lattice the storage is sized for: the biggest playfield of the size table at 4 px.
constexpr int GRID_MAX_COLS = 1280, GRID_MAX_ROWS = 1024;

// Pixels per cell for a spacing index; an index outside 0..3 is clamped.
int grid_spacing_pixels(int index);
// Picks the spacing from the setting, sizes the lattice to the playfield and resets it.
// Called by the display set-up; the only place the lattice may allocate.
void grid_size(int field_w, int field_h);

// Every node back at rest on its lattice point. Also re-sizes the storage when grid_cols or
// grid_rows were changed directly.
void grid_reset();
// The per-frame pass, in place, columns then rows ascending; edge nodes never move.
void grid_relax();

// Velocity toward (x, y) for nodes in a disc of `radius` cells; negative strength repels.
void grid_pull(float x, float y, int radius, float strength);
// Outward velocity proportional to each node's rest offset, for nearby, calm nodes.
void grid_push(float x, float y, int radius, float strength);
// An explosion: clamped impulses on the nodes within about three cells of (x, y).
void grid_burst(int x, int y);

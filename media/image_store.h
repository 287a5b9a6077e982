// What an image is inside the layer: one texture holding all frames as cells of an atlas.
#pragma once

#include "media.h"

#include <vector>

struct image_cell {
    int x, y;             // texel position of the frame in the atlas
    float u0, v0, u1, v1; // its texture coordinates
};

struct media_image {
    int width = 0, height = 0, frames = 0;
    float handle_x = 0, handle_y = 0;
    unsigned texture = 0;
    int atlas_w = 0, atlas_h = 0;
    std::vector<image_cell> cells;
};

// Frees every live image's texture and forgets it (display shut-down).
void images_release_all();

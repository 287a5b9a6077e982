// The four image sets the game loads from gfx/solid, gfx/low, gfx/med and gfx/high.
#pragma once

#include <string>
#include <vector>

#include "media/image_png.h"
#include "raster.h"

// One picture of a set: a single image or a horizontal strip of equal cells.
struct set_picture {
    std::string file;
    int cell_w, cell_h, frames;
    rgba_picture pic;
};

extern const char* const image_set_folders[4]; // "solid", "low", "med", "high"

// The player's claw, nose towards -y, k times its play size; with the spine for drawing.
std::vector<raster::vec2> ship_claw(float k);
raster::shape ship_shape(float k);

// Renders every picture of one set (0 solid .. 3 high), deterministically.
std::vector<set_picture> render_image_set(int set);

// Writes all four sets under outdir/gfx/; files whose pixels would not change are left alone.
// Returns false when a folder or file cannot be written.
bool gen_images(const std::string& outdir);

// Writes pic to path through a temporary file unless the file already holds these pixels.
// Sets `written` to whether the file changed. Shared by the other generators' image output.
bool write_png_if_changed(const std::string& path, const rgba_picture& pic, bool& written);

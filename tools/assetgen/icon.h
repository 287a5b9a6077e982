// The desktop icon: the player's ship riding a dent in the glowing lattice, on a dark tile.
#pragma once

#include <string>

#include "media/image_png.h"

// The icon at size x size pixels (straight-alpha RGBA, transparent round the tile).
rgba_picture render_icon(int size);

// Writes outdir/SxS/apps/vexlume2.png for S = 48, 64, 128 and 256, as the hicolor theme
// lays them out. Returns false when a folder or file cannot be written.
bool gen_icons(const std::string& outdir);

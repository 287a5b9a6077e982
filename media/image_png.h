// PNG decoding (libpng) into RGBA pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct rgba_picture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // R, G, B, A per pixel, top row first
};

// False (and an empty picture) when the file is missing or not a readable PNG.
bool png_read(const std::string& path, rgba_picture& out);
bool png_write(const std::string& path, const rgba_picture& pic);

// The built-in 8 x 16 font, codes 32-127, as a 1-bit strip of 768 x 16 pixels:
// 96 bytes per pixel row, bit k of a byte is pixel column k of that glyph.
#pragma once

#include <cstdint>

constexpr int FONT_W = 8, FONT_H = 16, FONT_FIRST = 32, FONT_GLYPHS = 96;

const uint8_t (&font_strip())[FONT_H][FONT_GLYPHS];
bool font_pixel(int code, int x, int y);

// Lit pixels of a glyph as a few rectangles (runs of a row merged with equal runs below).
struct font_run {
    uint8_t x, y, w, h;
};
// Runs of the glyph for code (32-127) and their count; no runs for other codes.
const font_run* font_runs(int code, int& count);

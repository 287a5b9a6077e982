// The game's own stroke font: every text of the game is drawn as glowing line segments.
#pragma once

#include <string>

struct bbdigit {
    float x1, y1, x2, y2; // grid units: 5 wide, rows 0-6 plus a descender row 7
};

extern int glyph_count[128];          // segments minus 1; -1 where a code draws nothing
extern bbdigit glyph_segments[128][8];

void vector_text_init();
// Draws text with its first cell's top-left corner at (x, y); each character advances 5 x scale.
void draw_vector_text(const std::string& text, float x, float y, float scale);

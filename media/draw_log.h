// A record of every drawing call, kept only while a test asks for it, so tests can
// check what was drawn where, in which colour, alpha, blend, scale and rotation.
#pragma once

#include "media.h"

#include <string>
#include <vector>

enum draw_op { OP_PLOT, OP_LINE, OP_RECT, OP_OVAL, OP_POLY, OP_TEXT, OP_IMAGE, OP_PRIM };

struct draw_record {
    int op;
    float x, y, x2, y2; // position; second point of a line, size of a rect or oval
    int r, g, b;
    float alpha;
    int blend;
    float scale_x, scale_y, rotation, line_width;
    image img;
    int frame;
    std::string text;
    int prim_kind, vertices; // for OP_PRIM
};

extern bool draw_log_enabled;
extern std::vector<draw_record> draw_log;

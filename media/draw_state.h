// The layer's drawing state, shared by the drawing and image code.
#pragma once

#include <cstdint>

struct draw_state_t {
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    int blend = 2;
    float scale_x = 1, scale_y = 1, rotation = 0;
    float origin_x = 0, origin_y = 0;
    float line_width = 1;
    bool line_smooth = false;
    bool line_quads = false;
    int vp_x = 0, vp_y = 0, vp_w = 0, vp_h = 0; // w = 0: the whole screen
    int clear_r = 0, clear_g = 0, clear_b = 0;
    // scale then rotation, as a 2 x 2 matrix
    float m00 = 1, m01 = 0, m10 = 0, m11 = 1;
    // the current vertex colour: set by set_color, set_alpha and prim_color
    uint32_t vertex_rgba = 0xffffffffu;
};

extern draw_state_t draw_state;
void draw_state_reset();

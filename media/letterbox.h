// The game's own screen (its logical size) fitted into whatever the window really has:
// scaled with its aspect kept, centred, black bars outside. Pure arithmetic, so the SDL
// backend and the tests share it.
#pragma once

struct letterbox {
    int logical_w = 0, logical_h = 0; // the game's screen
    int real_w = 0, real_h = 0;       // the drawable, in real pixels
    float scale = 1;                  // real pixels per game pixel
    int x = 0, y = 0, w = 0, h = 0;   // the picture inside the drawable, top-left origin

    // Real pixel (top-left origin) to the game's pixel; points on the bars land on the edge.
    void to_logical(float rx, float ry, int& lx, int& ly) const;
    // The game's pixel to the real pixel at its centre.
    void to_real(float lx, float ly, float& rx, float& ry) const;
    // A rectangle of game pixels to the real pixels that cover it (rounded outward).
    void rect_to_real(int lx, int ly, int lw, int lh, int& rx, int& ry, int& rw, int& rh) const;
    bool identity() const { return x == 0 && y == 0 && w == real_w && h == real_h && scale == 1; }
};

letterbox letterbox_fit(int logical_w, int logical_h, int real_w, int real_h);

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

// Follows the pointer in the game's pixels from the window points that mouse events and
// warps use. Most motions move a fraction of a game pixel that a reading cannot show: it is
// carried into the next motion instead of dropped, so steering by the offset from a pointer
// put back at the centre each frame keeps its sensitivity at every scale, and a pointer put
// on a game pixel reads back that pixel however many game pixels share its real one.
struct pointer_track {
    // The picture and the window's size in points; a changed mapping starts afresh.
    void fit(const letterbox& box, int window_w, int window_h);
    // The pointer was seen at window point (wx, wy).
    void seen(int wx, int wy);
    // Puts the pointer on game pixel (lx, ly); (wx, wy) is the window point to warp it to.
    void place(int lx, int ly, int& wx, int& wy);
    // The game pixel under the pointer; points on the bars read as the edge.
    int x() const { return ax.read(); }
    int y() const { return ay.read(); }

    // One axis, in exact integers: the game position is whole + part / den, and window point
    // p, sampled at its centre, lies at game position (zero + p * step) / den.
    struct axis {
        int size = 1;        // game pixels
        int real = 1;        // drawable pixels
        int at = 0, pic = 1; // the picture's start and size, drawable pixels
        int window = 1;      // window points
        long long den = 2, step = 2, zero = 1;
        bool known = false; // seen or placed since the mapping changed
        int point = 0;      // the window point it was last seen or put at
        int whole = 0;
        long long part = 1; // 0 <= part < den
        void fit(int logical, int real_size, int pic_at, int pic_size, int window_size);
        void seen(int p);
        int place(int l);
        int read() const;
    };
    axis ax, ay;
};

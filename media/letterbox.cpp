#include "media/letterbox.h"

#include <algorithm>
#include <cmath>

letterbox letterbox_fit(int logical_w, int logical_h, int real_w, int real_h) {
    letterbox b;
    b.logical_w = std::max(logical_w, 1);
    b.logical_h = std::max(logical_h, 1);
    b.real_w = std::max(real_w, 1);
    b.real_h = std::max(real_h, 1);
    float sx = float(b.real_w) / float(b.logical_w), sy = float(b.real_h) / float(b.logical_h);
    b.scale = std::min(sx, sy);
    // The fitting axis fills the drawable exactly; the other is centred with whole pixels,
    // at least one: a wide screen in a window of a pixel or two would round to none.
    if (sx <= sy) {
        b.w = b.real_w;
        b.h = std::clamp(int(std::lround(float(b.logical_h) * b.scale)), 1, b.real_h);
    } else {
        b.h = b.real_h;
        b.w = std::clamp(int(std::lround(float(b.logical_w) * b.scale)), 1, b.real_w);
    }
    b.x = (b.real_w - b.w) / 2;
    b.y = (b.real_h - b.h) / 2;
    return b;
}

void letterbox::to_logical(float rx, float ry, int& lx, int& ly) const {
    float fx = (rx - float(x)) * float(logical_w) / float(w);
    float fy = (ry - float(y)) * float(logical_h) / float(h);
    lx = std::clamp(int(std::floor(fx)), 0, logical_w - 1);
    ly = std::clamp(int(std::floor(fy)), 0, logical_h - 1);
}

void letterbox::to_real(float lx, float ly, float& rx, float& ry) const {
    rx = float(x) + (lx + 0.5f) * float(w) / float(logical_w);
    ry = float(y) + (ly + 0.5f) * float(h) / float(logical_h);
}

void letterbox::rect_to_real(int lx, int ly, int lw, int lh, int& rx, int& ry, int& rw,
                             int& rh) const {
    float kx = float(w) / float(logical_w), ky = float(h) / float(logical_h);
    int x0 = x + int(std::floor(float(lx) * kx)), y0 = y + int(std::floor(float(ly) * ky));
    int x1 = x + int(std::ceil(float(lx + lw) * kx)), y1 = y + int(std::ceil(float(ly + lh) * ky));
    rx = x0;
    ry = y0;
    rw = std::max(x1 - x0, 0);
    rh = std::max(y1 - y0, 0);
}

namespace {
long long floor_div(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
} // namespace

void pointer_track::axis::fit(int logical, int real_size, int pic_at, int pic_size,
                              int window_size) {
    logical = std::max(logical, 1);
    real_size = std::max(real_size, 1);
    pic_size = std::max(pic_size, 1);
    window_size = std::max(window_size, 1);
    if (logical == size && real_size == real && pic_at == at && pic_size == pic &&
        window_size == window)
        return; // the same mapping: what was carried stays
    size = logical;
    real = real_size;
    at = pic_at;
    pic = pic_size;
    window = window_size;
    den = 2LL * window * pic;
    step = 2LL * real * size;
    zero = (real - 2LL * at * window) * size;
    known = false;
    part = den / 2; // a pointer put before it is seen sits at its game pixel's centre
}

void pointer_track::axis::seen(int p) {
    long long n = known ? part + (p - point) * step : zero + p * step;
    long long carry = floor_div(n, den);
    whole = known ? int(whole + carry) : int(carry);
    part = n - carry * den;
    point = p;
    known = true;
}

int pointer_track::axis::place(int l) {
    // The window point whose centre is nearest the centre of game pixel l.
    long long num = ((2LL * l + 1) * pic + 2LL * at * size) * window;
    point = int(floor_div(num, 2LL * size * real));
    whole = l;
    known = true;
    return point;
}

int pointer_track::axis::read() const { return std::clamp(whole, 0, size - 1); }

void pointer_track::fit(const letterbox& box, int window_w, int window_h) {
    ax.fit(box.logical_w, box.real_w, box.x, box.w, window_w);
    ay.fit(box.logical_h, box.real_h, box.y, box.h, window_h);
}

void pointer_track::seen(int wx, int wy) {
    ax.seen(wx);
    ay.seen(wy);
}

void pointer_track::place(int lx, int ly, int& wx, int& wy) {
    wx = ax.place(lx);
    wy = ay.place(ly);
}

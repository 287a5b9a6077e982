#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace raster {

namespace {
constexpr float pi = 3.14159265358979f;
float rad(float degrees) { return degrees * pi / 180.0f; }
float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

struct segment {
    vec2 a, d; // start and direction
    float inv_len2;
};

float segment_dist2(const segment& s, float px, float py) {
    float ex = px - s.a.x, ey = py - s.a.y;
    float t = (ex * s.d.x + ey * s.d.y) * s.inv_len2;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    float qx = ex - s.d.x * t, qy = ey - s.d.y * t;
    return qx * qx + qy * qy;
}

std::vector<segment> segments_of(const std::vector<vec2>& pts, bool closed) {
    std::vector<segment> out;
    size_t n = pts.size();
    if (n == 1) out.push_back({pts[0], {0, 0}, 0});
    for (size_t i = 0; i + 1 < n || (closed && n > 2 && i < n); i++) {
        vec2 a = pts[i], b = pts[(i + 1) % n];
        vec2 d = b - a;
        float l2 = d.x * d.x + d.y * d.y;
        out.push_back({a, d, l2 > 0 ? 1.0f / l2 : 0.0f});
    }
    return out;
}
} // namespace

colour rgb255(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }
colour mix(colour a, colour b, float t) { return a * (1 - t) + b * t; }

vec2 rotate(vec2 p, float degrees) {
    float c = std::cos(rad(degrees)), s = std::sin(rad(degrees));
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

std::vector<vec2> rotate(const std::vector<vec2>& pts, float degrees) {
    std::vector<vec2> out;
    for (vec2 p : pts) out.push_back(rotate(p, degrees));
    return out;
}

std::vector<vec2> scale(const std::vector<vec2>& pts, float sx, float sy) {
    std::vector<vec2> out;
    for (vec2 p : pts) out.push_back({p.x * sx, p.y * sy});
    return out;
}

std::vector<vec2> translate(const std::vector<vec2>& pts, vec2 by) {
    std::vector<vec2> out;
    for (vec2 p : pts) out.push_back(p + by);
    return out;
}

std::vector<vec2> regular(int corners, float radius, float first_degrees) {
    std::vector<vec2> out;
    for (int i = 0; i < corners; i++) {
        float a = rad(first_degrees + 360.0f * i / corners);
        out.push_back({std::cos(a) * radius, std::sin(a) * radius});
    }
    return out;
}

std::vector<vec2> star(int points, float outer, float inner, float first_degrees) {
    std::vector<vec2> out;
    for (int i = 0; i < points * 2; i++) {
        float a = rad(first_degrees + 180.0f * i / points);
        float r = (i % 2) ? inner : outer;
        out.push_back({std::cos(a) * r, std::sin(a) * r});
    }
    return out;
}

shape& shape::poly(const std::vector<vec2>& pts, bool closed) {
    paths.push_back({pts, closed});
    return *this;
}
shape& shape::line(vec2 a, vec2 b) { return poly({a, b}, false); }
shape& shape::circle(vec2 c, float r) {
    rings.push_back({c, r});
    return *this;
}
shape& shape::arc(vec2 c, float r, float from_degrees, float to_degrees) {
    int steps = std::max(2, int(std::fabs(to_degrees - from_degrees) / 4.0f) + 1);
    std::vector<vec2> pts;
    for (int i = 0; i <= steps; i++) {
        float a = rad(from_degrees + (to_degrees - from_degrees) * i / steps);
        pts.push_back({c.x + std::cos(a) * r, c.y + std::sin(a) * r});
    }
    return poly(pts, false);
}
shape& shape::add(const shape& other) {
    paths.insert(paths.end(), other.paths.begin(), other.paths.end());
    rings.insert(rings.end(), other.rings.begin(), other.rings.end());
    return *this;
}

canvas::canvas(int width, int height, int supersample)
    : w_(width), h_(height), ss_(supersample),
      light_(size_t(width) * height * supersample * supersample * 3, 0.0f) {}

float canvas::to_sample_x(float x) const { return (x + w_ * 0.5f) * ss_; }
float canvas::to_sample_y(float y) const { return (y + h_ * 0.5f) * ss_; }

void canvas::bounds(float x0, float y0, float x1, float y1, int& sx0, int& sy0, int& sx1,
                    int& sy1) const {
    sx0 = std::max(0, int(std::floor(to_sample_x(x0))));
    sy0 = std::max(0, int(std::floor(to_sample_y(y0))));
    sx1 = std::min(w_ * ss_ - 1, int(std::ceil(to_sample_x(x1))));
    sy1 = std::min(h_ * ss_ - 1, int(std::ceil(to_sample_y(y1))));
}

void canvas::stroke(const shape& s, const pen& p) {
    std::vector<segment> segs;
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const auto& path : s.paths) {
        auto more = segments_of(path.pts, path.closed);
        segs.insert(segs.end(), more.begin(), more.end());
        for (vec2 q : path.pts) {
            x0 = std::min(x0, q.x), y0 = std::min(y0, q.y);
            x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
        }
    }
    for (const auto& r : s.rings) {
        x0 = std::min(x0, r.c.x - r.r), y0 = std::min(y0, r.c.y - r.r);
        x1 = std::max(x1, r.c.x + r.r), y1 = std::max(y1, r.c.y + r.r);
    }
    if (x0 > x1) return;
    float reach = p.width * 0.5f + 1.0f;
    if (p.glow > 0) reach = std::max(reach, p.glow * 3.0f);
    if (p.bloom > 0) reach = std::max(reach, p.bloom * 3.0f);
    int sx0, sy0, sx1, sy1;
    bounds(x0 - reach, y0 - reach, x1 + reach, y1 + reach, sx0, sy0, sx1, sy1);

    const float sample = 1.0f / ss_; // picture pixels per sample
    const float half = p.width * 0.5f;
    const float hot_half = half * 0.7f;
    const float inv_glow = p.glow > 0 ? 1.0f / p.glow : 0.0f;
    const float inv_bloom = p.bloom > 0 ? 1.0f / p.bloom : 0.0f;
    for (int sy = sy0; sy <= sy1; sy++) {
        float py = (sy + 0.5f) * sample - h_ * 0.5f;
        for (int sx = sx0; sx <= sx1; sx++) {
            float px = (sx + 0.5f) * sample - w_ * 0.5f;
            float d2 = 1e18f;
            for (const auto& sg : segs) d2 = std::min(d2, segment_dist2(sg, px, py));
            float d = std::sqrt(d2);
            for (const auto& r : s.rings) {
                float ex = px - r.c.x, ey = py - r.c.y;
                d = std::min(d, std::fabs(std::sqrt(ex * ex + ey * ey) - r.r));
            }
            if (d > reach) continue;
            float k = p.core * clamp01((half - d) / sample + 0.5f);
            if (inv_glow > 0) k += p.glow_gain * std::exp(-(d * inv_glow) * (d * inv_glow));
            if (inv_bloom > 0) k += p.bloom_gain * std::exp(-(d * inv_bloom) * (d * inv_bloom));
            if (k > 0) put(sx, sy, p.col, k);
            if (p.hot > 0) {
                float h = p.hot * clamp01((hot_half - d) / sample + 0.5f);
                if (h > 0) put(sx, sy, white, h);
            }
        }
    }
}

void canvas::fill(const std::vector<vec2>& poly, colour c, float amount) {
    if (poly.size() < 3) return;
    auto segs = segments_of(poly, true);
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (vec2 q : poly) {
        x0 = std::min(x0, q.x), y0 = std::min(y0, q.y);
        x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    }
    int sx0, sy0, sx1, sy1;
    bounds(x0 - 1, y0 - 1, x1 + 1, y1 + 1, sx0, sy0, sx1, sy1);
    const float sample = 1.0f / ss_;
    size_t n = poly.size();
    for (int sy = sy0; sy <= sy1; sy++) {
        float py = (sy + 0.5f) * sample - h_ * 0.5f;
        for (int sx = sx0; sx <= sx1; sx++) {
            float px = (sx + 0.5f) * sample - w_ * 0.5f;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const vec2 &a = poly[i], &b = poly[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            float d2 = 1e18f;
            for (const auto& sg : segs) d2 = std::min(d2, segment_dist2(sg, px, py));
            float d = std::sqrt(d2) / sample;
            float cov = inside ? clamp01(0.5f + d) : clamp01(0.5f - d);
            if (cov > 0) put(sx, sy, c, amount * cov);
        }
    }
}

void canvas::fill_disc(vec2 c, float r, colour col, float amount) {
    int sx0, sy0, sx1, sy1;
    bounds(c.x - r - 1, c.y - r - 1, c.x + r + 1, c.y + r + 1, sx0, sy0, sx1, sy1);
    const float sample = 1.0f / ss_;
    for (int sy = sy0; sy <= sy1; sy++) {
        float py = (sy + 0.5f) * sample - h_ * 0.5f - c.y;
        for (int sx = sx0; sx <= sx1; sx++) {
            float px = (sx + 0.5f) * sample - w_ * 0.5f - c.x;
            float cov = clamp01((r - std::sqrt(px * px + py * py)) / sample + 0.5f);
            if (cov > 0) put(sx, sy, col, amount * cov);
        }
    }
}

void canvas::glow(vec2 c, float radius, colour col, float amount) {
    float reach = radius * 3.0f;
    int sx0, sy0, sx1, sy1;
    bounds(c.x - reach, c.y - reach, c.x + reach, c.y + reach, sx0, sy0, sx1, sy1);
    const float sample = 1.0f / ss_;
    const float inv = 1.0f / (radius * radius);
    for (int sy = sy0; sy <= sy1; sy++) {
        float py = (sy + 0.5f) * sample - h_ * 0.5f - c.y;
        for (int sx = sx0; sx <= sx1; sx++) {
            float px = (sx + 0.5f) * sample - w_ * 0.5f - c.x;
            put(sx, sy, col, amount * std::exp(-(px * px + py * py) * inv));
        }
    }
}

void canvas::add(const canvas& other, float k) {
    if (other.light_.size() != light_.size()) return;
    for (size_t i = 0; i < light_.size(); i++) light_[i] += other.light_[i] * k;
}

std::vector<uint8_t> canvas::finish() const {
    std::vector<uint8_t> out(size_t(w_) * h_ * 4, 0);
    const int sw = w_ * ss_;
    const float inv_n = 1.0f / float(ss_ * ss_);
    for (int y = 0; y < h_; y++) {
        for (int x = 0; x < w_; x++) {
            float l[3] = {0, 0, 0};
            for (int j = 0; j < ss_; j++) {
                const float* row = &light_[(size_t(y * ss_ + j) * sw + size_t(x) * ss_) * 3];
                for (int i = 0; i < ss_ * 3; i += 3) {
                    l[0] += row[i], l[1] += row[i + 1], l[2] += row[i + 2];
                }
            }
            // The outermost two pixels fade out so a halo never ends in a hard box edge.
            float edge =
                std::min(std::min(x + 0.5f, w_ - x - 0.5f), std::min(y + 0.5f, h_ - y - 0.5f));
            float fade = std::min(1.0f, edge / 2.0f) * inv_n;
            // Brightness saturates smoothly while the hue stays that of the light added, so
            // each colour keeps the hue the game tints that kind with.
            float peak = std::max(l[0], std::max(l[1], l[2])) * fade;
            float m = 1.0f - std::exp(-peak);
            float c[3];
            for (int k = 0; k < 3; k++) c[k] = peak > 0 ? l[k] * fade * (m / peak) : 0.0f;
            uint8_t* px = &out[(size_t(y) * w_ + x) * 4];
            float a = std::sqrt(m);
            int a8 = int(a * 255.0f + 0.5f);
            if (a8 == 0) continue;
            for (int k = 0; k < 3; k++)
                px[k] = uint8_t(std::min(255, int(c[k] / a * 255.0f + 0.5f)));
            px[3] = uint8_t(a8);
        }
    }
    return out;
}

void blit(std::vector<uint8_t>& strip, int strip_w, const std::vector<uint8_t>& cell, int w, int h,
          int x0) {
    for (int y = 0; y < h; y++)
        std::memcpy(&strip[(size_t(y) * strip_w + x0) * 4], &cell[size_t(y) * w * 4],
                    size_t(w) * 4);
}

} // namespace raster

// A small software rasteriser for neon line art: light is added into a float canvas
// (anti-aliased strokes, fills and glows), then finished into straight-alpha RGBA bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace raster {

struct vec2 {
    float x = 0, y = 0;
};
inline vec2 operator+(vec2 a, vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline vec2 operator-(vec2 a, vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline vec2 operator*(vec2 a, float k) { return {a.x * k, a.y * k}; }

// Linear light; components may exceed 1 where lines overlap.
struct colour {
    float r = 0, g = 0, b = 0;
};
inline colour operator*(colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }
inline colour operator+(colour a, colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
colour rgb255(int r, int g, int b);
colour mix(colour a, colour b, float t);
constexpr colour white{1, 1, 1};

// Point helpers for building outlines: degrees, clockwise on screen like the game.
vec2 rotate(vec2 p, float degrees);
std::vector<vec2> rotate(const std::vector<vec2>& pts, float degrees);
std::vector<vec2> scale(const std::vector<vec2>& pts, float sx, float sy);
std::vector<vec2> translate(const std::vector<vec2>& pts, vec2 by);
std::vector<vec2> regular(int corners, float radius, float first_degrees);
std::vector<vec2> star(int points, float outer, float inner, float first_degrees);

// Outlines that are stroked in one pass, so joints and crossings are not lit twice.
struct shape {
    struct path {
        std::vector<vec2> pts;
        bool closed;
    };
    struct ring {
        vec2 c;
        float r;
    };
    std::vector<path> paths;
    std::vector<ring> rings;

    shape& poly(const std::vector<vec2>& pts, bool closed = true);
    shape& line(vec2 a, vec2 b);
    shape& circle(vec2 c, float r);
    shape& arc(vec2 c, float r, float from_degrees, float to_degrees);
    shape& add(const shape& other);
};

// How a stroke lights the canvas: a hard anti-aliased core plus up to two gaussian halos.
struct pen {
    colour col;
    float width = 2.0f;     // core width in picture pixels
    float core = 2.5f;      // core brightness
    float hot = 0.0f;       // extra white along the middle of the core
    float glow = 0.0f;      // inner halo radius (picture pixels), 0 for none
    float glow_gain = 0.0f; // inner halo brightness at the line
    float bloom = 0.0f;     // outer halo radius
    float bloom_gain = 0.0f;
};

// A picture being drawn. Drawing coordinates are picture pixels with (0, 0) at the picture
// centre; the canvas keeps `supersample` samples per pixel on each axis for anti-aliasing.
class canvas {
  public:
    canvas(int width, int height, int supersample);
    int width() const { return w_; }
    int height() const { return h_; }
    int supersample() const { return ss_; }

    void stroke(const shape& s, const pen& p);
    // Even-odd fill of one outline, anti-aliased at its edges.
    void fill(const std::vector<vec2>& poly, colour c, float amount);
    void fill_disc(vec2 c, float r, colour col, float amount);
    // Gaussian light blob: amount at the centre, 1/e at `radius`.
    void glow(vec2 c, float radius, colour col, float amount);
    // Adds another canvas of the same size (light adds up).
    void add(const canvas& other, float k = 1.0f);

    // Box-filters the samples down to picture pixels and turns light into straight-alpha
    // RGBA: alpha follows brightness, colour is pre-darkened where alpha is low, so the
    // picture looks the same drawn additively and close to it alpha-blended.
    std::vector<uint8_t> finish() const;

  private:
    int w_, h_, ss_;
    std::vector<float> light_; // r, g, b per sample
    float to_sample_x(float x) const;
    float to_sample_y(float y) const;
    void bounds(float x0, float y0, float x1, float y1, int& sx0, int& sy0, int& sx1,
                int& sy1) const;
    void put(int sx, int sy, colour c, float k) {
        float* p = &light_[(size_t(sy) * w_ * ss_ + sx) * 3];
        p[0] += c.r * k;
        p[1] += c.g * k;
        p[2] += c.b * k;
    }
};

// Copies a finished w x h picture into a wider strip at column x0.
void blit(std::vector<uint8_t>& strip, int strip_w, const std::vector<uint8_t>& cell, int w, int h,
          int x0);

} // namespace raster

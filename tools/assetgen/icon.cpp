#include "icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "images.h"
#include "raster.h"

using namespace raster;

namespace {

// Drawn in units of a 64-unit icon, so every size is the same picture.
constexpr float half_tile = 29.5f, corner = 10.0f;
const colour tile_colour = rgb255(5, 6, 18);
const colour lattice_colour = rgb255(40, 70, 255);
const colour ship_colour = rgb255(225, 240, 255);
const colour spark_colour = rgb255(255, 170, 60);
constexpr vec2 ship_at{0, 3};

// How much of the pixel at (x, y) the rounded tile covers, for its anti-aliased edge.
float tile_cover(float x, float y, float k) {
    float inner = (half_tile - corner) * k;
    float dx = std::max(std::fabs(x) - inner, 0.0f), dy = std::max(std::fabs(y) - inner, 0.0f);
    float outside = std::sqrt(dx * dx + dy * dy) - corner * k;
    return std::clamp(0.5f - outside, 0.0f, 1.0f);
}

// The lattice bulges away from the ship as the grid gives way under it in play.
vec2 dented(vec2 p) {
    vec2 d = p - ship_at;
    float r = std::sqrt(d.x * d.x + d.y * d.y);
    if (r < 1e-3f) return p;
    float push = 6.0f * std::exp(-(r / 13.0f) * (r / 13.0f));
    return p + d * (push / r);
}

void draw_lattice(canvas& cv, float k) {
    pen p;
    p.col = lattice_colour;
    // Thin lines stay visible at 48 pixels by being dimmer rather than thinner.
    p.width = std::max(0.9f, 0.7f * k);
    p.core = k < 2 ? 0.45f : 0.65f;
    p.glow = 1.2f * k;
    p.glow_gain = 0.22f;
    for (float at = -28; at <= 28; at += 8)
        for (bool across : {false, true}) {
            std::vector<vec2> pts;
            for (float t = -34; t <= 34; t += 2) {
                vec2 q = dented(across ? vec2{t, at} : vec2{at, t});
                pts.push_back(q * k);
            }
            shape s;
            s.poly(pts, false);
            cv.stroke(s, p); // line by line: each stroke only visits its own strip
        }
}

void draw_ship(canvas& cv, float k) {
    const float size = 1.45f * k;
    std::vector<vec2> claw = translate(ship_claw(size), ship_at * k);
    cv.fill(claw, ship_colour, 0.25f);
    shape s = ship_shape(size);
    for (auto& path : s.paths) path.pts = translate(path.pts, ship_at * k);
    pen p;
    p.col = ship_colour;
    p.width = std::max(1.3f, 1.6f * k);
    p.core = 2.6f;
    p.hot = 1.2f;
    p.glow = 1.6f * k;
    p.glow_gain = 0.7f;
    p.bloom = 4.5f * k;
    p.bloom_gain = 0.25f;
    cv.stroke(s, p);
    // Exhaust sparks behind the tail.
    const vec2 sparks[] = {{0, 18}, {-2.5f, 21}, {2, 23}, {-0.5f, 25.5f}};
    for (int i = 0; i < 4; i++)
        cv.glow(sparks[i] * k, (1.7f - 0.25f * i) * k, spark_colour, 2.0f - 0.35f * i);
}

} // namespace

rgba_picture render_icon(int size) {
    const float k = size / 64.0f;
    canvas cv(size, size, size >= 128 ? 2 : 4);
    draw_lattice(cv, k);
    draw_ship(cv, k);
    std::vector<uint8_t> light = cv.finish();
    // The light adds onto the dark tile; outside the tile the icon is clear.
    rgba_picture pic{size, size, std::vector<uint8_t>(size_t(size) * size * 4, 0)};
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            float cover = tile_cover(x + 0.5f - size * 0.5f, y + 0.5f - size * 0.5f, k);
            if (cover <= 0) continue;
            const uint8_t* l = &light[(size_t(y) * size + x) * 4];
            uint8_t* px = &pic.pixels[(size_t(y) * size + x) * 4];
            float a = l[3] / 255.0f;
            const float base[3] = {tile_colour.r, tile_colour.g, tile_colour.b};
            for (int c = 0; c < 3; c++)
                px[c] = uint8_t(std::min(255.0f, (base[c] + l[c] / 255.0f * a) * 255.0f + 0.5f));
            px[3] = uint8_t(cover * 255.0f + 0.5f);
        }
    return pic;
}

bool gen_icons(const std::string& outdir) {
    bool ok = true;
    for (int size : {48, 64, 128, 256}) {
        const std::string dir =
            outdir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        bool changed = false;
        if (ec || !write_png_if_changed(dir + "/vexlume2.png", render_icon(size), changed)) {
            std::fprintf(stderr, "assetgen: cannot write %s/vexlume2.png\n", dir.c_str());
            ok = false;
        }
    }
    return ok;
}

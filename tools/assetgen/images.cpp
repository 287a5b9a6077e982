// The game's pictures: neon outlines in each enemy's play colour, sized to the gameplay
// radii and drawn at the same on-screen size in every set; the sets differ in canvas size
// and in how much glow surrounds the lines.
#include "images.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "raster.h"

using namespace raster;

const char* const image_set_folders[4] = {"solid", "low", "med", "high"};

// The player's claw, nose towards -y.
std::vector<vec2> ship_claw(float k) {
    return scale({{0, -14}, {3.5f, -5}, {12, 9}, {4, 5}, {0, 9}, {-4, 5}, {-12, 9}, {-3.5f, -5}}, k,
                 k);
}

shape ship_shape(float k) {
    shape s;
    s.poly(ship_claw(k));
    s.line(vec2{0, -9} * k, vec2{0, 3} * k);
    return s;
}

namespace {

// How one set renders a line.
struct look {
    bool solid; // flat fills and plain edges, no halo
    float line; // core width
    float glow, glow_gain, bloom, bloom_gain;
    float hot;  // white-hot centre of the lines
    float fill; // light inside closed outlines
};

const look looks[4] = {
    {true, 1.7f, 0, 0, 0, 0, 0, 0.42f},                  // solid
    {false, 1.6f, 1.1f, 0.55f, 0, 0, 0.5f, 0},           // low: a thin halo
    {false, 1.7f, 1.4f, 0.55f, 3.0f, 0.16f, 1.1f, 0},    // med
    {false, 1.8f, 1.4f, 0.6f, 4.0f, 0.24f, 1.8f, 0.05f}, // high: wide bloom, hot cores
};

// Play colours, as the game tints each kind's outline and particles.
const colour c_square = rgb255(32, 255, 32);
const colour c_pinwheel = rgb255(200, 64, 255);
const colour c_diamond = rgb255(32, 255, 255);
const colour c_cube = rgb255(255, 32, 255);
const colour c_seeker = rgb255(32, 64, 255);
const colour c_blackhole = rgb255(255, 32, 32);
const colour c_snake = rgb255(190, 32, 255);
const colour c_interceptor = rgb255(255, 0, 32);
const colour c_butterfly = rgb255(128, 32, 255);
const colour c_triangle = rgb255(255, 128, 32);

// ------------------------------------------------------------------ drawing helpers

void neon(canvas& cv, const look& lk, const shape& s, colour c, float bright = 1.0f,
          float width = 1.0f) {
    pen p;
    p.col = c;
    p.width = lk.line * width;
    p.core = 2.4f * bright;
    if (!lk.solid) {
        p.hot = lk.hot * bright;
        p.glow = lk.glow * width;
        p.glow_gain = lk.glow_gain * bright;
        p.bloom = lk.bloom;
        p.bloom_gain = lk.bloom_gain * bright;
    }
    cv.stroke(s, p);
}

// The body of a closed outline: solid in the solid set, a faint tint in the high set.
void body(canvas& cv, const look& lk, const std::vector<vec2>& outline, colour c,
          float bright = 1.0f) {
    if (lk.fill > 0) cv.fill(outline, c, lk.fill * bright);
}

void body_disc(canvas& cv, const look& lk, vec2 centre, float r, colour c, float bright = 1.0f) {
    if (lk.fill > 0) cv.fill_disc(centre, r, c, lk.fill * bright);
}

// A soft light in the middle of a shape, so the glowing sets read as lit from inside.
void heart(canvas& cv, const look& lk, vec2 at, float radius, colour c, float amount) {
    if (!lk.solid) cv.glow(at, radius, c, amount * (lk.bloom > 0 ? 1.0f : 0.6f));
}

std::vector<vec2> box(float hw, float hh) { return {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}}; }
std::vector<vec2> diamond(float hw, float hh) { return {{0, -hh}, {hw, 0}, {0, hh}, {-hw, 0}}; }

void arrow(shape& s, vec2 from, vec2 to, float head) {
    vec2 d = to - from;
    float len = std::sqrt(d.x * d.x + d.y * d.y);
    vec2 u = d * (1.0f / len);
    vec2 n{-u.y, u.x};
    s.line(from, to);
    s.poly({to - u * head + n * head * 0.8f, to, to - u * head - n * head * 0.8f}, false);
}

shape bomb_shape(float r, vec2 c) {
    shape s;
    s.circle(c, r);
    s.arc(c, r * 0.55f, 200, 270);
    s.poly({c + vec2{r * 0.62f, -r * 0.62f}, c + vec2{r * 0.95f, -r * 1.05f},
            c + vec2{r * 1.05f, -r * 1.3f}},
           false);
    return s;
}

vec2 bomb_spark(float r, vec2 c) { return c + vec2{r * 1.1f, -r * 1.45f}; }

colour pale(colour tint) { return mix(white, tint, 0.45f); }

// ------------------------------------------------------------------ the pictures

void draw_greensquare(canvas& cv, const look& lk, int) {
    body(cv, lk, box(12, 12), c_square);
    shape s;
    s.poly(box(12, 12)).poly(diamond(9, 9));
    neon(cv, lk, s, c_square);
    heart(cv, lk, {0, 0}, 3.0f, c_square, 0.5f);
}

shape cube_shape(float k) {
    std::vector<vec2> front = box(8.5f, 8.5f), back;
    front = translate(front, {-3.5f, 3.5f});
    back = translate(front, {7, -7});
    shape s;
    s.poly(scale(front, k, k)).poly(scale(back, k, k));
    for (int i = 0; i < 4; i++) s.line(front[i] * k, back[i] * k);
    return s;
}

std::vector<vec2> cube_outline(float k) {
    return scale({{-12, -5}, {-5, -12}, {12, -12}, {12, 5}, {5, 12}, {-12, 12}}, k, k);
}

void draw_purplesquare1(canvas& cv, const look& lk, int) {
    body(cv, lk, cube_outline(1), c_cube);
    neon(cv, lk, cube_shape(1), c_cube);
    heart(cv, lk, {0, 0}, 3.0f, c_cube, 0.4f);
}

void draw_purplesquare2(canvas& cv, const look& lk, int) {
    body(cv, lk, cube_outline(0.66f), c_cube);
    neon(cv, lk, cube_shape(0.66f), c_cube, 1.0f, 0.9f);
    heart(cv, lk, {0, 0}, 2.0f, c_cube, 0.4f);
}

void draw_bluediamond(canvas& cv, const look& lk, int) {
    body(cv, lk, diamond(10, 14), c_diamond);
    shape s;
    s.poly(diamond(10, 14)).poly(diamond(4.5f, 6.5f));
    neon(cv, lk, s, c_diamond);
    heart(cv, lk, {0, 0}, 2.5f, c_diamond, 0.5f);
}

void draw_pinkpinwheel(canvas& cv, const look& lk, int) {
    shape s;
    for (int k = 0; k < 4; k++) {
        auto blade = rotate({{0, 0}, {0, -13}, {10, -13}}, 90.0f * k);
        body(cv, lk, blade, c_pinwheel);
        s.poly(blade);
    }
    neon(cv, lk, s, c_pinwheel);
    heart(cv, lk, {0, 0}, 2.5f, c_pinwheel, 0.6f);
}

void draw_indigotriangle(canvas& cv, const look& lk, int) {
    auto outer = regular(3, 12.5f, -90);
    body(cv, lk, outer, c_butterfly);
    std::vector<vec2> inner;
    for (int i = 0; i < 3; i++) inner.push_back((outer[i] + outer[(i + 1) % 3]) * 0.5f);
    shape s;
    s.poly(outer).poly(inner);
    neon(cv, lk, s, c_butterfly);
    heart(cv, lk, {0, 0}, 2.5f, c_butterfly, 0.5f);
}

void draw_orangetriangle(canvas& cv, const look& lk, int) {
    auto outer = regular(3, 13.5f, -90);
    body(cv, lk, outer, c_triangle);
    shape s;
    s.poly(outer).poly(regular(3, 6.0f, -90));
    neon(cv, lk, s, c_triangle);
    heart(cv, lk, {0, 0}, 2.0f, c_triangle, 0.6f);
}

void draw_bluecircle(canvas& cv, const look& lk, int) {
    body_disc(cv, lk, {0, 0}, 10.5f, c_seeker);
    shape s;
    s.circle({0, 0}, 10.5f).circle({0, 0}, 5.0f);
    for (int k = 0; k < 4; k++)
        s.line(rotate({0, -5.5f}, 45.0f + 90 * k), rotate({0, -10}, 45.0f + 90 * k));
    neon(cv, lk, s, c_seeker, 1.3f);
    heart(cv, lk, {0, 0}, 2.0f, c_seeker, 1.0f);
}

void draw_redclone(canvas& cv, const look& lk, int) {
    body(cv, lk, ship_claw(1.0f), c_interceptor);
    shape s = ship_shape(1.0f);
    s.line({0, -9}, {0, -3});
    neon(cv, lk, s, c_interceptor, 1.1f);
    heart(cv, lk, {0, 2}, 2.5f, c_interceptor, 0.5f);
}

void draw_redcircle(canvas& cv, const look& lk, int) {
    body_disc(cv, lk, {0, 0}, 36, c_blackhole, 0.5f);
    shape outer, mid, inner;
    outer.circle({0, 0}, 36);
    for (int k = 0; k < 6; k++) mid.arc({0, 0}, 27, 60.0f * k, 60.0f * k + 38);
    inner.circle({0, 0}, 16);
    neon(cv, lk, outer, c_blackhole, 1.1f, 1.3f);
    neon(cv, lk, mid, c_blackhole, 0.8f);
    neon(cv, lk, inner, c_blackhole, 0.7f, 0.9f);
    heart(cv, lk, {0, 0}, 9.0f, c_blackhole, 0.5f);
}

void draw_whiteplayer(canvas& cv, const look& lk, int) {
    // The game turns this picture by (heading - 90) degrees, so its nose points down (+y).
    const colour c = rgb255(235, 240, 255);
    body(cv, lk, scale(ship_claw(1.0f), 1, -1), c, 0.8f);
    shape s = ship_shape(1.0f);
    for (auto& p : s.paths) p.pts = scale(p.pts, 1, -1);
    neon(cv, lk, s, c, 1.1f);
}

void draw_yellowshot(canvas& cv, const look& lk, int) {
    // Turned by (heading + 90) degrees when drawn: the bolt points up (-y).
    const colour c = rgb255(255, 250, 150);
    shape s;
    s.line({0, -7}, {0, 6.5f});
    neon(cv, lk, s, c, 1.0f, 1.4f);
    if (!lk.solid) cv.glow({0, -5}, 1.6f, white, 0.8f);
}

void draw_whitestar(canvas& cv, const look& lk, int) {
    shape s;
    auto pts = star(8, 24, 18, -90);
    s.poly(pts);
    neon(cv, lk, s, white, 0.8f, 0.8f);
    if (!lk.solid)
        for (int i = 0; i < 16; i += 2) cv.glow(pts[i], 1.5f, white, 0.5f);
}

void draw_snakehead(canvas& cv, const look& lk, int) {
    // Turned by (heading + 90) degrees: the head looks up (-y).
    std::vector<vec2> outline = {{0, -13}, {9, -1}, {6, 7}, {3, 9}, {-3, 9}, {-6, 7}, {-9, -1}};
    body(cv, lk, outline, c_snake);
    shape s;
    s.poly(outline);
    neon(cv, lk, s, c_snake, 1.1f);
    for (float ex : {-4.2f, 4.2f}) {
        cv.fill_disc({ex, -2.5f}, 1.4f, white, 1.5f);
        heart(cv, lk, {ex, -2.5f}, 1.5f, c_snake, 1.0f);
    }
}

void draw_particle(canvas& cv, const look& lk, int) {
    if (lk.solid) {
        cv.fill_disc({0, 0}, 2.2f, white, 3.0f);
        return;
    }
    cv.fill_disc({0, 0}, 1.2f, white, 1.5f);
    float r = lk.bloom > 0 ? (lk.hot > 0.5f ? 2.2f : 1.9f) : 1.2f;
    cv.glow({0, 0}, r, white, 1.4f);
}

void draw_icons(canvas& cv, const look& lk, int frame) {
    if (frame == 0) {
        const colour c = rgb255(235, 240, 255);
        body(cv, lk, ship_claw(0.72f), c, 0.8f);
        neon(cv, lk, ship_shape(0.72f), c, 1.1f, 0.85f);
    } else {
        const colour c = rgb255(255, 225, 190);
        vec2 centre{-1.5f, 2.0f};
        body_disc(cv, lk, centre, 6.5f, c, 0.8f);
        neon(cv, lk, bomb_shape(6.5f, centre), c, 1.1f, 0.85f);
        cv.glow(bomb_spark(6.5f, centre), 1.3f, rgb255(255, 200, 80), 1.5f);
    }
}

void draw_snaketail(canvas& cv, const look& lk, int frame) {
    // Frame 23 sits behind the head and frame 0 is the tip of the tail.
    float t = frame / 23.0f;
    float size = 4.5f + 4.0f * t;
    colour c = mix(rgb255(110, 40, 255), c_snake, t);
    auto outline = diamond(size * 0.8f, size);
    body(cv, lk, outline, c);
    shape s;
    s.poly(outline);
    neon(cv, lk, s, c, 1.0f, 0.8f + 0.2f * t);
    heart(cv, lk, {0, 0}, 1.0f + size * 0.2f, c, 0.6f);
}

void draw_powerup(canvas& cv, const look& lk, int frame) {
    shape s;
    colour tint = white;
    switch (frame) {
    case 0: // extra cannon
        arrow(s, {-7, 12}, {-7, -6}, 3.5f);
        arrow(s, {0, 12}, {0, -12}, 3.5f);
        arrow(s, {7, 12}, {7, -6}, 3.5f);
        tint = rgb255(120, 255, 255);
        break;
    case 1: // twin cannons
        arrow(s, {-4, 11}, {-4, -10}, 3.5f);
        arrow(s, {4, 11}, {4, -10}, 3.5f);
        tint = rgb255(120, 255, 255);
        break;
    case 2: // back shooter
        arrow(s, {0, -2}, {0, 13}, 4.5f);
        s.poly({{-4, -7}, {0, -12}, {4, -7}}, false);
        s.line({-7, -2}, {7, -2});
        tint = rgb255(255, 255, 110);
        break;
    case 3: // side shooters
        arrow(s, {-2, 2}, {-13, 2}, 4.0f);
        arrow(s, {2, 2}, {13, 2}, 4.0f);
        s.poly({{-4, -5}, {0, -9}, {4, -5}}, false);
        tint = rgb255(255, 255, 110);
        break;
    case 4: // spare frame: a target
        s.circle({0, 0}, 11);
        for (int k = 0; k < 4; k++) s.line(rotate({0, -11}, 90.0f * k), rotate({0, -5}, 90.0f * k));
        tint = rgb255(200, 200, 255);
        break;
    case 5: // faster shots
        s.poly({{-8, -3}, {0, -11}, {8, -3}}, false);
        s.poly({{-8, 4}, {0, -4}, {8, 4}}, false);
        s.line({-5, 7}, {-5, 12});
        s.line({0, 5}, {0, 13});
        s.line({5, 7}, {5, 12});
        tint = rgb255(120, 255, 140);
        break;
    case 6: // extra ship
        s.add(ship_shape(0.78f));
        s.line({8, -11}, {14, -11});
        s.line({11, -14}, {11, -8});
        tint = rgb255(255, 255, 150);
        break;
    case 7: // super shots
        s.poly({{3, -13}, {-6, 1}, {0, 1}, {-3, 13}, {7, -2}, {1, -2}});
        tint = rgb255(255, 110, 110);
        break;
    case 8: { // extra bomb
        vec2 c{-1.5f, 2.5f};
        s.add(bomb_shape(8.5f, c));
        tint = rgb255(255, 190, 120);
        if (!lk.solid) cv.glow(bomb_spark(8.5f, c), 1.6f, rgb255(255, 200, 80), 1.5f);
        break;
    }
    case 9: { // shield
        std::vector<vec2> crest = {{0, -12}, {10, -8}, {9, 3}, {0, 12}, {-9, 3}, {-10, -8}};
        s.poly(crest);
        s.poly(scale(crest, 0.5f, 0.5f));
        tint = rgb255(120, 200, 255);
        break;
    }
    default: // bouncy shots
        s.poly({{-13, -7}, {-6.5f, 10}, {0, -3}, {6.5f, 10}, {11, 1}}, false);
        s.line({-13, 12.5f}, {13, 12.5f});
        s.circle({12, -2}, 2.5f);
        tint = rgb255(120, 255, 120);
        break;
    }
    colour c = pale(tint);
    for (const auto& p : s.paths)
        if (p.closed) body(cv, lk, p.pts, c, 0.6f);
    neon(cv, lk, s, c, 1.0f, 0.95f);
}

// ------------------------------------------------------------------ the set table

using draw_fn = void (*)(canvas&, const look&, int);

struct picture_row {
    const char* file;
    int w[4], h[4]; // cell size per set: solid, low, med, high
    int frames;
    draw_fn draw;
};

// Enemy-sized pictures hold the same ~26 px outline in every set; bigger cells only make
// room for more halo.
#define ENEMY {64, 32, 48, 64}, {64, 32, 48, 64}, 1
const picture_row pictures[] = {
    {"icons.png", {64, 24, 32, 64}, {64, 24, 32, 64}, 2, draw_icons},
    {"snaketail.png", {56, 32, 32, 56}, {56, 32, 32, 56}, 24, draw_snaketail},
    {"powerups.png", {64, 64, 64, 64}, {64, 64, 64, 64}, 11, draw_powerup},
    {"greensquare.png", ENEMY, draw_greensquare},
    {"purplesquare1.png", ENEMY, draw_purplesquare1},
    {"purplesquare2.png", ENEMY, draw_purplesquare2},
    {"bluediamond.png", ENEMY, draw_bluediamond},
    {"pinkpinwheel.png", ENEMY, draw_pinkpinwheel},
    {"indigotriangle.png", ENEMY, draw_indigotriangle},
    {"bluecircle.png", ENEMY, draw_bluecircle},
    {"redclone.png", ENEMY, draw_redclone},
    {"orangetriangle.png", ENEMY, draw_orangetriangle},
    {"redcircle.png", {128, 96, 112, 128}, {128, 96, 112, 128}, 1, draw_redcircle},
    {"whiteplayer.png", ENEMY, draw_whiteplayer},
    {"yellowshot.png", {16, 12, 16, 32}, {32, 24, 32, 48}, 1, draw_yellowshot},
    {"whitestar.png", {64, 56, 64, 80}, {64, 56, 64, 80}, 1, draw_whitestar},
    {"snakehead.png", ENEMY, draw_snakehead},
    {"particle.png", {8, 8, 16, 16}, {8, 8, 16, 16}, 1, draw_particle},
};
#undef ENEMY

} // namespace

std::vector<set_picture> render_image_set(int set) {
    const look& lk = looks[set];
    std::vector<set_picture> out;
    for (const auto& row : pictures) {
        int w = row.w[set], h = row.h[set];
        int ss = std::max(2, std::min(4, 256 / std::max(w, h)));
        set_picture sp{row.file, w, h, row.frames, {}};
        sp.pic.width = w * row.frames;
        sp.pic.height = h;
        sp.pic.pixels.assign(size_t(sp.pic.width) * h * 4, 0);
        for (int f = 0; f < row.frames; f++) {
            canvas cv(w, h, ss);
            row.draw(cv, lk, f);
            blit(sp.pic.pixels, sp.pic.width, cv.finish(), w, h, f * w);
        }
        out.push_back(std::move(sp));
    }
    return out;
}

bool write_png_if_changed(const std::string& path, const rgba_picture& pic, bool& written) {
    written = false;
    rgba_picture old;
    if (png_read(path, old) && old.width == pic.width && old.height == pic.height &&
        old.pixels == pic.pixels)
        return true;
    const std::string tmp = path + ".tmp";
    if (!png_write(tmp, pic)) {
        std::remove(tmp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::remove(tmp.c_str());
        return false;
    }
    written = true;
    return true;
}

bool gen_images(const std::string& outdir) {
    bool ok = true;
    int written = 0, kept = 0;
    for (int set = 0; set < 4; set++) {
        const std::string dir = outdir + "/gfx/" + image_set_folders[set];
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (ec) {
            std::fprintf(stderr, "assetgen: cannot create %s\n", dir.c_str());
            return false;
        }
        for (const auto& sp : render_image_set(set)) {
            const std::string path = dir + "/" + sp.file;
            bool changed = false;
            if (!write_png_if_changed(path, sp.pic, changed)) {
                std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
                ok = false;
            }
            changed ? written++ : kept++;
        }
    }
    std::printf("assetgen: images %d written, %d unchanged\n", written, kept);
    return ok;
}

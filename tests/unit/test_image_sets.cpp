// The staged image sets: every file the game loads, in every set, with the cell layout it
// asks for, lit where it should be, in the kind's play colour and facing the way it is turned.
#include "media/image_png.h"
#include "support/headless_env.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const set_names[4] = {"solid", "low", "med", "high"};

struct strip_layout {
    const char* file;
    int cell[4]; // square cells, per set
    int frames;
};
const strip_layout strips[] = {
    {"icons.png", {64, 24, 32, 64}, 2},
    {"snaketail.png", {56, 32, 32, 56}, 24},
    {"powerups.png", {64, 64, 64, 64}, 11},
};

const char* const singles[] = {
    "greensquare.png",    "purplesquare1.png",  "purplesquare2.png", "bluediamond.png",
    "pinkpinwheel.png",   "indigotriangle.png", "bluecircle.png",    "redclone.png",
    "orangetriangle.png", "redcircle.png",      "whiteplayer.png",   "yellowshot.png",
    "whitestar.png",      "snakehead.png",      "particle.png",
};

struct play_colour {
    const char* file;
    int r, g, b;
};
const play_colour enemy_colours[] = {
    {"greensquare.png", 32, 255, 32},     {"pinkpinwheel.png", 200, 64, 255},
    {"bluediamond.png", 32, 255, 255},    {"purplesquare1.png", 255, 32, 255},
    {"purplesquare2.png", 255, 32, 255},  {"bluecircle.png", 32, 64, 255},
    {"redcircle.png", 255, 32, 32},       {"snakehead.png", 190, 32, 255},
    {"redclone.png", 255, 0, 32},         {"indigotriangle.png", 128, 32, 255},
    {"orangetriangle.png", 255, 128, 32},
};

// One cell of a picture, read the way additive drawing shows it: colour times alpha.
struct cell_view {
    const rgba_picture* pic;
    int x0, w, h;

    const uint8_t* px(int x, int y) const {
        return &pic->pixels[(size_t(y) * pic->width + x0 + x) * 4];
    }
    float light(int x, int y) const {
        const uint8_t* p = px(x, y);
        return std::max({p[0], p[1], p[2]}) / 255.0f * p[3] / 255.0f;
    }
    float total() const {
        float t = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) t += light(x, y);
        return t;
    }
};

cell_view whole(const rgba_picture& p) { return {&p, 0, p.width, p.height}; }
cell_view cell(const rgba_picture& p, int size, int frame) {
    return {&p, frame * size, size, size};
}

struct extent {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    int width() const { return x1 - x0 + 1; }
    int height() const { return y1 - y0 + 1; }
};

// The bright lines of a picture, leaving out the halo.
extent lit_extent(const cell_view& c, float threshold = 0.35f) {
    extent e;
    for (int y = 0; y < c.h; y++)
        for (int x = 0; x < c.w; x++)
            if (c.light(x, y) >= threshold) {
                e.x0 = std::min(e.x0, x), e.x1 = std::max(e.x1, x);
                e.y0 = std::min(e.y0, y), e.y1 = std::max(e.y1, y);
            }
    return e;
}

// Hue in degrees of the saturated light, averaged on the colour circle.
float dominant_hue(const cell_view& c) {
    double sx = 0, sy = 0;
    for (int y = 0; y < c.h; y++)
        for (int x = 0; x < c.w; x++) {
            const uint8_t* p = c.px(x, y);
            float r = p[0] / 255.0f, g = p[1] / 255.0f, b = p[2] / 255.0f;
            float mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
            if (d <= 0) continue;
            float h = mx == r   ? std::fmod((g - b) / d + 6.0f, 6.0f)
                      : mx == g ? (b - r) / d + 2.0f
                                : (r - g) / d + 4.0f;
            float weight = d * p[3] / 255.0f; // saturation times brightness times alpha
            sx += weight * std::cos(h * M_PI / 3.0);
            sy += weight * std::sin(h * M_PI / 3.0);
        }
    float deg = float(std::atan2(sy, sx) * 180.0 / M_PI);
    return deg < 0 ? deg + 360.0f : deg;
}

float hue_of(int r, int g, int b) {
    rgba_picture one{1, 1, {uint8_t(r), uint8_t(g), uint8_t(b), 255}};
    return dominant_hue(whole(one));
}

float hue_distance(float a, float b) {
    float d = std::fabs(a - b);
    return std::min(d, 360.0f - d);
}

// Width of the lit span in one row.
int row_span(const cell_view& c, int y, float threshold = 0.35f) {
    int x0 = -1, x1 = -1;
    for (int x = 0; x < c.w; x++)
        if (c.light(x, y) >= threshold) {
            if (x0 < 0) x0 = x;
            x1 = x;
        }
    return x0 < 0 ? 0 : x1 - x0 + 1;
}

class image_sets : public media_test {
  protected:
    void SetUp() override {
        media_test::SetUp();
        const char* dir = std::getenv("VEX_GAME_DIR");
        ASSERT_NE(dir, nullptr) << "VEX_GAME_DIR is not set; run the tests through ctest";
        root_ = dir;
        ASSERT_TRUE(std::filesystem::is_directory(root_ + "/gfx/high"))
            << "no staged image sets under " << root_ << "/gfx; run `make stage` first";
    }
    std::string path(int set, const std::string& file) const {
        // fs::path joins without the string concatenation GCC 12 misreads as overlapping.
        return (std::filesystem::path(root_) / "gfx" / set_names[set] / file).string();
    }
    rgba_picture read(int set, const std::string& file) const {
        rgba_picture p;
        EXPECT_TRUE(png_read(path(set, file), p)) << path(set, file);
        return p;
    }
    std::string root_;
};

} // namespace

TEST_F(image_sets, every_file_loads_with_the_cells_the_game_cuts_it_into) {
    for (int set = 0; set < 4; set++) {
        SCOPED_TRACE(set_names[set]);
        for (const auto& s : strips) {
            SCOPED_TRACE(s.file);
            const int size = s.cell[set];
            rgba_picture p = read(set, s.file);
            EXPECT_EQ(p.width, size * s.frames);
            EXPECT_EQ(p.height, size);
            image img = load_anim_image(path(set, s.file), size, size, 0, s.frames);
            ASSERT_NE(img, nullptr);
            EXPECT_EQ(image_frames(img), s.frames);
            EXPECT_EQ(image_width(img), size);
            EXPECT_EQ(image_height(img), size);
            free_image(img);
        }
        for (const char* file : singles) {
            SCOPED_TRACE(file);
            rgba_picture p = read(set, file);
            image img = load_image(path(set, file));
            ASSERT_NE(img, nullptr);
            EXPECT_EQ(image_frames(img), 1);
            EXPECT_EQ(image_width(img), p.width);
            EXPECT_EQ(image_height(img), p.height);
            free_image(img);
        }
    }
}

TEST_F(image_sets, every_cell_is_lit_centred_and_fades_out_before_its_edge) {
    // Images are drawn about their centre, additively: an off-centre cell wobbles when it
    // turns, and a halo cut by the cell edge shows as a faint box.
    auto check = [](const cell_view& c) {
        float total = c.total();
        EXPECT_GT(total, 3.0f) << "an empty or black cell";
        double mx = 0, my = 0;
        float edge = 0;
        for (int y = 0; y < c.h; y++)
            for (int x = 0; x < c.w; x++) {
                float l = c.light(x, y);
                mx += l * (x + 0.5), my += l * (y + 0.5);
                if (x == 0 || y == 0 || x == c.w - 1 || y == c.h - 1) edge = std::max(edge, l);
            }
        if (total <= 0) return;
        EXPECT_NEAR(mx / total, c.w / 2.0, c.w / 6.0);
        EXPECT_NEAR(my / total, c.h / 2.0, c.h / 6.0);
        EXPECT_LT(edge, 0.05f);
    };
    for (int set = 0; set < 4; set++) {
        SCOPED_TRACE(set_names[set]);
        for (const auto& s : strips) {
            rgba_picture p = read(set, s.file);
            if (p.width != s.cell[set] * s.frames) continue; // reported by the layout test
            for (int f = 0; f < s.frames; f++) {
                SCOPED_TRACE(testing::Message() << s.file << " frame " << f);
                check(cell(p, s.cell[set], f));
            }
        }
        for (const char* file : singles) {
            SCOPED_TRACE(file);
            rgba_picture p = read(set, file);
            if (p.width > 0) check(whole(p));
        }
    }
}

TEST_F(image_sets, enemies_glow_in_their_play_colours) {
    for (int set = 0; set < 4; set++) {
        SCOPED_TRACE(set_names[set]);
        for (const auto& e : enemy_colours) {
            rgba_picture p = read(set, e.file);
            if (p.width == 0) continue;
            EXPECT_LT(hue_distance(dominant_hue(whole(p)), hue_of(e.r, e.g, e.b)), 8.0f) << e.file;
        }
        // The tail segment behind the head carries the snake's colour too.
        rgba_picture tail = read(set, "snaketail.png");
        int size = strips[1].cell[set];
        if (tail.width == size * 24) {
            EXPECT_LT(hue_distance(dominant_hue(cell(tail, size, 23)), hue_of(190, 32, 255)), 8.0f);
        }
    }
    // Pinwheel and butterfly are the closest pair; each must sit nearer its own colour.
    rgba_picture pin = read(3, "pinkpinwheel.png"), fly = read(3, "indigotriangle.png");
    float hp = dominant_hue(whole(pin)), hf = dominant_hue(whole(fly));
    EXPECT_LT(hue_distance(hp, hue_of(200, 64, 255)), hue_distance(hp, hue_of(128, 32, 255)));
    EXPECT_LT(hue_distance(hf, hue_of(128, 32, 255)), hue_distance(hf, hue_of(200, 64, 255)));
}

TEST_F(image_sets, pictures_face_the_way_the_game_turns_them) {
    // The ship is turned by (heading - 90) degrees, so its nose points down in the file;
    // shots, snakes and interceptors are turned by (heading + 90), so theirs point up.
    struct facing {
        const char* file;
        bool nose_down;
    };
    const facing pictures[] = {
        {"whiteplayer.png", true}, {"redclone.png", false}, {"snakehead.png", false}};
    for (int set = 0; set < 4; set++) {
        SCOPED_TRACE(set_names[set]);
        for (const auto& f : pictures) {
            SCOPED_TRACE(f.file);
            rgba_picture p = read(set, f.file);
            if (p.width == 0) continue;
            cell_view c = whole(p);
            extent e = lit_extent(c);
            ASSERT_GE(e.x1, 0);
            // Mean width of the three lit rows at each end.
            float front = 0, back = 0;
            for (int i = 0; i < 3; i++) {
                front += row_span(c, f.nose_down ? e.y1 - i : e.y0 + i) / 3.0f;
                back += row_span(c, f.nose_down ? e.y0 + i : e.y1 - i) / 3.0f;
            }
            EXPECT_LE(front, 5.0f) << "the tip should be a point";
            EXPECT_GT(back, front + 3.0f) << "the back should be wide";
        }
        rgba_picture shot = read(set, "yellowshot.png");
        if (shot.width > 0) {
            extent e = lit_extent(whole(shot));
            EXPECT_GT(e.height(), 2 * e.width()) << "the shot should lie along its flight";
        }
    }
}

TEST_F(image_sets, pictures_keep_their_on_screen_size_across_sets) {
    // Every set is drawn 1:1: a bigger canvas may only hold more halo, not a bigger enemy.
    const char* files[] = {"greensquare.png",  "purplesquare1.png", "bluediamond.png",
                           "pinkpinwheel.png", "bluecircle.png",    "redclone.png",
                           "redcircle.png",    "whiteplayer.png",   "snakehead.png",
                           "whitestar.png"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        extent ref = lit_extent(whole(read(3, file)));
        for (int set = 0; set < 3; set++) {
            rgba_picture p = read(set, file);
            if (p.width == 0) continue;
            extent e = lit_extent(whole(p));
            EXPECT_NEAR(e.width(), ref.width(), 3) << set_names[set];
            EXPECT_NEAR(e.height(), ref.height(), 3) << set_names[set];
        }
    }
    // The cube fragment is the smaller purple square.
    for (int set = 0; set < 4; set++) {
        extent whole_cube = lit_extent(whole(read(set, "purplesquare1.png")));
        extent fragment = lit_extent(whole(read(set, "purplesquare2.png")));
        EXPECT_LT(fragment.width(), whole_cube.width() - 4) << set_names[set];
    }
}

TEST_F(image_sets, strip_frames_are_distinct_and_the_snake_tapers_to_its_tip) {
    for (int set = 0; set < 4; set++) {
        SCOPED_TRACE(set_names[set]);
        // Every power-up and status icon needs its own glyph.
        for (int s : {0, 2}) {
            const auto& layout = strips[s];
            rgba_picture p = read(set, layout.file);
            int size = layout.cell[set];
            if (p.width != size * layout.frames) continue;
            for (int a = 0; a < layout.frames; a++)
                for (int b = a + 1; b < layout.frames; b++) {
                    cell_view ca = cell(p, size, a), cb = cell(p, size, b);
                    float diff = 0;
                    for (int y = 0; y < size; y++)
                        for (int x = 0; x < size; x++)
                            diff += std::fabs(ca.light(x, y) - cb.light(x, y));
                    EXPECT_GT(diff, 0.25f * std::min(ca.total(), cb.total()))
                        << layout.file << " frames " << a << " and " << b << " look alike";
                }
        }
        // Segment 23 follows the head, segment 0 ends the tail: they shrink towards the tip.
        rgba_picture tail = read(set, "snaketail.png");
        int size = strips[1].cell[set];
        if (tail.width != size * 24) continue;
        for (int f = 1; f < 24; f++)
            EXPECT_GE(cell(tail, size, f).total(), cell(tail, size, f - 1).total() * 0.98f) << f;
        EXPECT_GT(lit_extent(cell(tail, size, 23)).height(),
                  lit_extent(cell(tail, size, 0)).height() + 4);
    }
}

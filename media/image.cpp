// Images: decoded PNG sheets packed into one texture per image, frames as atlas cells.
#include "backend.h"
#include "image_png.h"
#include "image_store.h"
#include "render_batch.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// Transparent-free gutters keep filtering and mip-maps from pulling in a neighbour frame.
constexpr int PAD = 2;
constexpr int MAX_ATLAS = 4096;

// Never destroyed: media_shutdown may run from an exit handler, after static destructors.
std::set<media_image*>& live_images() {
    static auto* s = new std::set<media_image*>;
    return *s;
}

media_image* make_layout(int w, int h, int frames) {
    auto* img = new media_image;
    img->width = w;
    img->height = h;
    img->frames = frames;
    img->handle_x = w * 0.5f;
    img->handle_y = h * 0.5f;
    int cw = w + 2 * PAD, ch = h + 2 * PAD;
    int cols = std::clamp(MAX_ATLAS / cw, 1, frames);
    int rows = (frames + cols - 1) / cols;
    img->atlas_w = cols * cw;
    img->atlas_h = rows * ch;
    for (int i = 0; i < frames; i++) {
        image_cell c;
        c.x = (i % cols) * cw + PAD;
        c.y = (i / cols) * ch + PAD;
        c.u0 = float(c.x) / float(img->atlas_w);
        c.v0 = float(c.y) / float(img->atlas_h);
        c.u1 = float(c.x + w) / float(img->atlas_w);
        c.v1 = float(c.y + h) / float(img->atlas_h);
        img->cells.push_back(c);
    }
    live_images().insert(img);
    return img;
}

// Copies cell (sx, sy) of the sheet into the atlas cell, repeating its edge into the gutter.
void blit_cell(const rgba_picture& sheet, int sx, int sy, media_image* img, int frame,
               std::vector<uint8_t>& atlas) {
    const auto& c = img->cells[size_t(frame)];
    int w = img->width, h = img->height;
    for (int y = -PAD; y < h + PAD; y++)
        for (int x = -PAD; x < w + PAD; x++) {
            int cx = std::clamp(x, 0, w - 1) + sx, cy = std::clamp(y, 0, h - 1) + sy;
            uint8_t* d = atlas.data() + (size_t(c.y + y) * img->atlas_w + size_t(c.x + x)) * 4;
            if (cx < sheet.width && cy < sheet.height) {
                const uint8_t* s = sheet.pixels.data() + (size_t(cy) * sheet.width + cx) * 4;
                std::copy(s, s + 4, d);
            } else {
                std::fill(d, d + 4, 0);
            }
        }
}

} // namespace

image load_anim_image(const std::string& path, int cell_w, int cell_h, int first, int count) {
    rgba_picture sheet;
    if (!png_read(path, sheet)) {
        fprintf(stderr, "vexlume2: cannot load image %s\n", path.c_str());
        return nullptr;
    }
    if (cell_w <= 0 || cell_h <= 0 || count <= 0 || first < 0) return nullptr;
    int per_row = std::max(1, sheet.width / cell_w);
    media_image* img = make_layout(cell_w, cell_h, count);
    std::vector<uint8_t> atlas(size_t(img->atlas_w) * img->atlas_h * 4, 0);
    for (int f = 0; f < count; f++) {
        int cell = first + f;
        blit_cell(sheet, (cell % per_row) * cell_w, (cell / per_row) * cell_h, img, f, atlas);
    }
    img->texture = backend::texture_create(img->atlas_w, img->atlas_h, atlas.data());
    return img;
}

image load_image(const std::string& path) {
    rgba_picture pic;
    if (!png_read(path, pic)) {
        fprintf(stderr, "vexlume2: cannot load image %s\n", path.c_str());
        return nullptr;
    }
    media_image* img = make_layout(pic.width, pic.height, 1);
    std::vector<uint8_t> atlas(size_t(img->atlas_w) * img->atlas_h * 4, 0);
    blit_cell(pic, 0, 0, img, 0, atlas);
    img->texture = backend::texture_create(img->atlas_w, img->atlas_h, atlas.data());
    return img;
}

image create_image(int width, int height, int frames) {
    if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
    media_image* img = make_layout(width, height, frames);
    std::vector<uint8_t> atlas(size_t(img->atlas_w) * img->atlas_h * 4, 0);
    img->texture = backend::texture_create(img->atlas_w, img->atlas_h, atlas.data());
    return img;
}

void free_image(image img) {
    if (!img || !live_images().erase(img)) return;
    batch_flush(); // the batch may still point at this texture
    if (img->texture) backend::texture_free(img->texture);
    delete img;
}

void images_release_all() {
    batch_flush();
    for (auto* img : live_images()) {
        if (img->texture) backend::texture_free(img->texture);
        delete img;
    }
    live_images().clear();
}

void grab_image(image img, int x, int y, int frame) {
    if (!img || frame < 0 || frame >= img->frames || !img->texture) return;
    batch_flush(); // the screen must hold everything drawn so far
    const auto& c = img->cells[size_t(frame)];
    backend::texture_grab(img->texture, c.x, c.y, x, y, img->width, img->height);
}

int image_width(image img) { return img ? img->width : 0; }
int image_height(image img) { return img ? img->height : 0; }
int image_frames(image img) { return img ? img->frames : 0; }

void set_image_handle(image img, float hx, float hy) {
    if (!img) return;
    img->handle_x = hx;
    img->handle_y = hy;
}

#include "image_png.h"
#include "media/platform.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace {
struct file_closer {
    void operator()(FILE* f) const { if (f) fclose(f); }
};
using file_ptr = std::unique_ptr<FILE, file_closer>;
} // namespace

bool png_read(const std::string& path, rgba_picture& out) {
    out = rgba_picture{};
    file_ptr f(platform_fopen(path, "rb"));
    if (!f) return false;
    unsigned char sig[8];
    if (fread(sig, 1, 8, f.get()) != 8 || png_sig_cmp(sig, 0, 8) != 0) return false;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    rgba_picture pic;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, f.get());
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);

    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    int depth = png_get_bit_depth(png, info), type = png_get_color_type(png, info);
    if (w == 0 || h == 0 || w > 16384 || h > 16384) longjmp(png_jmpbuf(png), 1);
    // Everything becomes 8-bit RGBA.
    if (depth == 16) png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (type == PNG_COLOR_TYPE_RGB || type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_PALETTE)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    pic.width = int(w);
    pic.height = int(h);
    pic.pixels.resize(size_t(w) * h * 4);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; y++) rows[y] = pic.pixels.data() + size_t(y) * w * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    out = std::move(pic);
    return true;
}

bool png_write(const std::string& path, const rgba_picture& pic) {
    if (pic.width <= 0 || pic.height <= 0 ||
        pic.pixels.size() != size_t(pic.width) * pic.height * 4)
        return false;
    file_ptr f(platform_fopen(path, "wb"));
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, pic.width, pic.height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pic.height; y++)
        png_write_row(png, const_cast<png_bytep>(pic.pixels.data() + size_t(y) * pic.width * 4));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fflush(f.get()) == 0;
}

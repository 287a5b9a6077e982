// A scene that exercises the media layer, until the game's own start-up takes over here.
#include "media/media.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool quit = false;
void on_close() { quit = true; }

struct demo_images {
    image icons = nullptr, snaketail = nullptr, powerups = nullptr;
    image singles[15] = {};
};

const char* single_names[15] = {
    "greensquare.png", "purplesquare1.png", "purplesquare2.png", "bluediamond.png",
    "pinkpinwheel.png", "indigotriangle.png", "bluecircle.png", "redclone.png",
    "orangetriangle.png", "redcircle.png", "whiteplayer.png", "yellowshot.png",
    "whitestar.png", "snakehead.png", "particle.png"};

demo_images load_set() {
    demo_images d;
    std::string dir = "gfx/high/";
    d.icons = load_anim_image(dir + "icons.png", 64, 64, 0, 2);
    d.snaketail = load_anim_image(dir + "snaketail.png", 56, 56, 0, 24);
    d.powerups = load_anim_image(dir + "powerups.png", 64, 64, 0, 11);
    for (int i = 0; i < 15; i++) d.singles[i] = load_image(dir + single_names[i]);
    return d;
}

void draw_scene(const demo_images& d, int frame) {
    int w = display_width(), h = display_height();
    set_blend(BLEND_LIGHT);
    set_alpha(1);
    // a rippling lattice of lines
    set_line_width(1);
    set_color(1, 32, 200);
    for (int x = 0; x <= w; x += 32) {
        prim_begin(PRIM_LINE_STRIP);
        for (int y = 0; y <= h; y += 16)
            prim_vertex(x + 6 * sin_deg(float(y + frame * 4)), float(y));
        prim_end();
    }
    for (int y = 0; y <= h; y += 32) {
        prim_begin(PRIM_LINE_STRIP);
        for (int x = 0; x <= w; x += 16)
            prim_vertex(float(x), y + 6 * cos_deg(float(x + frame * 4)));
        prim_end();
    }
    // every blend mode over a grey bar
    set_blend(BLEND_SOLID);
    set_color(90, 90, 90);
    draw_rect(40, 60, 5 * 140, 40);
    const char* names[5] = {"MASK", "SOLID", "ALPHA", "LIGHT", "SHADE"};
    for (int m = 1; m <= 5; m++) {
        set_blend(m);
        set_color(255, 120, 40);
        set_alpha(0.6f);
        draw_rect(40 + (m - 1) * 140 + 10, 50, 100, 60);
        set_alpha(1);
        set_blend(BLEND_ALPHA);
        set_color(255, 255, 255);
        draw_text(names[m - 1], 40 + (m - 1) * 140 + 30, 120);
    }
    // images, spinning clockwise
    set_blend(BLEND_LIGHT);
    set_color(255, 255, 255);
    for (int i = 0; i < 15; i++) {
        set_rotation(float(frame * 2 + i * 24));
        draw_image(d.singles[i], 80 + i * 60, 220);
    }
    set_rotation(0);
    for (int f = 0; f < 24; f++) draw_image(d.snaketail, 60 + f * 40, 320, f);
    for (int f = 0; f < 11; f++) draw_image(d.powerups, 80 + f * 80, 420, f);
    draw_image(d.icons, 80, 520, 0);
    draw_image(d.icons, 160, 520, 1);
    // thick lines and shapes
    set_line_width(4);
    set_color(32, 255, 255);
    draw_line(240, 500, 440, 560);
    set_color(255, 32, 255);
    draw_oval(480, 490, 80, 60);
    float tri[6] = {0, -30, 30, 25, -30, 25};
    set_color(255, 128, 32);
    set_rotation(float(frame));
    draw_poly(tri, 3, 640, 525);
    set_rotation(0);
    set_line_width(1);
    set_color(255, 255, 0);
    set_scale(2, 2);
    draw_text("VEXLUME 2 - media layer", 40, float(h - 100));
    set_scale(1, 1);
    set_color(200, 200, 200);
    draw_text("Escape or close the window to leave", 40, float(h - 50));
}
} // namespace

int main() {
    if (!media_init()) {
        fprintf(stderr, "vexlume2: cannot start the media layer\n");
        return 1;
    }
    set_close_handler(on_close);
    if (!display_open(1024, 768, 0, 60)) {
        fprintf(stderr, "vexlume2: cannot open a 1024 x 768 window\n");
        media_shutdown();
        return 1;
    }
    demo_images d = load_set();
    flush_keys();
    for (int frame = 0; !quit; frame++) {
        clear_screen();
        draw_scene(d, frame);
        pace_frame();
        flip(1);
        if (key_hit(27)) quit = true;
    }
    media_shutdown();
    return 0;
}

#include "shell/display.h"

#include "playfield/grid.h"
#include "playfield/stars.h"
#include "shell/folders.h"
#include "shell/play_frame.h"

#include <algorithm>
#include <cstdio>

int screen_width = 1024, screen_height = 768;
int field_width = 1024, field_height = 768;
int scroll = 0;

int windowed = 0;
int frame_rate = 0;
int glow = 0;
const char* const glow_names[3] = {"Off", "Low", "High"};
const int frame_rates[FRAME_RATE_COUNT] = {0, 50, 60, 75, 100, 120, 144, 165, 240};
int gfx_set = 0;
const char* const gfx_set_names[4] = {"Solid", "Low", "Med", "High"};
int cfg_screen_width = 1024, cfg_screen_height = 768, cfg_field_width = 1024,
    cfg_field_height = 768;

gfxmode gfx_modes[GFX_MODE_COUNT];
int field_sizes[GFX_MODE_COUNT][2];
int gfx_mode_index = 0, field_size_index = 0;

image img_icons, img_snaketail, img_powerups;
image img_greensquare, img_purplesquare1, img_purplesquare2, img_bluediamond, img_pinkpinwheel,
    img_indigotriangle, img_bluecircle, img_redclone, img_orangetriangle, img_redcircle,
    img_whiteplayer, img_yellowshot, img_whitestar, img_snakehead, img_particle;
image screen_image;

namespace {
struct mode_row {
    const char* name;
    int w, h;
};
const mode_row mode_table[GFX_MODE_COUNT] = {
    {"USER", 1024, 768},    {"BWMac", 512, 384},    {"VGA", 640, 480},      {"????", 720, 400},
    {"NTSCDVD", 720, 480},  {"PALDVD", 720, 576},   {"SVGA", 800, 600},     {"XGA-", 1024, 720},
    {"XGA", 1024, 768},     {"XGA+", 1152, 864},    {"XGA++", 1152, 870},   {"720p", 1280, 720},
    {"WXGA", 1280, 768},    {"WXGA+", 1280, 800},   {"WXGA++", 1280, 960},  {"SXGA", 1280, 1024},
    {"WSXGA", 1440, 900},   {"SXGA+", 1400, 1050},  {"WSXGA", 1600, 1024},  {"UXGA", 1600, 1200},
    {"UXGA+", 1600, 1280},  {"WSXGA+", 1680, 1050}, {"?????", 1800, 1440},  {"1080p", 1920, 1080},
    {"WUXGA", 1920, 1200},  {"DUALW", 2048, 768},   {"QXGA", 2048, 1536},   {"DUALW+", 2560, 1024},
    {"WQXGA", 2560, 1600},  {"QSXGA", 2560, 2048},  {"WQSXGA", 3200, 2048}, {"QUXGA", 3200, 2400},
    {"WQUXGA", 3840, 2400}, {"HSXGA", 5120, 4096},
};

std::string size_label(int w, int h) { return std::to_string(w) + "X" + std::to_string(h); }

// One line; when the graphics driver rather than the size was the trouble, it says which
// OpenGL contexts were asked for and why none could be made.
void write_error(const std::string& line) {
    make_folder(folders().data);
    text_file* f = file_open_write(data_path("errors.txt"));
    if (!f) return;
    std::string why = display_failure();
    file_write_line(f, why.empty() ? line : line + " - " + why);
    file_close(f);
}

bool mode_exists(int w, int h, int depth) {
    for (const auto& m : display_modes())
        if (m.width == w && m.height == h && (depth == 0 || m.depth == depth)) return true;
    return false;
}

image* const set_images[] = {&img_greensquare, &img_purplesquare1, &img_purplesquare2,
                             &img_bluediamond, &img_pinkpinwheel,  &img_indigotriangle,
                             &img_bluecircle,  &img_redclone,      &img_orangetriangle,
                             &img_redcircle,   &img_whiteplayer,   &img_yellowshot,
                             &img_whitestar,   &img_snakehead,     &img_particle};
const char* const set_files[] = {"greensquare.png", "purplesquare1.png", "purplesquare2.png",
                                 "bluediamond.png", "pinkpinwheel.png",  "indigotriangle.png",
                                 "bluecircle.png",  "redclone.png",      "orangetriangle.png",
                                 "redcircle.png",   "whiteplayer.png",   "yellowshot.png",
                                 "whitestar.png",   "snakehead.png",     "particle.png"};
} // namespace

void gfx_modes_build() {
    for (int i = 0; i < GFX_MODE_COUNT; i++) {
        gfx_modes[i].width = mode_table[i].w;
        gfx_modes[i].height = mode_table[i].h;
        gfx_modes[i].name = mode_table[i].name;
        field_sizes[i][0] = mode_table[i].w;
        field_sizes[i][1] = mode_table[i].h;
    }
    gfx_modes[0].width = cfg_screen_width;
    gfx_modes[0].height = cfg_screen_height;
    for (auto& m : gfx_modes) m.label = size_label(m.width, m.height);
}

void gfx_modes_select() {
    field_size_index = 0;
    field_sizes[0][0] = cfg_field_width;
    field_sizes[0][1] = cfg_field_height;
    gfx_mode_index = 0;
    for (int i = 0; i < GFX_MODE_COUNT; i++)
        if (gfx_modes[i].width == cfg_screen_width && gfx_modes[i].height == cfg_screen_height)
            gfx_mode_index = i;
}

void apply_sizes() {
    if (gfx_mode_index < 0 || gfx_mode_index >= GFX_MODE_COUNT) gfx_mode_index = 0;
    if (field_size_index < 0 || field_size_index >= GFX_MODE_COUNT) field_size_index = 0;
    screen_width = gfx_modes[gfx_mode_index].width;
    screen_height = gfx_modes[gfx_mode_index].height;
    field_width = field_sizes[field_size_index][0];
    field_height = field_sizes[field_size_index][1];
    cfg_screen_width = screen_width;
    cfg_screen_height = screen_height;
    cfg_field_width = field_width;
    cfg_field_height = field_height;
}

int display_open() {
    apply_sizes();
    std::string label = size_label(screen_width, screen_height);
    bool ok;
    if (windowed) {
        // Any window that fits the desktop is a valid window, listed as a mode or not.
        int dw = 0, dh = 0;
        desktop_size(dw, dh);
        ok = (mode_exists(screen_width, screen_height, 0) ||
              (screen_width <= dw && screen_height <= dh)) &&
             display_open(screen_width, screen_height, 0, 60);
        if (!ok) write_error("Can not set graphics mode: Windowed - " + label);
    } else {
        // Full screen covers the desktop and fits the game's screen into it: every size
        // of the table can be shown, whatever modes the monitor lists.
        ok = display_open(screen_width, screen_height, 32, 60);
        if (!ok) write_error("Can not set graphics mode: Fullscreen - " + label);
    }
    if (!ok) return 0;

    grid_size(field_width, field_height);
    images_load();
    if (field_width > screen_width || field_height > screen_height) scroll = 1;
    camera_x = camera_y = 0;
    if (screen_image) free_image(screen_image);
    screen_image = create_image(screen_width, screen_height, 1);
    set_line_width(2);
    set_line_smooth(true);
    stars_init();
    frame_rate_apply();
    glow_apply();
    return 1;
}

int frame_rate_checked(int v) {
    for (int r : frame_rates)
        if (v == r) return v;
    return 0;
}

void glow_apply() {
    glow = std::clamp(glow, 0, 2);
    set_glow(glow);
}

void frame_rate_apply() {
    frame_rate = frame_rate_checked(frame_rate);
    if (frame_rate == 0) {
        // The monitor's own rate, with its swaps, where the driver says what it is.
        int hz = display_refresh_rate();
        world_present_rate(hz > 0 ? hz : 60, true);
    } else {
        world_present_rate(frame_rate, false);
    }
}

bool display_start() {
    if (display_open()) return true;
    // Fall back to the largest window of the table that fits the desktop.
    int dw = 0, dh = 0;
    desktop_size(dw, dh);
    int best = -1;
    for (int i = 1; i < GFX_MODE_COUNT; i++) {
        const auto& m = gfx_modes[i];
        if (m.width <= dw && m.height <= dh &&
            (best < 0 || m.width * m.height > gfx_modes[best].width * gfx_modes[best].height))
            best = i;
    }
    if (best < 0) return false;
    fprintf(stderr, "vexlume2: cannot open %dX%d %s; using a %s window\n", screen_width,
            screen_height, windowed ? "windowed" : "full screen", gfx_modes[best].label.c_str());
    gfx_mode_index = best;
    windowed = 1;
    return display_open() == 1;
}

void images_free() {
    for (image* h : {&img_icons, &img_snaketail, &img_powerups, &screen_image}) {
        free_image(*h);
        *h = nullptr;
    }
    for (image* h : set_images) {
        free_image(*h);
        *h = nullptr;
    }
}

void images_load() {
    static const char* const folders[4] = {"gfx/solid/", "gfx/low/", "gfx/med/", "gfx/high/"};
    static const int icon_cell[4] = {64, 24, 32, 64};
    static const int tail_cell[4] = {56, 32, 32, 56};
    image keep = screen_image;
    screen_image = nullptr;
    images_free();
    screen_image = keep;
    int set = gfx_set >= 0 && gfx_set <= 3 ? gfx_set : 0;
    std::string dir = asset_path(folders[set]);
    img_icons = load_anim_image(dir + "icons.png", icon_cell[set], icon_cell[set], 0, 2);
    img_snaketail = load_anim_image(dir + "snaketail.png", tail_cell[set], tail_cell[set], 0, 24);
    img_powerups = load_anim_image(dir + "powerups.png", 64, 64, 0, 11);
    for (size_t i = 0; i < sizeof set_files / sizeof set_files[0]; i++)
        *set_images[i] = load_image(dir + set_files[i]);
}

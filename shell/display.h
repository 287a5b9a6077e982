// The open display and the playfield's size, the two size tables the settings choose
// from, and the image set.
#pragma once

#include "media/media.h"

#include <string>

extern int screen_width, screen_height; // the open display, pixels
extern int field_width, field_height;   // the playfield, pixels; may exceed the screen
extern int scroll;                      // the view follows the ship (forced on for big playfields)

// Settings kept in Config.txt.
extern int windowed;
// How often play presents: 0 "Display" (the monitor's rate), else frames a second.
extern int frame_rate;
constexpr int FRAME_RATE_COUNT = 9;
extern const int frame_rates[FRAME_RATE_COUNT];
// A value from the list, or 0 ("Display") for anything else.
int frame_rate_checked(int v);
// Tells the world loops how to present, after the display opened or the setting changed.
void frame_rate_apply();
// Glow around bright strokes: 0 "Off" (the classic picture), 1 "Low", 2 "High".
extern int glow;
extern const char* const glow_names[3];
void glow_apply();
extern int gfx_set; // 0 "Solid", 1 "Low", 2 "Med", 3 "High"
extern const char* const gfx_set_names[4];
extern int cfg_screen_width, cfg_screen_height, cfg_field_width, cfg_field_height;

struct gfxmode {
    int width, height;
    std::string name, label; // label: 1024X768
};
constexpr int GFX_MODE_COUNT = 34;
extern gfxmode gfx_modes[GFX_MODE_COUNT];
extern int field_sizes[GFX_MODE_COUNT][2];
extern int gfx_mode_index, field_size_index;

// The image set.
extern image img_icons, img_snaketail, img_powerups;
extern image img_greensquare, img_purplesquare1, img_purplesquare2, img_bluediamond,
    img_pinkpinwheel, img_indigotriangle, img_bluecircle, img_redclone, img_orangetriangle,
    img_redcircle, img_whiteplayer, img_yellowshot, img_whitestar, img_snakehead, img_particle;
extern image screen_image; // the menus' frozen picture of the game

void gfx_modes_build();
void gfx_modes_select();
void apply_sizes();
// Opens the display at the selected sizes; 1 on success, 0 (and a line in errors.txt) if not.
int display_open();
// Start-up: as display_open, but a display that cannot be opened falls back to the largest
// window that fits the desktop. False only when not even that opens.
bool display_start();
void images_load();
// Frees the image set and the screen image and forgets their handles (shut-down).
void images_free();

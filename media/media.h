// The media layer: every screen, image, input, sound, time, random-number and file
// operation the game uses. Game code includes this header and never SDL, GL or libpng.
// Coordinates are pixels, origin top left, y down; angles are degrees, positive turns
// clockwise on screen; colours are 0-255, alpha 0..1.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---------------------------------------------------------------- life cycle

// Sets up the backend (video, audio, joypads) and resets all layer state.
bool media_init();
void media_shutdown();

// Called when the player closes the window; the game installs a handler that saves and exits.
using close_handler = void (*)();
void set_close_handler(close_handler h);
// Called where the program may be ended without a word (a browser's tab): the game saves
// there what it would save on leaving, and plays on. The page calls it when the tab hides;
// keep_point() calls it at once there, and does nothing where leaving always saves.
void set_keep_handler(close_handler h);
// The game's files changed in memory (a new top score, settings): a moment to keep them.
void keep_point();

// ---------------------------------------------------------------- display

struct display_mode {
    int width, height, depth, hertz;
};

// Full-screen modes the display offers (a window may be opened at any of these sizes too).
std::vector<display_mode> display_modes();
// Depth 0 opens a window of that client size; 16 or 32 switches to a full-screen mode.
// Returns false and leaves no display open when the mode cannot be set.
bool display_open(int width, int height, int depth, int hertz);
void display_close();
bool display_is_open();
// Why the last display_open failed when its size was not the reason (no usable OpenGL
// context, named); empty otherwise.
std::string display_failure();
int display_width();
int display_height();
void desktop_size(int& width, int& height);

void clear_screen();
// Presents the frame. Never waits for vertical sync: the game paces itself (pace_frame).
void flip(int sync = -1);
// Called after every presented frame; it may only look (the state log of the window tests).
void set_present_watcher(void (*watcher)());

// Bright strokes bleed light into their surroundings on every presented frame: 0 off (the
// classic picture, untouched), 1 low, 2 high. Reading the screen back never sees it.
void set_glow(int level);
void show_pointer();
void hide_pointer();
void move_pointer(int x, int y);
// Asked each step while play steers with the mouse: where the pointer can leave the game (a
// browser page) it is captured, and let go again once the asking stops (a menu, the end).
void capture_pointer(bool on);

// Reads back the presented-to-be frame (top-left origin, 0xAABBGGRR per pixel in memory order
// R, G, B, A). Empty on the headless backend.
std::vector<uint8_t> read_pixels(int x, int y, int w, int h);

// ---------------------------------------------------------------- drawing state

enum blend_mode {
    BLEND_MASK = 1,
    BLEND_SOLID = 2,
    BLEND_ALPHA = 3,
    BLEND_LIGHT = 4,
    BLEND_SHADE = 5
};

void set_color(int r, int g, int b); // each component clamped to 0..255
void get_color(int& r, int& g, int& b);
void set_alpha(float a); // clamped to 0..1
float get_alpha();
void set_blend(int mode); // 1-5; anything else is solid
int get_blend();
void set_scale(float sx, float sy);
void get_scale(float& sx, float& sy);
void set_rotation(float degrees);
float get_rotation();
void set_transform(float degrees, float sx, float sy);
void set_origin(float x, float y);
void get_origin(float& x, float& y);
void set_line_width(float w);
float get_line_width();
void set_line_smooth(bool on);
// Lines become thin quads: any mix of widths then shares one draw call (no smoothing).
// For drawings that change the width at every line.
void set_line_quads(bool on);
void set_viewport(int x, int y, int w, int h);
void set_clear_color(int r, int g, int b);

// ---------------------------------------------------------------- drawing
// Corners are taken relative to the drawing's reference point, scaled, rotated, then
// moved to the position plus the origin.

void plot(float x, float y);
void draw_line(float x1, float y1, float x2, float y2, bool last_pixel = true);
void draw_rect(float x, float y, float w, float h);
void draw_oval(float x, float y, float w, float h);
// count points as x, y pairs relative to (x, y); a convex outline fills correctly
void draw_poly(const float* xy, int count, float x = 0, float y = 0);
// Built-in 8 x 16 font; each character advances 8 pixels times the x scale.
void draw_text(const std::string& text, float x, float y);
int text_width(const std::string& text);
int text_height();

// Immediate-mode primitives for the grid and display code: vertices are screen pixels
// (no scale, rotation or origin), coloured by the current vertex colour, which set_color and
// set_alpha also set, like a classic fixed-function pipeline.
enum prim_kind {
    PRIM_POINTS,
    PRIM_LINES,
    PRIM_LINE_STRIP,
    PRIM_LINE_LOOP,
    PRIM_TRIANGLES,
    PRIM_QUADS,
    PRIM_TRIANGLE_FAN
};
void prim_begin(int kind);
void prim_color(float r, float g, float b); // components 0..1, alpha becomes 1
void prim_color(float r, float g, float b, float a);
void prim_vertex(float x, float y);
void prim_end();

// ---------------------------------------------------------------- images

struct media_image;
using image = media_image*; // nullptr is "no image": drawing it does nothing

// Filtered, mip-mapped, handle at the centre of a frame.
image load_image(const std::string& path);
// A sheet cut into cells of cell_w x cell_h, left to right then top to bottom.
image load_anim_image(const std::string& path, int cell_w, int cell_h, int first, int count);
image create_image(int width, int height, int frames);
void free_image(image img);
// Copies the screen rectangle at (x, y) of the image's size into a frame.
void grab_image(image img, int x, int y, int frame = 0);
int image_width(image img);
int image_height(image img);
int image_frames(image img);
void set_image_handle(image img, float hx, float hy);
void draw_image(image img, float x, float y, int frame = 0);

// ---------------------------------------------------------------- input
// Key codes are the game's virtual-key numbers (Escape 27, Return 13, Space 32, cursors
// 37-40, letters 65-90, digits 48-57, F1-F12 112-123, Shift 16/160/161, Control 17/162/163).
// Any code, button, port or slot out of range reads as not pressed / 0.

constexpr int KEY_COUNT = 256;
constexpr int JOY_PORTS = 4;
constexpr int JOY_BUTTONS = 16;
constexpr int JOY_SLOTS = 16;

void poll_events();
int key_hit(int key); // presses since the last call for this key
bool key_down(int key);
void flush_keys(); // forgets a lost focus too
// True once after the window lost the keyboard focus (the player went to another window).
bool focus_lost();
// The path of a file dropped on the window since the last call (or chosen on the web page);
// empty when none.
std::string dropped_file();

int mouse_x();
int mouse_y();
int mouse_hit(int button); // 1 left, 2 right, 3 middle
// Where the mouse was last seen, reading no events: for drawing it as the frame is drawn.
void mouse_seen(int& x, int& y);
bool mouse_down(int button);
void flush_mouse();

int joy_count();
bool joy_present(int port);
bool joy_down(int button, int port);
int joy_hit(int button, int port);
// Axis slot 0 X, 1 Y, 2 Z, 3 R, 4 U, 5 V, 6 yaw, 7 pitch, 8 roll, 9 hat, 10 wheel, 11-15 more.
// A game controller puts its left stick on X/Y, its right stick on R (across) and Z (down),
// its triggers on U and V. Reals in -1..1.
float joy_slot(int port, int slot);

// ---------------------------------------------------------------- time

uint32_t millisecs(); // wraps
int64_t micros();     // monotonic, sub-millisecond
void delay(int ms);
// Sleeps until 20 ms after the previous frame's deadline; a late frame starts a new
// deadline rather than hurrying the next ones.
void pace_frame();
void pace_reset();
constexpr int FRAME_US = 20000;

// The loops that run the world keep one game step per 20 ms of real time even when drawing
// cannot keep up. world_step_draws() says whether this step is drawn: a step a whole frame
// late is not, but never more than three in a row (below 12.5 drawn frames a second the
// game slows rather than jumps). world_step_end(drawn, draw) waits for the next step's time
// and presents the drawn step, or only reads the window's events for a skipped one. `draw(a)`
// draws the whole picture with the world shown a of the way from the step before to this one
// (1: as it stands): once a drawn step at 50 frames a second, once for every frame at more.
using world_draw = std::function<void(float alpha)>;
bool world_step_draws();
void world_step_end(bool drawn, const world_draw& draw);
// How often the world loops present: 50 is a frame a step; more draws frames between steps
// at that rate on the game's clock, and `sync` lets the monitor pace the swaps where it can.
void world_present_rate(int fps, bool sync);
// The monitor's refresh rate, 0 when it does not say.
int display_refresh_rate();
// Called at the start of every world step (the game remembers where things stand there).
void set_world_step_begin_handler(void (*handler)());
// Called at the end of every world step, drawn or not (the game counts its steps there).
void set_world_step_handler(void (*handler)());
// World steps begun since start-up, drawn or not (the web page measures the game's pace).
extern int64_t world_steps_begun;
// Forgets the schedule (a loop starts, or a menu held the world still).
void world_pace_reset();
// Off: every step is drawn, however late (the benchmarks and the tests compare).
extern bool frame_skipping;
// On: world steps run one after another as fast as they go, none drawn (checking a recorded
// game, fast forward); the window's events are still read.
extern bool world_blind;
// On: world steps run as fast as they go, every one drawn (a timed demo).
extern bool world_fast;
constexpr int WORLD_SKIPS_MAX = 3;
// The decision itself, for a step starting `late` microseconds after it was due with
// `skipped` steps skipped just before it.
bool world_step_skips(int64_t late, int skipped);

// ---------------------------------------------------------------- random numbers and maths

void seed_rnd(int seed); // masked to 31 bits; 0 and 2147483647 act as 4660
int rnd_state();
double rnd(double lo, double hi); // [lo, hi)
int rand_int(int lo, int hi);     // inclusive, bounds in either order
// For looks alone (drawing, decoration): its own sequence, so a picture never changes the game.
double look_rnd(double lo, double hi); // [lo, hi)
int look_rand_int(int lo, int hi);
void seed_look_rnd(int seed); // a picture that tests compare starts from a known sequence

float sin_deg(float degrees);
float cos_deg(float degrees);
float atan2_deg(float y, float x);
int sgn(float v);

// ---------------------------------------------------------------- sound
// Effects are cued, set up while paused and then resumed, so the first sample already
// has the requested rate, pan and volume.

struct media_sound;
using sound = media_sound*;
using channel = int; // 0 is the null channel: every operation on it does nothing

sound load_sound(const std::string& path, bool loop = false);
void free_sound(sound s);
channel play_sound(sound s);
channel cue_sound(sound s);
void set_channel_volume(channel c, float volume);
void set_channel_pan(channel c, float pan);
void set_channel_rate(channel c, float rate);
void pause_channel(channel c);
void resume_channel(channel c);
void stop_channel(channel c);
bool channel_playing(channel c);

// ---------------------------------------------------------------- files and text
// Lines are bytes (Latin-1). Reading stops at LF, NUL or end of file and drops CR;
// writing ends each line with CR LF. A file opened for writing replaces its target only
// when it is closed successfully (temporary file + rename), so a crash never leaves half.

struct text_file;

text_file* file_open_read(const std::string& path);
text_file* file_open_write(const std::string& path);
std::string file_read_line(text_file* f);
bool file_write_line(text_file* f, const std::string& line);
int32_t file_read_int(text_file* f);
bool file_write_int(text_file* f, int32_t v);
float file_read_float(text_file* f);
bool file_write_float(text_file* f, float v);
bool file_eof(text_file* f);
// For a written file: true when the whole file reached its place.
bool file_close(text_file* f);
bool file_exists(const std::string& path);
// Makes a folder and its missing parents; true when it is there. "" is the working directory.
bool make_folder(const std::string& path);
// The names of the regular files in a folder, sorted; none when it cannot be read.
std::vector<std::string> folder_files(const std::string& path);
bool remove_file(const std::string& path);
// Whether a new file can be made in the folder (tried, not guessed from permission bits).
bool folder_writable(const std::string& path);
// A whole file of bytes, replaced the same safe way; true when it reached its place.
bool file_write_bytes(const std::string& path, const std::string& bytes);
// Reads a regular file of at most `limit` bytes whole; an empty string and false otherwise.
bool file_read_bytes(const std::string& path, std::string& bytes, size_t limit);
// True for an existing file that may not be written (its owner made it read-only).
bool file_read_only(const std::string& path);

std::string float_text(float v);   // "%#.9g": 0.5 -> 0.500000000
std::string double_text(double v); // "%#.17g"
// Skips leading blanks, optional sign, then decimal digits, '$' hex or '%' binary digits;
// stops at the first other character; no digits gives 0.
int parse_int(const std::string& s);
// Leading blanks, sign, digits, point, exponent; anything unreadable gives 0.
float parse_float(const std::string& s);

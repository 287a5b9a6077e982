// The renderer draws the pictures it always drew: every grid look at 16 and 4 px, a play frame
// with every kind of enemy, sparks, trails, tokens and holes in each image set, the attract
// screens, a menu, and letterboxed full screen, each compared with the frame the first
// renderer drew (tests/window/reference/, kept at half size). VEX_RECORD_REFERENCE=DIR writes
// the frames to DIR instead of comparing.
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/menu.h"
#include "enemies/blackhole.h"
#include "enemies/butterfly.h"
#include "enemies/cube.h"
#include "enemies/diamond.h"
#include "enemies/enemy.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/pinwheel.h"
#include "enemies/seeker.h"
#include "enemies/snake.h"
#include "enemies/square.h"
#include "enemies/triangle.h"
#include "media/sdl/sdl_stats.h"
#include "player/powerups.h"
#include "player/ship.h"
#include "player/shots.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game.h"
#include "shell/game_state.h"
#include "shell/play_frame.h"
#include "shell/screens.h"
#include "shell/vector_text.h"
#include "window_fixture.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

extern int title_intro;

namespace {

constexpr int W = 640, H = 480;        // the game's screen in every scene
constexpr int RW = W / 2, RH = H / 2;  // the kept reference: each pixel the mean of 2 x 2
constexpr int BLOCK = 8;               // the missing-region check looks at 8 x 8 kept pixels

// Drawn frames differ from the first renderer's by rounding, line ends and where a wide
// line's edge falls: a mean of a few levels per channel. A blend mode or line width gone
// wrong moves whole strokes, far beyond it.
constexpr double MEAN_BOUND = 4.0;
// A block the reference lights (mean above 12 per channel) must keep half its light.
constexpr double LIT_BLOCK = 12.0, KEPT_SHARE = 0.5;

std::vector<uint8_t> half_size(const std::vector<uint8_t>& px) {
    std::vector<uint8_t> out(size_t(RW) * RH * 4);
    for (int y = 0; y < RH; y++)
        for (int x = 0; x < RW; x++)
            for (int k = 0; k < 4; k++) {
                int s = 0;
                for (int j = 0; j < 2; j++)
                    for (int i = 0; i < 2; i++) s += px[(size_t(2 * y + j) * W + 2 * x + i) * 4 + k];
                out[(size_t(y) * RW + x) * 4 + k] = uint8_t(k == 3 ? 255 : (s + 2) / 4);
            }
    return out;
}

std::string reference_dir() { return VEX_SOURCE_DIR "/tests/window/reference"; }

// What the comparison found, for the failure message and the note.
struct verdict {
    double mean[3] = {0, 0, 0};
    int lit_blocks = 0, lost_blocks = 0, worst_x = -1, worst_y = -1;
    double worst_share = 1;
};

verdict compare(const std::vector<uint8_t>& ref, const std::vector<uint8_t>& got) {
    verdict v;
    for (size_t i = 0; i < ref.size(); i += 4)
        for (int k = 0; k < 3; k++) v.mean[k] += std::abs(int(ref[i + k]) - int(got[i + k]));
    for (double& m : v.mean) m /= double(RW) * RH;
    for (int by = 0; by < RH; by += BLOCK)
        for (int bx = 0; bx < RW; bx += BLOCK) {
            double lit_ref = 0, lit_got = 0;
            for (int y = by; y < std::min(by + BLOCK, RH); y++)
                for (int x = bx; x < std::min(bx + BLOCK, RW); x++)
                    for (int k = 0; k < 3; k++) {
                        lit_ref += ref[(size_t(y) * RW + x) * 4 + k];
                        lit_got += got[(size_t(y) * RW + x) * 4 + k];
                    }
            if (lit_ref < LIT_BLOCK * 3 * BLOCK * BLOCK) continue;
            v.lit_blocks++;
            double share = lit_got / lit_ref;
            if (share < KEPT_SHARE) v.lost_blocks++;
            if (share < v.worst_share) {
                v.worst_share = share;
                v.worst_x = bx * 2;
                v.worst_y = by * 2;
            }
        }
    return v;
}

// Set in a present hook: the frame number at which to keep the picture and end the screen.
int hook_frame = 0, hook_target = 0;
std::vector<uint8_t> hook_picture;
int hook_key = 0;

void push_key(SDL_Keycode sym, SDL_Scancode sc) {
    for (bool down : {true, false}) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = sc;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&e);
    }
}

// Keeps the target frame, then presses the screen's way out on every frame until it is taken
// (a menu may still be cooling down).
void on_present() {
    if (++hook_frame < hook_target) return;
    if (hook_frame == hook_target) hook_picture = read_pixels(0, 0, W, H);
    if (hook_key == 27)
        push_key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    else
        push_key(SDLK_SPACE, SDL_SCANCODE_SPACE);
}

class reference : public window_test {
  protected:
    void SetUp() override {
        window_test::SetUp();
        open_game(3);
        sfx_volume = 0;
        vector_text_init();
    }
    void TearDown() override {
        sdl_set_present_hook(nullptr);
        clear_board(1);
        gfx_set = 3;
        grid_spacing = 2;
        ASSERT_TRUE(display_open(SCREEN_W, SCREEN_H, 0, 60));
    }

    // The game's own display set-up at 640 x 480 with image set `set`.
    void open_game(int set) {
        windowed = 1;
        gfx_set = set;
        cfg_screen_width = cfg_field_width = W;
        cfg_screen_height = cfg_field_height = H;
        gfx_modes_build();
        gfx_modes_select();
        char cwd[4096];
        ASSERT_TRUE(getcwd(cwd, sizeof cwd));
        ASSERT_EQ(chdir(VEX_SOURCE_DIR "/game"), 0);
        int ok = ::display_open();
        ASSERT_EQ(chdir(cwd), 0);
        ASSERT_EQ(ok, 1);
        place_stars();
    }

    // Stars where every run puts them, whatever drew from the looks' generator before.
    static void place_stars() {
        for (int i = 0; i <= STAR_LAST; i++) {
            star_x[i] = (i * 7919) % (W + 200) - 100;
            star_y[i] = (i * 104729) % (H + 200) - 100;
        }
    }

    // Compares the frame with its reference, or keeps it when recording.
    void check(const std::string& name, const std::vector<uint8_t>& px) {
        ASSERT_EQ(px.size(), size_t(W) * H * 4) << name;
        rgba_picture pic;
        pic.width = RW;
        pic.height = RH;
        pic.pixels = half_size(px);
        if (const char* rec = std::getenv("VEX_RECORD_REFERENCE")) {
            EXPECT_TRUE(png_write(std::string(rec) + "/" + name + ".png", pic));
            return;
        }
        if (const char* keep = std::getenv("VEX_SMOKE_KEEP")) {
            png_write(std::string(keep) + "/now_" + name + ".png", pic);
            rgba_picture full{W, H, px}; // to look at, at the size it was drawn
            png_write(std::string(keep) + "/full_" + name + ".png", full);
        }
        rgba_picture ref;
        ASSERT_TRUE(png_read(reference_dir() + "/" + name + ".png", ref)) << name;
        ASSERT_EQ(ref.width, RW);
        ASSERT_EQ(ref.height, RH);
        verdict v = compare(ref.pixels, pic.pixels);
        char line[240];
        snprintf(line, sizeof line,
                 "%s: mean difference %.2f %.2f %.2f; %d lit blocks, %d lost, weakest %.2f at "
                 "(%d, %d)",
                 name.c_str(), v.mean[0], v.mean[1], v.mean[2], v.lit_blocks, v.lost_blocks,
                 v.worst_share, v.worst_x, v.worst_y);
        for (double m : v.mean) EXPECT_LE(m, MEAN_BOUND) << line;
        EXPECT_EQ(v.lost_blocks, 0) << line;
        if (std::getenv("VEX_REFERENCE_VERBOSE")) printf("%s\n", line);
    }

    static std::vector<uint8_t> frame_now() { return read_pixels(0, 0, W, H); }

    // A moment of play: every enemy kind, shots, sparks, trails, tokens and awake holes.
    void lay_play(int spark_style) {
        difficulty = 1;
        new_game();
        clear_board(1);
        god_mode = 1;
        seed_rnd(4242);
        drift_colour.r = 250, drift_colour.g = 120, drift_colour.b = 30;
        player_x = 320, player_y = 240;
        ship_angle = 30;
        particle_style = spark_style;
        show_stars = 300;
        square::create(100, 80, 0);
        pinwheel::create(200, 80, 0);
        diamond::create(300, 80, 0);
        cube::create(400, 80, 0, 0);
        seeker::create(500, 80, 0, 0);
        butterfly::create(560, 160, 0);
        interceptor::create(100, 400, 0);
        triangle::create(200, 400, 0);
        triangle::create(260, 420, 0);
        snake::create(420, 420, 24, 0, 0, 1, 0);
        generator::create(560, 400, 1, 200, 3, 0);
        blackhole* h = blackhole::create(120, 250, 20, 0);
        if (h) h->hit(1);
        powerup_spawn(500, 260, 2, 100);
        powerup_spawn(440, 330, 6, 100);
        for (int i = 0; i < 24; i++) {
            float a = float(i) * 15;
            shot_fire(player_x, player_y, cos_deg(a) * 6, sin_deg(a) * 6, 6);
        }
        for (int i = 0; i < 3; i++) part_fireworks(0);
        for (int i = 0; i < 12; i++)
            trail_spawn(320 - float(i) * 6, 240 + float(i) * 3, 245, 245, 100, -1, 0.5f);
        for (int i = 0; i < 12; i++) world_update(0);
        grid_burst(330, 250);
        grid_relax();
    }
};

// Where the driver's own wide lines are used (a software renderer), the same looks drawn with
// every wide line as two triangles, as other drivers draw them.
class reference_quads : public reference {
  protected:
    void SetUp() override {
        reference::SetUp();
        sdl_force_line_quads(true);
    }
    void TearDown() override {
        sdl_force_line_quads(false);
        reference::TearDown();
    }
};

void every_grid_look(const std::function<void(const std::string&, const std::vector<uint8_t>&)>& check) {
    screen_width = field_width = W;
    screen_height = field_height = H;
    camera_x = camera_y = 0;
    full_grid = 1;
    grid_red = 1, grid_green = 32, grid_blue = 200;
    grid_opacity = 0.85f;
    drift_colour.r = 250, drift_colour.g = 20, drift_colour.b = 30;
    for (int spacing : {2, 0}) {
        grid_spacing = spacing;
        grid_size(W, H);
        grid_pull(336, 240, 6, 20.0f);
        grid_burst(144, 128);
        grid_push(500, 360, 8, 2.0f);
        for (int i = 0; i < 3; i++) grid_relax();
        grid_looks_reset();
        for (int style = 0; style < GRID_STYLES; style++) {
            seed_look_rnd(77);
            clear_screen();
            grid_draw(style);
            check("grid" + std::to_string(style) + (spacing ? "_16px" : "_4px"),
                  read_pixels(0, 0, W, H));
        }
    }
}

TEST_F(reference, every_grid_look_at_16_and_4_px) {
    every_grid_look([this](const std::string& n, const std::vector<uint8_t>& px) { check(n, px); });
}

TEST_F(reference_quads, every_grid_look_at_16_and_4_px_with_wide_lines_as_triangles) {
    every_grid_look([this](const std::string& n, const std::vector<uint8_t>& px) { check(n, px); });
}

TEST_F(reference, play_in_each_image_set_and_spark_style) {
    for (int set = 0; set < 4; set++) {
        open_game(set);
        lay_play(set);
        clear_screen();
        draw_frame();
        check("play_set" + std::to_string(set), frame_now());
        flip();
    }
}

TEST_F(reference, letterboxed_full_screen) {
    lay_play(0);
    // The same 640 x 480 game over the whole virtual screen, scaled and barred.
    ASSERT_TRUE(display_open(W, H, 32, 60));
    grid_looks_reset();
    clear_screen();
    draw_frame();
    check("letterbox_play", frame_now());
    flip();
    grid_spacing = 0;
    grid_size(W, H);
    grid_burst(300, 200);
    grid_relax();
    clear_screen();
    grid_draw(4);
    check("letterbox_grid4_4px", frame_now());
    flip();
}

TEST_F(reference, attract_screens_and_a_menu) {
    sdl_set_present_hook(on_present);
    struct screen {
        const char* name;
        int frame;
        int key;
        std::function<void()> run;
    };
    const screen screens[] = {
        {"title", 120, 32, [] { title_intro = 600; title_screen(); }},
        {"top_scores", 60, 32, [] { top_scores_screen(-1); }},
        {"friends", 160, 32, [] { friends_screen(); }},
        {"enemies", 160, 32, [] { enemies_screen(); }},
        {"menu", 10, 27, [this] {
             lay_play(1);
             pause_menu(1);
         }},
    };
    for (const screen& s : screens) {
        seed_rnd(99);
        part_clear();
        blackhole_list.clear();
        actor_lists_collect();
        drift_colour.r = 250, drift_colour.g = 120, drift_colour.b = 30;
        camera_x = camera_y = 0;
        hook_frame = 0;
        hook_target = s.frame;
        hook_key = s.key;
        hook_picture.clear();
        flush_keys();
        s.run();
        game_started = 0;
        check(s.name, hook_picture);
    }
}

} // namespace

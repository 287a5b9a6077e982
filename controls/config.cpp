#include "controls/config.h"

#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "media/media.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game_state.h"

#include <algorithm>
#include <cmath>
#include <iterator>

std::string status_message;
int status_message_timer = 0;

namespace {

enum kind { INT, REAL, PERCENT, BOOL, NAME };

struct setting {
    const char* key;
    kind k;
    int* i;
    float* f;
    void (*clamp)();
};

// Keep table indices inside their tables whatever a hand-edited file says.
template <int lo, int hi>
void clamp_int(int& v) {
    if (v < lo) v = lo;
    if (v > hi) v = hi;
}

// A fraction outside 0..1 would make the mouse cap divide by zero or inertia grow forever.
void clamp_unit(float& v) {
    if (!(v >= 0.0f)) v = 0.0f;
    if (v > 1.0f) v = 1.0f;
}

const setting main_settings[] = {
    {"[Windowed]", BOOL, &windowed, nullptr, nullptr},
    {"[Control Type]", NAME, &control_type, nullptr, nullptr},
    {"[Hybrid Config]", INT, &hybrid_config, nullptr, [] { clamp_int<0, 2>(hybrid_config); }},
    {"[Joypad Config]", INT, &joypad_config, nullptr, [] { clamp_int<0, 1>(joypad_config); }},
    {"[Joypad Left]", INT, &joypad_left_button, nullptr, nullptr},
    {"[Joypad Up]", INT, &joypad_up_button, nullptr, nullptr},
    {"[Joypad Right]", INT, &joypad_right_button, nullptr, nullptr},
    {"[Joypad Down]", INT, &joypad_down_button, nullptr, nullptr},
    {"[Joypad Option]", INT, &joypad_option_button, nullptr, nullptr},
    {"[Joypad Bomb]", INT, &joypad_bomb_button, nullptr, nullptr},
    {"[Autofire]", INT, &autofire, nullptr, nullptr},
    {"[Key Bomb]", INT, &key_bomb, nullptr, nullptr},
    {"[Key Move Left]", INT, &key_move_left, nullptr, nullptr},
    {"[Key Move Right]", INT, &key_move_right, nullptr, nullptr},
    {"[Key Move Up]", INT, &key_move_up, nullptr, nullptr},
    {"[Key Move Down]", INT, &key_move_down, nullptr, nullptr},
    {"[Key Fire Left]", INT, &key_fire_left, nullptr, nullptr},
    {"[Key Fire Right]", INT, &key_fire_right, nullptr, nullptr},
    {"[Key Fire Up]", INT, &key_fire_up, nullptr, nullptr},
    {"[Key Fire Down]", INT, &key_fire_down, nullptr, nullptr},
    {"[SFX Volume]", PERCENT, nullptr, &sfx_volume, nullptr},
    {"[Music Volume]", PERCENT, nullptr, &music_volume, nullptr},
    {"[Grid Style]", INT, &grid_style, nullptr, nullptr},
    {"[Grid Red]", INT, &grid_red, nullptr, [] { clamp_int<0, 255>(grid_red); }},
    {"[Grid Green]", INT, &grid_green, nullptr, [] { clamp_int<0, 255>(grid_green); }},
    {"[Grid Blue]", INT, &grid_blue, nullptr, [] { clamp_int<0, 255>(grid_blue); }},
    {"[Grid Opacity]", PERCENT, nullptr, &grid_opacity, nullptr},
    {"[Grid Spacing]", INT, &grid_spacing, nullptr, [] { clamp_int<0, 3>(grid_spacing); }},
    {"[Full Grid]", INT, &full_grid, nullptr, [] { if (full_grid < 0 || full_grid > 1) full_grid = 0; }},
    {"[Gfx Set]", INT, &gfx_set, nullptr, [] { if (gfx_set < 0 || gfx_set > 3) gfx_set = 0; }},
    {"[Show Stars]", INT, &show_stars, nullptr, [] { clamp_int<0, 1000>(show_stars); }},
    {"[Scroll]", INT, &scroll, nullptr, nullptr},
    {"[Playfield Width]", INT, &cfg_field_width, nullptr, [] { clamp_int<64, 16384>(cfg_field_width); }},
    {"[Playfield Height]", INT, &cfg_field_height, nullptr, [] { clamp_int<64, 16384>(cfg_field_height); }},
    {"[Screen Width]", INT, &cfg_screen_width, nullptr, [] { clamp_int<64, 16384>(cfg_screen_width); }},
    {"[Screen Height]", INT, &cfg_screen_height, nullptr, [] { clamp_int<64, 16384>(cfg_screen_height); }},
    {"[Particle Count]", INT, &particle_count, nullptr, [] {
         if (particle_count > PARTICLE_MAX) particle_count = PARTICLE_MAX;
         if (particle_count < 0) particle_count = 0;
     }},
    {"[Particle Life]", INT, &particle_life, nullptr, [] { if (particle_life > 500) particle_life = 500; }},
    {"[Particle Gravity]", INT, &particle_gravity, nullptr, nullptr},
    {"[Particle Decay]", REAL, nullptr, &particle_decay, [] {
         if (!(particle_decay >= 0.01f)) particle_decay = 0.01f;
         if (particle_decay > 0.9999f) particle_decay = 0.9999f;
     }},
    {"[Particle Style]", INT, &particle_style, nullptr, [] { clamp_int<0, 3>(particle_style); }},
    {"[Mouse Sensitivity]", PERCENT, nullptr, &mouse_sensitivity, [] { clamp_unit(mouse_sensitivity); }},
    {"[Mouse Fire]", INT, &mouse_fire, nullptr, [] { clamp_int<0, 3>(mouse_fire); }},
    {"[Mouse Bomb]", INT, &mouse_bomb, nullptr, [] { clamp_int<0, 3>(mouse_bomb); }},
    {"[Difficulty]", INT, &difficulty, nullptr, [] { clamp_int<0, 2>(difficulty); }},
    {"[Inertia]", PERCENT, nullptr, &inertia, [] { clamp_unit(inertia); }},
    {"[Used Port]", INT, &used_port, nullptr, [] { clamp_int<0, 3>(used_port); }},
};

const char* const axis_keys[4] = {"Move X", "Move Y", "Fire X", "Fire Y"};

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

void read_value(const setting& s, const std::string& v) {
    switch (s.k) {
    case INT: *s.i = parse_int(v); break;
    case REAL: *s.f = parse_float(v); break;
    case PERCENT: *s.f = parse_float(v) / 100.0f; break;
    case BOOL: *s.i = upper(v) == "TRUE" ? 1 : 0; break;
    case NAME:
        for (int n = 0; n < 5; n++)
            if (upper(v) == upper(control_type_names[n])) {
                *s.i = n;
                break;
            }
        break;
    }
    if (s.clamp) s.clamp();
}

std::string write_value(const setting& s) {
    switch (s.k) {
    case INT: return std::to_string(*s.i);
    case REAL: return float_text(*s.f);
    case PERCENT: return std::to_string(int(double(*s.f) * 100.0)); // 0.57 is kept as 56
    case BOOL: return *s.i ? "True" : "False";
    case NAME: {
        int n = *s.i >= 0 && *s.i < 5 ? *s.i : 0;
        return control_type_names[n];
    }
    }
    return "";
}

std::string block_key(int field) {
    // fields 0-3 axes, 4-7 inverted, 8-11 scale, 12-15 centre, 16-19 dead zone, 20 option, 21 bomb
    if (field < 4) return std::string("[Joy ") + axis_keys[field] + "]";
    if (field < 8) return std::string("[Joy ") + axis_keys[field - 4] + " Inverted]";
    if (field < 12) return std::string("[Joy ") + axis_keys[field - 8] + " Scale]";
    if (field < 16) return std::string("[Joy ") + axis_keys[field - 12] + " Center]";
    if (field < 20) return std::string("[Joy ") + axis_keys[field - 16] + " Dead Zone]";
    return field == 20 ? "[Joy Option]" : "[Joy Bomb]";
}

int* axis_field(bbjoypad& p, int a) {
    int* axes[4] = {&p.move_x_axis, &p.move_y_axis, &p.fire_x_axis, &p.fire_y_axis};
    return axes[a];
}

void read_block_value(bbjoypad& p, int field, const std::string& v) {
    if (field < 4) {
        int n = parse_int(v);
        *axis_field(p, field) = n < 0 ? 0 : (n > 15 ? 15 : n); // stays inside the axis table
    } else if (field < 8) {
        int n = parse_int(v);
        p.invert[field - 4] = (n == 1 || n == -1) ? n : 1;
    } else if (field < 12) {
        int n = parse_int(v);
        p.scale[field - 8] = n == 0 ? 1.0f : float(n);
    } else if (field < 16) {
        float c = parse_float(v);
        p.centre[field - 12] = std::fabs(c) <= 1.0f ? c : 0.0f;
    } else if (field < 20) {
        float d = parse_float(v);
        p.dead_zone[field - 16] = std::fabs(d) <= 1.0f ? d : 0.0f;
    } else if (field == 20) {
        p.option_button = parse_int(v);
    } else {
        p.bomb_button = parse_int(v);
    }
}

std::string write_block_value(const bbjoypad& p, int field) {
    if (field < 4) return std::to_string(*axis_field(const_cast<bbjoypad&>(p), field));
    if (field < 8) return std::to_string(p.invert[field - 4]);
    if (field < 12) return std::to_string(int(p.scale[field - 8]));
    if (field < 16) return float_text(p.centre[field - 12]);
    if (field < 20) return float_text(p.dead_zone[field - 16]);
    return std::to_string(field == 20 ? p.option_button : p.bomb_button);
}

// Every setting's value, as numbers (the text rounds percentages).
struct settings_values {
    int ints[std::size(main_settings)];
    float reals[std::size(main_settings)];
    bbjoypad pads[4];
    int life_every[3], bomb_every[3]; // set in the Game screen for the run, not kept in the file
    int frame_rate, glow;
};

settings_values settings_now() {
    settings_values v{};
    for (size_t n = 0; n < std::size(main_settings); n++) {
        if (main_settings[n].i) v.ints[n] = *main_settings[n].i;
        if (main_settings[n].f) v.reals[n] = *main_settings[n].f;
    }
    std::copy(std::begin(joypads), std::end(joypads), v.pads);
    std::copy(extra_life_table, extra_life_table + 3, v.life_every);
    std::copy(extra_bomb_table, extra_bomb_table + 3, v.bomb_every);
    v.frame_rate = frame_rate;
    v.glow = glow;
    return v;
}

// Taken before main: the settings are plain constants until then.
const settings_values built_in = settings_now();

} // namespace

void settings_defaults() {
    for (size_t n = 0; n < std::size(main_settings); n++) {
        if (main_settings[n].i) *main_settings[n].i = built_in.ints[n];
        if (main_settings[n].f) *main_settings[n].f = built_in.reals[n];
    }
    std::copy(std::begin(built_in.pads), std::end(built_in.pads), joypads);
    std::copy(built_in.life_every, built_in.life_every + 3, extra_life_table);
    std::copy(built_in.bomb_every, built_in.bomb_every + 3, extra_bomb_table);
    frame_rate = built_in.frame_rate;
    glow = built_in.glow;
}

std::vector<std::string> config_lines() {
    std::vector<std::string> out;
    for (const auto& s : main_settings) {
        out.push_back(s.key);
        out.push_back(write_value(s));
    }
    for (int port = 0; port < 4; port++) {
        out.push_back("[Joy Port]");
        out.push_back(std::to_string(port));
        for (int field = 0; field < 22; field++) {
            out.push_back(block_key(field));
            out.push_back(write_block_value(joypads[port], field));
        }
    }
    // After the classic lines, so a reader that knows only those still reads the file.
    out.push_back("[Frame Rate]");
    out.push_back(std::to_string(frame_rate));
    out.push_back("[Glow]");
    out.push_back(std::to_string(glow));
    return out;
}

void config_apply_lines(const std::vector<std::string>& lines) {
    size_t at = 0;
    // Past the end a read gives an empty line, as a file's end does.
    auto next = [&]() -> std::string { return at < lines.size() ? lines[at++] : std::string(); };
    while (at < lines.size()) {
        std::string key = next();
        std::string value = next();
        if (key == "[Joy Port]") {
            int port = parse_int(value);
            // A block for a port that does not exist is read and thrown away.
            bbjoypad scratch;
            bbjoypad& pad = port >= 0 && port <= 3 ? joypads[port] : scratch;
            for (int n = 0; n < 22; n++) {
                std::string k = next();
                std::string v = next();
                for (int field = 0; field < 22; field++)
                    if (k == block_key(field)) {
                        read_block_value(pad, field, v);
                        break;
                    }
            }
            continue;
        }
        if (key == "[Frame Rate]") frame_rate = frame_rate_checked(parse_int(value));
        if (key == "[Glow]") glow = std::clamp(parse_int(value), 0, 2);
        for (const auto& s : main_settings)
            if (key == s.key) {
                read_value(s, value);
                break;
            }
    }
}

int config_load() {
    text_file* f = file_open_read(settings_path("Config.txt"));
    if (!f) {
        status_message = "Config load failed.";
        status_message_timer = 120;
        return 0;
    }
    std::vector<std::string> lines;
    while (!file_eof(f)) lines.push_back(file_read_line(f));
    file_close(f);
    config_apply_lines(lines);
    status_message = "Config file loaded.";
    status_message_timer = 120;
    return 1;
}

int config_save() {
    // Replacing the file would get round its protection: a read-only one is left as it is.
    const std::string path = settings_path("Config.txt");
    if (file_read_only(path)) return 0;
    make_folder(folders().settings);
    text_file* f = file_open_write(path);
    if (!f) return 0;
    for (const std::string& line : config_lines()) file_write_line(f, line);
    if (!file_close(f)) return 0;
    status_message = "Config file saved.";
    status_message_timer = 120;
    return 1;
}

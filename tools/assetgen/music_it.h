// Writing Impulse Tracker modules (sample mode), and the few helpers the tunes are
// composed with: melodies as text, drum grids, and notes named by their real pitch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct it_sample {
    std::string name;
    std::vector<int16_t> pcm; // mono
    int c5speed = 44100;      // rate at which IT note C-5 (60) plays the sample as recorded
    bool loop = false;
    int loop_begin = 0, loop_end = 0; // frames, end exclusive
    int volume = 64;                  // default volume 0-64
    int global_volume = 64;           // 0-64
    int root = 60; // the MIDI pitch the sample sounds at IT note 60 (composing aid, not written)
};

constexpr int IT_NO_NOTE = -1;
constexpr int IT_NOTE_CUT = 254;
constexpr int IT_NOTE_OFF = 255;

struct it_cell {
    int note = IT_NO_NOTE;
    int sample = 0;             // 1-based; 0 = none
    int volume = -1;            // volume column 0-64; -1 = none
    int command = 0, param = 0; // 1 = A ... 26 = Z
};

struct it_pattern {
    int rows = 64;
    int channels = 0;
    std::vector<it_cell> cells; // row-major
    it_pattern(int ch, int r = 64) : rows(r), channels(ch), cells(size_t(ch) * r) {}
    it_cell& at(int row, int ch) { return cells[size_t(row) * channels + ch]; }
    const it_cell& at(int row, int ch) const { return cells[size_t(row) * channels + ch]; }
};

struct it_song {
    std::string title;
    int speed = 6, tempo = 125;
    int global_volume = 128, mix_volume = 48;
    int channels = 0;
    std::vector<int> pan;    // per channel, 0-64 (32 centre)
    std::vector<int> volume; // per channel, 0-64
    std::vector<int> orders; // pattern numbers; the end marker is added by the writer
    std::vector<it_pattern> patterns;
    std::vector<it_sample> samples;
};

std::vector<uint8_t> it_write(const it_song& song);

// MIDI pitch of a name like "C4" (middle C, 60), "F#3", "Bb5".
int pitch(const char* name);

// Fills pattern cells for one tune.
struct it_composer {
    it_song& song;
    int pattern = 0;

    // The IT note that makes sample s (1-based) sound at MIDI pitch p.
    int it_note(int s, int p) const;
    void note(int row, int ch, int s, int p, int vol = -1);
    void cut(int row, int ch);
    void command(int row, int ch, int cmd, int param);
    // A melody from row0: tokens "E5:6" (pitch, rows), "-:4" rest (cut), "~:4" hold.
    // Returns the row after the last token.
    int melody(int ch, int s, int row0, const char* text, int vol = -1, int transpose = 0);
    // Hits of one pitch along a grid, one character per row from row0 ('X' accent 64,
    // 'x' 48, 'o' 28, '.' nothing); a 16-character grid repeats over `rows`.
    void grid(int ch, int s, int p, int row0, int rows, const char* cells, int scale = 64);
};

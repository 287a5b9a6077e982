// The three tunes. Each is four-bar patterns (16 rows a bar, 4 rows a beat) built from a
// chord progression: pads voice the chords, a bass line and an arpeggio follow the roots,
// drums keep the groove, and a written melody sings over the top.
#include "music_gen.h"

#include "music_it.h"
#include "music_samples.h"
#include "sounds_wav.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// IT commands
constexpr int CMD_VIBRATO = 8; // H

struct chord {
    int root; // bass pitch
    int v[3]; // pad voicing, low to high
};

chord ch(const char* root, const char* a, const char* b, const char* c) {
    return {pitch(root), {pitch(a), pitch(b), pitch(c)}};
}

struct tune {
    it_song song;
    it_composer comp{song};

    tune(const char* title, int tempo, int channels, std::initializer_list<int> pans) {
        song.title = title;
        song.tempo = tempo;
        song.speed = 6;
        song.channels = channels;
        song.pan.assign(pans);
        song.volume.assign(size_t(channels), 64);
    }

    int add(it_sample s) {
        song.samples.push_back(std::move(s));
        return int(song.samples.size());
    }

    // Channels whose samples loop: a pattern that does not strike them at its first row
    // silences them there, so no note rings on through a section that leaves it out.
    std::vector<int> sustained;

    void finish() {
        if (song.patterns.empty()) return;
        it_pattern& p = song.patterns.back();
        for (int c : sustained)
            if (p.at(0, c).note == IT_NO_NOTE) comp.cut(0, c);
    }

    int new_pattern() {
        finish();
        song.patterns.emplace_back(song.channels);
        comp.pattern = int(song.patterns.size()) - 1;
        return comp.pattern;
    }

    // Chord tones on three channels, one chord a bar; a tone the last chord also had is
    // held rather than struck again.
    void pads(int ch0, int s, const chord* bars, int vol) {
        int held[3] = {-1, -1, -1};
        for (int bar = 0; bar < 4; bar++)
            for (int k = 0; k < 3; k++) {
                if (bars[bar].v[k] == held[k]) continue;
                comp.note(bar * 16, ch0 + k, s, bars[bar].v[k], vol);
                held[k] = bars[bar].v[k];
            }
    }

    // One character a row: R root, O octave up, 5 fifth, 4 fourth, b minor seventh,
    // L octave down, - cut, . nothing. A 16-character grid repeats each bar.
    void bass(int chn, int s, const chord* bars, const char* grid, int vol, int from_bar = 0,
              int to_bar = 4) {
        const int len = int(std::strlen(grid));
        for (int bar = from_bar; bar < to_bar; bar++)
            for (int r = 0; r < 16; r++) {
                int row = bar * 16 + r;
                char c = grid[row % len];
                int p = bars[bar].root;
                int accent = (r % 4 == 0) ? vol : vol * 3 / 4;
                switch (c) {
                case 'R':
                    comp.note(row, chn, s, p, accent);
                    break;
                case 'O':
                    comp.note(row, chn, s, p + 12, accent);
                    break;
                case '5':
                    comp.note(row, chn, s, p + 7, accent);
                    break;
                case '4':
                    comp.note(row, chn, s, p + 5, accent);
                    break;
                case 'b':
                    comp.note(row, chn, s, p + 10, accent);
                    break;
                case 'L':
                    comp.note(row, chn, s, p - 12, accent);
                    break;
                case '-':
                    comp.cut(row, chn);
                    break;
                default:
                    break;
                }
            }
    }

    // An arpeggio over the voicing lifted by `lift` semitones: digits index the tones
    // (0-2 the voicing, 3-5 an octave up), one step every `step` rows.
    void arp(int chn, int s, const chord* bars, const char* order, int step, int lift, int vol,
             int from_bar = 0, int to_bar = 4) {
        const int len = int(std::strlen(order));
        int k = 0;
        for (int bar = from_bar; bar < to_bar; bar++)
            for (int r = 0; r < 16; r += step, k++) {
                int d = order[k % len] - '0';
                int p = bars[bar].v[d % 3] + 12 * (d / 3) + lift;
                comp.note(bar * 16 + r, chn, s, p, (r % 4 == 0) ? vol : vol * 3 / 4);
            }
    }

    // Hits along a grid (see it_composer::grid), over bars from_bar..to_bar-1.
    void drum(int chn, int s, const char* grid, int scale = 64, int from_bar = 0, int to_bar = 4) {
        comp.grid(chn, s, 60, from_bar * 16, (to_bar - from_bar) * 16, grid, scale);
    }
};

// ------------------------------------------------------------------ title: moody, A minor

std::vector<uint8_t> theme_title() {
    // channels: kick, snare/rim, hat, low (bass line), pad x3, lead, bell, crash, lead echo
    enum { KICK, SNARE, HAT, LOW, PAD, LEAD = PAD + 3, BELL, CRASH, ECHO, N };
    tune t("Vexlume - Drift", 90, N, {32, 36, 44, 32, 18, 32, 46, 28, 40, 36, 54});
    t.song.mix_volume = 56;
    const int pad = t.add(instrument::pad_warm());
    const int bass = t.add(instrument::bass_round());
    const int bell = t.add(instrument::bell());
    const int lead = t.add(instrument::lead_soft());
    const int kick = t.add(instrument::kick(0.3f));
    const int rim = t.add(instrument::rim());
    const int hat = t.add(instrument::hat_closed());
    const int snare = t.add(instrument::snare(0.8f));
    const int crash = t.add(instrument::crash());
    t.sustained = {LOW, PAD, PAD + 1, PAD + 2, LEAD, ECHO};

    const chord A[4] = {ch("A2", "A3", "C4", "E4"), ch("F2", "A3", "C4", "F4"),
                        ch("C3", "G3", "C4", "E4"), ch("E2", "G#3", "B3", "E4")};
    const chord A2[4] = {ch("A2", "A3", "C4", "E4"), ch("F2", "A3", "C4", "F4"),
                         ch("D3", "A3", "D4", "F4"), ch("E2", "G#3", "B3", "E4")};
    const chord B[4] = {ch("D3", "A3", "D4", "F4"), ch("A2", "A3", "C4", "E4"),
                        ch("Bb2", "Bb3", "D4", "F4"), ch("E2", "G#3", "B3", "D4")};

    const char* melody_a =
        "E5:6 D5:2 C5:4 B4:4 A4:8 C5:4 F5:4 E5:6 G5:2 E5:4 D5:2 C5:2 B4:12 G#4:4";
    const char* melody_a2 = "E5:4 A5:4 G5:2 E5:2 C5:4 F5:6 E5:2 C5:4 A4:4 D5:6 F5:2 A5:6 F5:2 "
                            "E5:4 G#5:4 B5:8";
    const char* melody_b = "F5:4 E5:2 D5:2 A5:8 C6:4 B5:2 A5:2 E5:8 F5:4 G5:2 F5:2 D5:4 Bb4:4 "
                           "G#4:4 B4:4 E5:4 D5:4";
    const char* melody_b2 = "A5:6 G5:2 F5:4 E5:4 E5:4 C5:4 A4:8 D5:4 F5:4 Bb5:6 A5:2 G#5:12 E5:4";
    const char* counter = "C5:8 B4:8 A4:8 C5:8 G4:8 E4:8 G#4:16";

    auto sing = [&](const char* line) {
        t.comp.melody(LEAD, lead, 0, line, 50);
        t.comp.melody(ECHO, lead, 3, line, 18); // a dotted-eighth echo on the far side
        for (int bar = 0; bar < 4; bar++) t.comp.command(bar * 16 + 4, LEAD, CMD_VIBRATO, 0x42);
    };

    // 0: the pads alone, bells drifting in
    t.new_pattern();
    t.pads(PAD, pad, A, 40);
    t.arp(BELL, bell, A, "01243210", 2, 12, 20, 2, 4);
    // 1: bass and a heartbeat kick
    t.new_pattern();
    t.pads(PAD, pad, A, 40);
    t.bass(LOW, bass, A, "R.........R...R.", 50);
    t.arp(BELL, bell, A, "01243210", 2, 12, 24);
    t.drum(KICK, kick, "X.......x.......", 56);
    t.drum(HAT, hat, "..o...o...o...o.", 64);
    // 2: the theme
    t.new_pattern();
    t.pads(PAD, pad, A, 36);
    t.bass(LOW, bass, A, "R.........R...R.", 50);
    t.arp(BELL, bell, A, "0124", 4, 12, 18);
    t.drum(KICK, kick, "X.......x.......", 56);
    t.drum(SNARE, rim, "....x.......x...", 64);
    t.drum(HAT, hat, "..o...o...o...o.", 64);
    t.comp.note(0, CRASH, crash, 60, 24);
    sing(melody_a);
    // 3: the theme answered
    t.new_pattern();
    t.pads(PAD, pad, A2, 36);
    t.bass(LOW, bass, A2, "R.......R.O...R.", 50);
    t.arp(BELL, bell, A2, "0124", 4, 12, 18);
    t.drum(KICK, kick, "X.......x.......", 56);
    t.drum(SNARE, rim, "....x.......x..o", 64);
    t.drum(HAT, hat, "o.o.o.o.o.o.o.o.", 64);
    sing(melody_a2);
    // 4: the middle section climbs
    t.new_pattern();
    t.pads(PAD, pad, B, 38);
    t.bass(LOW, bass, B, "R.....R.O.....5.", 52);
    t.arp(BELL, bell, B, "01243210", 2, 12, 16);
    t.drum(KICK, kick, "X.....x.X.......", 60);
    t.drum(SNARE, snare, "....x.......x...", 36);
    t.drum(HAT, hat, "o.x.o.x.o.x.o.x.", 64);
    t.comp.note(0, CRASH, crash, 60, 30);
    sing(melody_b);
    // 5: and falls back
    t.new_pattern();
    t.pads(PAD, pad, B, 38);
    t.bass(LOW, bass, B, "R.....R.O.....5.", 52);
    t.arp(BELL, bell, B, "01243210", 2, 12, 16);
    t.drum(KICK, kick, "X.....x.X.......", 60);
    t.drum(SNARE, snare, "....x.......x...", 36, 0, 3);
    t.drum(SNARE, snare, "....x.....o.xooo", 36, 3, 4);
    t.drum(HAT, hat, "o.x.o.x.o.x.o.x.", 64);
    sing(melody_b2);
    // 6: the floor drops out: pads, bells, a low counter-line
    t.new_pattern();
    t.pads(PAD, pad, A, 44);
    t.bass(LOW, bass, A, "R...............", 44);
    t.arp(BELL, bell, A, "012345431", 2, 12, 26);
    t.comp.melody(LEAD, lead, 0, counter, 40);
    t.comp.melody(ECHO, lead, 3, counter, 16);
    // 7: the theme once more, bells doubling it high; a fill leads back to the start
    t.new_pattern();
    t.pads(PAD, pad, A, 36);
    t.bass(LOW, bass, A, "R.........R...R.", 52);
    t.drum(KICK, kick, "X.......x.......", 60);
    t.drum(SNARE, rim, "....x.......x...", 64, 0, 3);
    t.drum(SNARE, snare, "....x...o.o.xoxx", 36, 3, 4);
    t.drum(HAT, hat, "o.x.o.x.o.x.o.x.", 64);
    t.comp.note(0, CRASH, crash, 60, 30);
    sing(melody_a);
    t.comp.melody(BELL, bell, 0, melody_a, 22, 12);

    t.finish();
    t.song.orders = {0, 1, 2, 3, 4, 5, 6, 7};
    return it_write(t.song);
}

// ------------------------------------------------------------------ in game: driving, E minor

std::vector<uint8_t> theme_game() {
    enum { KICK, SNARE, HAT, OHAT, LOW, ARP, PAD, LEAD = PAD + 3, CRASH, DOUBLE, N };
    tune t("Vexlume - Overdrive", 140, N, {32, 34, 42, 22, 32, 44, 18, 32, 46, 30, 36, 38});
    t.song.mix_volume = 48;
    const int kick = t.add(instrument::kick(1.0f));
    const int snare = t.add(instrument::snare(0.5f));
    const int hat = t.add(instrument::hat_closed());
    const int ohat = t.add(instrument::hat_open());
    const int bass = t.add(instrument::bass_pluck());
    const int lead = t.add(instrument::lead_bright());
    const int pad = t.add(instrument::pad_strings());
    const int pluck = t.add(instrument::pluck());
    const int crash = t.add(instrument::crash());
    t.sustained = {PAD, PAD + 1, PAD + 2, LEAD, DOUBLE};

    const chord I[4] = {ch("E2", "G3", "B3", "E4"), ch("C2", "G3", "C4", "E4"),
                        ch("D2", "F#3", "A3", "D4"), ch("B1", "F#3", "B3", "D#4")};
    const chord II[4] = {ch("C2", "G3", "C4", "E4"), ch("D2", "F#3", "A3", "D4"),
                         ch("B1", "F#3", "B3", "D4"), ch("E2", "G3", "B3", "E4")};
    const chord III[4] = {ch("A1", "A3", "C4", "E4"), ch("C2", "G3", "C4", "E4"),
                          ch("D2", "F#3", "A3", "D4"), ch("B1", "F#3", "B3", "D#4")};

    const char* riff_a = "E5:2 G5:2 B5:4 A5:2 G5:2 F#5:2 G5:2 E5:4 -:2 E5:2 G5:2 C6:4 B5:2 "
                         "A5:2 F#5:2 D5:4 A5:2 B5:2 C6:2 A5:2 B5:6 A5:2 F#5:4 D#5:4";
    const char* riff_a2 = "E5:2 G5:2 B5:4 A5:2 G5:2 F#5:2 G5:2 E5:4 -:2 E5:2 G5:2 C6:4 B5:2 "
                          "A5:2 F#5:2 D5:4 A5:2 B5:2 C6:2 A5:2 F#5:2 A5:2 B5:4 D#6:8";
    const char* line_b = "G5:8 E5:4 C5:4 F#5:8 A5:4 D6:4 D6:6 B5:2 F#5:8 G5:4 F#5:2 E5:2 B4:8";
    const char* line_c = "A5:2 C6:2 E6:4 D6:2 C6:2 B5:2 A5:2 G5:4 E6:4 D6:4 C6:4 D6:2 C6:2 "
                         "B5:2 A5:2 F#5:4 A5:4 B5:8 D#6:4 F#6:4";

    const char* four = "X...X...X...X...";
    const char* back = "....X.......X...";
    const char* hats = "x.o.x.o.x.o.x.o.";
    const char* drive = "R.RRO.R.R.RRO.5.";
    auto groove = [&](const chord* c, bool fill) {
        t.drum(KICK, kick, four, 60);
        t.drum(SNARE, snare, back, 56, 0, fill ? 3 : 4);
        if (fill) t.drum(SNARE, snare, "....X...x.x.XxXX", 56, 3, 4);
        t.drum(HAT, hat, hats, 60);
        t.drum(OHAT, ohat, "..o...o...o...o.", 64);
        t.bass(LOW, bass, c, drive, 56);
    };
    auto lead_line = [&](const char* line, bool doubled) {
        t.comp.melody(LEAD, lead, 0, line, 48);
        if (doubled) t.comp.melody(DOUBLE, lead, 0, line, 26, -12);
    };

    // 0: drums and bass alone
    t.new_pattern();
    t.drum(KICK, kick, four, 60);
    t.drum(HAT, hat, hats, 60);
    t.bass(LOW, bass, I, "R.R.R.R.R.R.R.R.", 54);
    t.drum(SNARE, snare, "........x.x.XxXX", 50, 3, 4);
    // 1: the band comes in
    t.new_pattern();
    groove(I, false);
    t.pads(PAD, pad, I, 30);
    t.arp(ARP, pluck, I, "0125", 1, 12, 40);
    // 2: the riff
    t.new_pattern();
    groove(I, false);
    t.pads(PAD, pad, I, 28);
    t.arp(ARP, pluck, I, "0125", 1, 12, 34);
    t.comp.note(0, CRASH, crash, 60, 40);
    lead_line(riff_a, false);
    // 3: the riff, reaching higher, doubled an octave down
    t.new_pattern();
    groove(I, true);
    t.pads(PAD, pad, I, 28);
    t.arp(ARP, pluck, I, "0125", 1, 12, 34);
    lead_line(riff_a2, true);
    // 4: second theme over a brighter progression
    t.new_pattern();
    groove(II, false);
    t.pads(PAD, pad, II, 32);
    t.arp(ARP, pluck, II, "012543", 2, 12, 36);
    t.comp.note(0, CRASH, crash, 60, 40);
    lead_line(line_b, false);
    // 5: the climb
    t.new_pattern();
    groove(III, true);
    t.pads(PAD, pad, III, 32);
    t.arp(ARP, pluck, III, "0125", 1, 12, 34);
    t.comp.note(0, CRASH, crash, 60, 44);
    lead_line(line_c, true);
    // 6: breakdown: no kick for two bars, then a snare roll builds it back
    t.new_pattern();
    t.pads(PAD, pad, I, 40);
    t.arp(ARP, pluck, I, "012543", 1, 12, 40);
    t.drum(OHAT, ohat, "..o...o...o...o.", 64);
    t.bass(LOW, bass, I, "R...............", 50, 0, 2);
    t.bass(LOW, bass, I, "R.R.R.R.R.R.R.R.", 54, 2, 4);
    t.drum(KICK, kick, four, 56, 2, 4);
    t.drum(SNARE, snare, "o...o...o...o...", 40, 2, 3);
    t.drum(SNARE, snare, "o.o.o.o.xxxxXXXX", 56, 3, 4);
    // 7: everything at once
    t.new_pattern();
    groove(I, false);
    t.pads(PAD, pad, I, 30);
    t.arp(ARP, pluck, I, "0125", 1, 12, 34);
    t.comp.note(0, CRASH, crash, 60, 48);
    lead_line(riff_a, true);
    // 8: second theme, doubled
    t.new_pattern();
    groove(II, false);
    t.pads(PAD, pad, II, 32);
    t.arp(ARP, pluck, II, "012543", 2, 12, 36);
    t.comp.note(0, CRASH, crash, 60, 40);
    lead_line(line_b, true);
    // 9: the climb again, with a fill back to the top
    t.new_pattern();
    groove(III, true);
    t.pads(PAD, pad, III, 32);
    t.arp(ARP, pluck, III, "0125", 1, 12, 34);
    lead_line(line_c, true);

    t.finish();
    t.song.orders = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    return it_write(t.song);
}

// ------------------------------------------------------------------ high score: triumphant, C
// major

std::vector<uint8_t> theme_victory() {
    enum { KICK, SNARE, HAT, CRASH, TIMP, LOW, STR, BRASS = STR + 3, HARM, BELL, N };
    tune t("Vexlume - Hall of Fame", 120, N, {32, 34, 42, 36, 30, 32, 20, 32, 44, 28, 38, 46});
    t.song.mix_volume = 50;
    const int kick = t.add(instrument::kick(0.6f));
    const int snare = t.add(instrument::snare(0.9f));
    const int hat = t.add(instrument::hat_closed());
    const int crash = t.add(instrument::crash());
    const int brass = t.add(instrument::brass());
    const int strings = t.add(instrument::pad_strings());
    const int bass = t.add(instrument::bass_round());
    const int bell = t.add(instrument::bell());
    const int timp = t.add(instrument::timpani());
    t.sustained = {LOW, STR, STR + 1, STR + 2, BRASS, HARM};

    const chord G_hold[4] = {ch("G2", "G3", "B3", "D4"), ch("G2", "G3", "B3", "D4"),
                             ch("C3", "G3", "C4", "E4"), ch("C3", "G3", "C4", "E4")};
    const chord A[4] = {ch("C3", "G3", "C4", "E4"), ch("F2", "A3", "C4", "F4"),
                        ch("G2", "G3", "B3", "D4"), ch("C3", "G3", "C4", "E4")};
    const chord A2[4] = {ch("A2", "A3", "C4", "E4"), ch("F2", "A3", "C4", "F4"),
                         ch("G2", "G3", "B3", "D4"), ch("G2", "G3", "B3", "F4")};
    const chord B[4] = {ch("F2", "A3", "C4", "F4"), ch("G2", "B3", "D4", "G4"),
                        ch("E2", "B3", "E4", "G4"), ch("A2", "A3", "C4", "E4")};
    const chord B2[4] = {ch("F2", "A3", "C4", "F4"), ch("G2", "B3", "D4", "G4"),
                         ch("C3", "C4", "E4", "G4"), ch("C3", "C4", "E4", "G4")};
    const chord I[4] = {ch("A2", "A3", "C4", "E4"), ch("F2", "A3", "C4", "F4"),
                        ch("C3", "G3", "C4", "E4"), ch("G2", "G3", "B3", "D4")};

    const char* ma = "G4:2 C5:2 E5:2 G5:6 E5:2 G5:2 A5:6 G5:2 F5:4 A5:4 G5:4 D5:4 B4:2 D5:2 G5:4 "
                     "E5:6 D5:2 C5:8";
    const char* ha = "E4:2 G4:2 C5:2 E5:6 C5:2 E5:2 F5:6 E5:2 C5:4 F5:4 D5:4 B4:4 G4:2 B4:2 D5:4 "
                     "C5:6 B4:2 G4:8";
    const char* ma2 = "E5:4 A5:4 C6:6 B5:2 A5:4 F5:4 C6:8 B5:4 D6:4 G5:4 B5:4 D6:8 B5:4 G5:4";
    const char* mb =
        "C6:6 A5:2 F5:4 A5:4 D6:6 B5:2 G5:4 B5:4 E6:4 D6:2 C6:2 B5:4 G5:4 A5:8 C6:4 E6:4";
    const char* hb =
        "A5:6 F5:2 C5:4 F5:4 B5:6 G5:2 D5:4 G5:4 G5:4 B5:2 A5:2 G5:4 E5:4 E5:8 A5:4 C6:4";
    const char* mb2 = "A5:4 G5:2 F5:2 E5:4 F5:4 G5:4 A5:2 B5:2 G5:8 C6:8 G5:4 E5:4 C6:12 -:4";
    const char* bells = "E6:4 C6:4 A5:8 F6:4 C6:4 A5:8 G6:4 E6:4 C6:8 D6:4 B5:4 G5:8";

    auto march = [&](const chord* c, int strength) {
        t.drum(KICK, kick, "X.......X.......", strength);
        t.drum(SNARE, snare, "..o.X.o...o.X.oo", strength - 8);
        t.drum(HAT, hat, "x.x.x.x.x.x.x.x.", strength);
        t.bass(LOW, bass, c, "R...5...R...5...", 52);
        for (int bar = 0; bar < 4; bar++) {
            // the timpani strike the root on the first and third beats
            int root = c[bar].root;
            while (root < pitch("D2")) root += 12;
            while (root > pitch("A2")) root -= 12;
            t.comp.note(bar * 16, TIMP, timp, root, 44);
            t.comp.note(bar * 16 + 8, TIMP, timp, root, 30);
        }
    };
    auto fanfare = [&](const char* line, const char* harmony) {
        t.comp.melody(BRASS, brass, 0, line, 52);
        if (harmony) t.comp.melody(HARM, brass, 0, harmony, 36);
    };

    // 0: a timpani roll on the dominant, then the call of the brass
    t.new_pattern();
    t.pads(STR, strings, G_hold, 34);
    for (int r = 0; r < 32; r += 2) t.comp.note(r, TIMP, timp, pitch("G2"), 14 + r * 3 / 2);
    t.comp.melody(BRASS, brass, 32, "G4:2 G4:2 G4:2 C5:10 E5:2 E5:2 E5:2 G5:10", 54);
    t.comp.melody(HARM, brass, 32, "E4:2 E4:2 E4:2 G4:10 C5:2 C5:2 C5:2 E5:10", 38);
    t.comp.note(32, CRASH, crash, 60, 48);
    t.comp.note(32, TIMP, timp, pitch("C3"), 60);
    t.comp.note(32, KICK, kick, 60, 60);
    t.comp.note(48, TIMP, timp, pitch("C3"), 56);
    t.comp.note(48, KICK, kick, 60, 56);
    t.drum(SNARE, snare, "........oooxxxXX", 50, 3, 4);
    // 1: the theme
    t.new_pattern();
    t.pads(STR, strings, A, 30);
    march(A, 56);
    t.comp.note(0, CRASH, crash, 60, 44);
    fanfare(ma, ha);
    // 2: the theme goes further
    t.new_pattern();
    t.pads(STR, strings, A2, 30);
    march(A2, 56);
    fanfare(ma2, nullptr);
    t.arp(BELL, bell, A2, "345", 4, 0, 20);
    // 3: the middle, higher and brighter
    t.new_pattern();
    t.pads(STR, strings, B, 32);
    march(B, 58);
    t.comp.note(0, CRASH, crash, 60, 44);
    fanfare(mb, hb);
    // 4: the cadence home
    t.new_pattern();
    t.pads(STR, strings, B2, 32);
    march(B2, 58);
    fanfare(mb2, nullptr);
    t.arp(BELL, bell, B2, "345", 4, 0, 20);
    t.drum(SNARE, snare, "....X...xxxxXXXX", 56, 3, 4);
    // 5: interlude: strings and bells, a softer march
    t.new_pattern();
    t.pads(STR, strings, I, 38);
    t.drum(KICK, kick, "X.......X.......", 40);
    t.drum(HAT, hat, "..o...o...o...o.", 56);
    t.bass(LOW, bass, I, "R.......5.......", 46);
    t.comp.melody(BELL, bell, 0, bells, 34);
    t.arp(HARM, brass, I, "012", 16, 0, 22);
    // 6: the theme in full, bells on top
    t.new_pattern();
    t.pads(STR, strings, A, 30);
    march(A, 60);
    t.comp.note(0, CRASH, crash, 60, 50);
    fanfare(ma, ha);
    t.comp.melody(BELL, bell, 0, ma, 22, 12);
    // 7: the last cadence, held, then the roll back to the top
    t.new_pattern();
    t.pads(STR, strings, B2, 34);
    march(B2, 60);
    t.comp.note(0, CRASH, crash, 60, 50);
    t.comp.note(32, CRASH, crash, 60, 44);
    fanfare(mb2, nullptr);
    t.comp.melody(BELL, bell, 0, mb2, 22, 12);
    t.drum(SNARE, snare, "X.......xxxxXXXX", 58, 3, 4);

    t.finish();
    t.song.orders = {0, 1, 2, 3, 4, 5, 6, 3, 7};
    return it_write(t.song);
}

} // namespace

bool gen_music(const std::string& outdir) {
    const std::string dir = outdir + "/music";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    struct {
        const char* file;
        std::vector<uint8_t> (*make)();
    } tunes[3] = {
        {"Theme0.it", theme_title}, {"Theme1.it", theme_game}, {"Theme2.it", theme_victory}};
    int written = 0, kept = 0;
    bool ok = true;
    for (const auto& tn : tunes) {
        bool changed = false;
        const std::string path = dir + "/" + tn.file;
        if (!write_bytes_if_changed(path, tn.make(), changed)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ok = false;
        }
        (changed ? written : kept)++;
    }
    std::printf("assetgen: music %d written, %d unchanged\n", written, kept);
    return ok;
}

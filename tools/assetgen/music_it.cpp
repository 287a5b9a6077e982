// The Impulse Tracker writer: header, order list, offsets, sample headers, packed
// patterns and sample data, in that order.
#include "music_it.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

struct out_bytes {
    std::vector<uint8_t> b;
    void u8(int v) { b.push_back(uint8_t(v)); }
    void u16(int v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(int(v & 0xFFFF));
        u16(int(v >> 16));
    }
    void magic(const char* m) {
        for (int i = 0; i < 4; i++) u8(m[i]);
    }
    // NUL-padded, always NUL-terminated
    void text(const std::string& s, size_t n) {
        for (size_t i = 0; i < n; i++) u8(i < s.size() && i + 1 < n ? s[i] : 0);
    }
    void patch32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; i++) b[at + i] = uint8_t(v >> (8 * i));
    }
};

std::vector<uint8_t> pack_pattern(const it_pattern& p) {
    std::vector<uint8_t> d;
    for (int r = 0; r < p.rows; r++) {
        for (int c = 0; c < p.channels; c++) {
            const it_cell& e = p.at(r, c);
            int mask = (e.note != IT_NO_NOTE ? 1 : 0) | (e.sample ? 2 : 0) |
                       (e.volume >= 0 ? 4 : 0) | (e.command ? 8 : 0);
            if (!mask) continue;
            // every entry carries its own mask: simple, and valid for any reader
            d.push_back(uint8_t((c + 1) | 0x80));
            d.push_back(uint8_t(mask));
            if (mask & 1) d.push_back(uint8_t(e.note));
            if (mask & 2) d.push_back(uint8_t(e.sample));
            if (mask & 4) d.push_back(uint8_t(e.volume));
            if (mask & 8) {
                d.push_back(uint8_t(e.command));
                d.push_back(uint8_t(e.param));
            }
        }
        d.push_back(0);
    }
    return d;
}

} // namespace

std::vector<uint8_t> it_write(const it_song& song) {
    out_bytes o;
    const int ord_num = int(song.orders.size()) + 1;
    const int smp_num = int(song.samples.size());
    const int pat_num = int(song.patterns.size());

    o.magic("IMPM");
    o.text(song.title, 26);
    o.u8(4);  // rows per beat
    o.u8(16); // rows per measure
    o.u16(ord_num);
    o.u16(0); // no instruments
    o.u16(smp_num);
    o.u16(pat_num);
    o.u16(0x0214);
    o.u16(0x0214);
    o.u16(1 | 8); // stereo, linear slides, sample mode
    o.u16(0);
    o.u8(song.global_volume);
    o.u8(song.mix_volume);
    o.u8(song.speed);
    o.u8(song.tempo);
    o.u8(128); // full stereo separation
    o.u8(0);
    o.u16(0);
    o.u32(0);
    o.u32(0);
    for (int c = 0; c < 64; c++) o.u8(c < song.channels ? song.pan[c] : 32 + 128);
    for (int c = 0; c < 64; c++) o.u8(c < song.channels ? song.volume[c] : 64);

    for (int ord : song.orders) o.u8(ord);
    o.u8(255);
    const size_t smp_table = o.b.size();
    for (int i = 0; i < smp_num; i++) o.u32(0);
    const size_t pat_table = o.b.size();
    for (int i = 0; i < pat_num; i++) o.u32(0);

    std::vector<size_t> smp_header_at(smp_num);
    for (int i = 0; i < smp_num; i++) {
        const it_sample& s = song.samples[i];
        smp_header_at[i] = o.b.size();
        o.patch32(smp_table + 4 * i, uint32_t(o.b.size()));
        o.magic("IMPS");
        o.text("", 12);
        o.u8(0);
        o.u8(s.global_volume);
        o.u8(1 | 2 | (s.loop ? 16 : 0)); // data present, 16-bit
        o.u8(s.volume);
        o.text(s.name, 26);
        o.u8(1);  // signed samples
        o.u8(32); // default pan, not used
        o.u32(uint32_t(s.pcm.size()));
        o.u32(uint32_t(s.loop ? s.loop_begin : 0));
        o.u32(uint32_t(s.loop ? s.loop_end : 0));
        o.u32(uint32_t(s.c5speed));
        o.u32(0);
        o.u32(0);
        o.u32(0); // data offset, patched below
        o.u32(0);
    }
    for (int i = 0; i < pat_num; i++) {
        const it_pattern& p = song.patterns[i];
        std::vector<uint8_t> packed = pack_pattern(p);
        o.patch32(pat_table + 4 * i, uint32_t(o.b.size()));
        o.u16(int(packed.size()));
        o.u16(p.rows);
        o.u32(0);
        o.b.insert(o.b.end(), packed.begin(), packed.end());
    }
    for (int i = 0; i < smp_num; i++) {
        o.patch32(smp_header_at[i] + 0x48, uint32_t(o.b.size()));
        for (int16_t v : song.samples[i].pcm) o.u16(uint16_t(v));
    }
    return o.b;
}

int pitch(const char* name) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int letter = std::toupper(uint8_t(name[0])) - 'A';
    if (letter < 0 || letter > 6) std::abort(); // a typo in a tune is a bug in the generator
    int p = base[letter];
    const char* s = name + 1;
    while (*s == '#' || *s == 'b') p += *s++ == '#' ? 1 : -1;
    int octave = std::atoi(s);
    return 12 * (octave + 1) + p;
}

int it_composer::it_note(int s, int p) const {
    int n = 60 + p - song.samples[s - 1].root;
    if (n < 0 || n > 119) std::abort();
    return n;
}

void it_composer::note(int row, int ch, int s, int p, int vol) {
    it_cell& c = song.patterns[pattern].at(row, ch);
    c.note = it_note(s, p);
    c.sample = s;
    c.volume = vol;
}

void it_composer::cut(int row, int ch) {
    it_cell& c = song.patterns[pattern].at(row, ch);
    c = it_cell{};
    c.note = IT_NOTE_CUT;
}

void it_composer::command(int row, int ch, int cmd, int param) {
    it_cell& c = song.patterns[pattern].at(row, ch);
    c.command = cmd;
    c.param = param;
}

int it_composer::melody(int ch, int s, int row0, const char* text, int vol, int transpose) {
    int row = row0;
    const char* t = text;
    while (*t) {
        while (*t == ' ') t++;
        if (!*t) break;
        char name[8] = {};
        int n = 0;
        while (*t && *t != ':' && n < 7) name[n++] = *t++;
        if (*t != ':') std::abort();
        int len = int(std::strtol(t + 1, const_cast<char**>(&t), 10));
        if (row >= song.patterns[pattern].rows) std::abort();
        if (name[0] == '-')
            cut(row, ch);
        else if (name[0] != '~')
            note(row, ch, s, pitch(name) + transpose, vol);
        row += len;
    }
    return row;
}

void it_composer::grid(int ch, int s, int p, int row0, int rows, const char* cells, int scale) {
    const int len = int(std::strlen(cells));
    for (int r = 0; r < rows; r++) {
        char c = cells[r % len];
        int vol = c == 'X' ? 64 : c == 'x' ? 48 : c == 'o' ? 28 : -1;
        if (vol >= 0) note(row0 + r, ch, s, p, vol * scale / 64);
    }
}

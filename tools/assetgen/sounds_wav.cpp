// WAV encoding and change-only file writes for the generated sounds and tunes.
#include "sounds_wav.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void tag(std::vector<uint8_t>& b, const char* t) {
    for (int i = 0; i < 4; i++) b.push_back(uint8_t(t[i]));
}
} // namespace

std::vector<uint8_t> wav_encode_pcm16(const synth::wave& w) {
    const uint32_t data_bytes = uint32_t(w.data.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + data_bytes);
    tag(b, "RIFF");
    put32(b, 36 + data_bytes);
    tag(b, "WAVE");
    tag(b, "fmt ");
    put32(b, 16);
    put16(b, 1); // integer PCM
    put16(b, uint32_t(w.channels));
    put32(b, uint32_t(w.rate));
    put32(b, uint32_t(w.rate * w.channels * 2));
    put16(b, uint32_t(w.channels * 2));
    put16(b, 16);
    tag(b, "data");
    put32(b, data_bytes);
    synth::noise dither(12345);
    for (float v : w.data) {
        // triangular dither of one step keeps quiet tails from turning into buzz
        float d = (dither.next() + dither.next()) * 0.5f;
        long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f + d);
        put16(b, uint32_t(int16_t(std::clamp(s, -32768L, 32767L))));
    }
    return b;
}

bool write_bytes_if_changed(const std::string& path, const std::vector<uint8_t>& bytes,
                            bool& written) {
    written = false;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::vector<uint8_t> old{std::istreambuf_iterator<char>(in), {}};
            if (old == bytes) return true;
        }
    }
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.good()) return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    written = true;
    return true;
}

// A strict RIFF/WAVE reader for the headless build (no SDL there): integer PCM of 8, 16,
// 24 or 32 bits and 32-bit float, mono or stereo. Anything else is refused.
#include "media/backend.h"
#include "media/platform.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

float pcm_value(const uint8_t* p, int bits, bool is_float) {
    if (is_float) {
        uint32_t u = u32(p);
        float f;
        std::memcpy(&f, &u, sizeof f);
        return f;
    }
    switch (bits) {
    case 8:
        return (int(p[0]) - 128) / 128.0f;
    case 16:
        return int16_t(u16(p)) / 32768.0f;
    case 24:
        return int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24) /
               2147483648.0f;
    default:
        return int32_t(u32(p)) / 2147483648.0f;
    }
}

} // namespace

namespace backend {

bool decode_wav(const std::string& path, std::vector<float>& samples, int& channels, int& rate) {
    std::ifstream in(utf8_path(path), std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    const size_t size = file.size();
    if (size < 12 || std::memcmp(file.data(), "RIFF", 4) || std::memcmp(file.data() + 8, "WAVE", 4))
        return false;

    int format = 0, ch = 0, bits = 0, align = 0;
    uint32_t hz = 0;
    const uint8_t* data = nullptr;
    size_t data_len = 0;
    for (size_t at = 12; at + 8 <= size;) {
        const uint8_t* c = file.data() + at;
        size_t len = u32(c + 4);
        if (len > size - at - 8) return false; // a chunk that runs past the end
        if (!std::memcmp(c, "fmt ", 4)) {
            if (len < 16) return false;
            format = u16(c + 8);
            ch = u16(c + 10);
            hz = u32(c + 12);
            align = u16(c + 20);
            bits = u16(c + 22);
            if (format == 0xFFFE && len >= 40) format = u16(c + 32); // extensible: sub-format
        } else if (!std::memcmp(c, "data", 4)) {
            data = c + 8;
            data_len = len;
        }
        at += 8 + len + (len & 1);
    }
    const bool is_float = format == 3 && bits == 32;
    if (!data || !(format == 1 || is_float)) return false;
    if (ch < 1 || ch > 2 || hz == 0 || hz > 384000) return false;
    if (!is_float && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const int width = bits / 8;
    if (align != width * ch) return false;

    const size_t frames = data_len / size_t(align);
    samples.resize(frames * size_t(ch));
    const uint8_t* p = data;
    for (size_t i = 0; i < samples.size(); i++, p += width)
        samples[i] = pcm_value(p, bits, is_float);
    channels = ch;
    rate = int(hz);
    return frames > 0;
}

} // namespace backend

#include "shell/replay_file.h"

#include "media/media.h"

#include <zlib.h>

#include <cmath>
#include <cstring>

namespace {

constexpr char MAGIC[4] = {'V', 'X', 'R', 0x1a};
constexpr size_t HEADER = 4 + 2 + 4 + 4;
// Far beyond a day of play; a larger file is not one of ours.
constexpr size_t MAX_FILE = 64u << 20;
constexpr size_t MAX_RAW = 256u << 20;
constexpr float MAX_VECTOR = 4096;

enum step_flags : uint8_t { VECTORS = 1, ASKED = 2, MENU = 4, SETTINGS = 8 };

struct writer {
    std::string out;
    template <class T> void put(T v) {
        char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        out.append(b, sizeof v);
    }
    void text(const std::string& s) {
        put(uint32_t(s.size()));
        out += s;
    }
};

// Every read is checked against what is left; a failed read leaves the reader failed.
struct reader {
    const std::string& in;
    size_t at = 0;
    bool failed = false;
    template <class T> T get() {
        T v{};
        if (failed || in.size() - at < sizeof v) {
            failed = true;
            return v;
        }
        std::memcpy(&v, in.data() + at, sizeof v);
        at += sizeof v;
        return v;
    }
    std::string text() {
        uint32_t n = get<uint32_t>();
        if (failed || in.size() - at < n) {
            failed = true;
            return {};
        }
        std::string s = in.substr(at, n);
        at += n;
        return s;
    }
    // A count of records of at least `each` bytes cannot exceed what is left.
    bool fits(uint32_t count, size_t each) {
        if (!failed && count > (in.size() - at) / each) failed = true;
        return !failed;
    }
};

bool same_vectors(const replay_step& a, const replay_step& b) {
    return std::memcmp(&a.move_x, &b.move_x, sizeof(float)) == 0 &&
           std::memcmp(&a.move_y, &b.move_y, sizeof(float)) == 0 &&
           std::memcmp(&a.aim_x, &b.aim_x, sizeof(float)) == 0 &&
           std::memcmp(&a.aim_y, &b.aim_y, sizeof(float)) == 0;
}

std::string payload(const replay_data& r) {
    writer w;
    w.text(r.date);
    w.put(uint8_t(r.difficulty));
    w.put(r.seed);
    w.put(r.switches);
    w.text(r.settings);
    w.text(r.name);
    w.put(uint32_t(r.steps.size()));
    replay_step last;
    for (const replay_step& s : r.steps) {
        // Most steps repeat the last one's vectors: only a flag byte is written then.
        uint8_t f = (same_vectors(s, last) ? 0 : VECTORS) | (s.asked ? ASKED : 0) |
                    (s.menu >= 0 ? MENU : 0) | (s.settings.empty() ? 0 : SETTINGS);
        w.put(f);
        if (f & VECTORS) {
            w.put(s.move_x), w.put(s.move_y), w.put(s.aim_x), w.put(s.aim_y);
            last = s;
        }
        if (f & ASKED) w.put(s.asked), w.put(s.bits);
        if (f & MENU) w.put(s.menu);
        if (f & SETTINGS) w.text(s.settings);
    }
    w.put(uint32_t(r.checkpoints.size()));
    for (const replay_checkpoint& c : r.checkpoints)
        w.put(c.step), w.put(c.frame_count), w.put(c.score), w.put(c.rnd), w.put(c.hash);
    w.put(uint8_t(r.ended));
    w.put(r.end_score), w.put(r.end_steps), w.put(r.end_hash);
    return w.out;
}

replay_error bad(std::string& reason, const std::string& why) {
    reason = why;
    return REPLAY_BAD;
}

// Inflates at most `raw` bytes, growing the buffer only as real data comes out.
bool inflate_all(const char* data, size_t size, size_t raw, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = uInt(size);
    char buf[65536];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buf);
        z.avail_out = sizeof buf;
        rc = inflate(&z, Z_NO_FLUSH);
        size_t got = sizeof buf - z.avail_out;
        if (out.size() + got > raw) rc = Z_DATA_ERROR;
        else out.append(buf, got);
        if (rc == Z_BUF_ERROR || (rc == Z_OK && got == 0 && z.avail_in == 0)) break;
    }
    inflateEnd(&z);
    return rc == Z_STREAM_END && z.avail_in == 0 && out.size() == raw;
}

} // namespace

std::string replay_encode(const replay_data& r) {
    std::string raw = payload(r);
    uLongf size = compressBound(uLong(raw.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 9);
    packed.resize(size);
    writer w;
    w.out.append(MAGIC, 4);
    w.put(uint16_t(REPLAY_FORMAT));
    w.put(r.rules);
    w.put(uint32_t(raw.size()));
    return w.out + packed;
}

replay_error replay_decode(const std::string& bytes, replay_data& out, std::string& reason) {
    out = replay_data{};
    if (bytes.size() < HEADER || std::memcmp(bytes.data(), MAGIC, 4) != 0)
        return bad(reason, "not a Vexlume 2 replay");
    reader h{bytes, 4};
    uint16_t format = h.get<uint16_t>();
    uint32_t rules = h.get<uint32_t>();
    uint32_t raw_size = h.get<uint32_t>();
    if (format != REPLAY_FORMAT) return bad(reason, "replay format " + std::to_string(format));
    if (rules != RULES_VERSION) {
        reason = std::to_string(rules);
        return REPLAY_OTHER_RULES;
    }
    // zlib packs at most about 1000 to 1: a larger claim is a lie.
    if (raw_size > MAX_RAW || raw_size / 1032 > bytes.size())
        return bad(reason, "impossible size");
    std::string raw;
    if (!inflate_all(bytes.data() + HEADER, bytes.size() - HEADER, raw_size, raw))
        return bad(reason, "damaged or cut short");
    reader r{raw};
    out.rules = rules;
    out.date = r.text();
    out.difficulty = r.get<uint8_t>();
    out.seed = r.get<int32_t>();
    out.switches = r.get<uint8_t>();
    out.settings = r.text();
    out.name = r.text();
    uint32_t steps = r.get<uint32_t>();
    if (!r.fits(steps, 1)) return bad(reason, "damaged step count");
    if (steps > REPLAY_MAX_STEPS) return bad(reason, "longer than a day of play");
    out.steps.reserve(steps);
    replay_step last;
    for (uint32_t i = 0; i < steps && !r.failed; i++) {
        uint8_t f = r.get<uint8_t>();
        if (f & ~(VECTORS | ASKED | MENU | SETTINGS)) return bad(reason, "damaged step");
        replay_step s;
        if (f & VECTORS) {
            last.move_x = r.get<float>(), last.move_y = r.get<float>();
            last.aim_x = r.get<float>(), last.aim_y = r.get<float>();
            // The controls never give more than a few screens' worth; anything else would
            // fly the ship to infinity, or to no number at all.
            for (float v : {last.move_x, last.move_y, last.aim_x, last.aim_y})
                if (!(std::fabs(v) <= MAX_VECTOR)) return bad(reason, "impossible controls");
        }
        s.move_x = last.move_x, s.move_y = last.move_y, s.aim_x = last.aim_x, s.aim_y = last.aim_y;
        if (f & ASKED) {
            s.asked = r.get<uint8_t>();
            s.bits = r.get<uint64_t>();
            if (s.asked > 64) return bad(reason, "damaged step");
        }
        if (f & MENU) {
            s.menu = r.get<int8_t>();
            if (s.menu < 0 || s.menu > 2) return bad(reason, "damaged menu answer");
        }
        if (f & SETTINGS) s.settings = r.text();
        out.steps.push_back(std::move(s));
    }
    uint32_t checks = r.get<uint32_t>();
    if (!r.fits(checks, 24)) return bad(reason, "damaged checkpoints");
    out.checkpoints.resize(checks);
    for (replay_checkpoint& c : out.checkpoints) {
        c.step = r.get<uint32_t>();
        c.frame_count = r.get<int32_t>();
        c.score = r.get<int32_t>();
        c.rnd = r.get<int32_t>();
        c.hash = r.get<uint64_t>();
    }
    out.ended = r.get<uint8_t>() != 0;
    out.end_score = r.get<int32_t>();
    out.end_steps = r.get<uint32_t>();
    out.end_hash = r.get<uint64_t>();
    if (r.failed) return bad(reason, "cut short");
    if (r.at != raw.size()) return bad(reason, "trailing data");
    if (out.difficulty > 2) return bad(reason, "no such difficulty");
    if (out.switches > 7) return bad(reason, "damaged switches");
    uint32_t prev = 0;
    for (const replay_checkpoint& c : out.checkpoints) {
        if (c.step <= prev || c.step > steps) return bad(reason, "checkpoints out of order");
        prev = c.step;
    }
    if (out.ended && out.end_steps != steps) return bad(reason, "end does not match its steps");
    return REPLAY_OK;
}

replay_error replay_load(const std::string& path, replay_data& out, std::string& reason) {
    std::string bytes;
    if (!file_read_bytes(path, bytes, MAX_FILE))
        return bad(reason, file_exists(path) ? "not a readable file" : "no such file");
    return replay_decode(bytes, out, reason);
}

// Replay files are swapped between players: a record must come back exactly as it went, and
// any damaged or forged file must be refused with a one-line reason, never read half-trusted.
#include "shell/replay_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>

namespace {

template <class T> std::string le(T v) {
    std::string s(sizeof v, '\0');
    std::memcpy(s.data(), &v, sizeof v);
    return s;
}

std::string header(uint16_t format, uint32_t rules, uint32_t raw) {
    return std::string("VXR\x1a", 4) + le(format) + le(rules) + le(raw);
}

// A file around a payload made by hand, compressed as the game compresses it.
std::string pack(const std::string& payload, uint16_t format = REPLAY_FORMAT,
                 uint32_t rules = RULES_VERSION) {
    uLongf n = compressBound(uLong(payload.size()));
    std::string z(n, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &n,
              reinterpret_cast<const Bytef*>(payload.data()), uLong(payload.size()), 9);
    z.resize(n);
    return header(format, rules, uint32_t(payload.size())) + z;
}

// The payload of a file the game wrote, to be altered and packed again.
std::string unpack(const std::string& file) {
    uint32_t raw;
    std::memcpy(&raw, file.data() + 10, 4);
    std::string p(raw, '\0');
    uLongf n = raw;
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(p.data()), &n,
                         reinterpret_cast<const Bytef*>(file.data() + 14), uLong(file.size() - 14)),
              Z_OK);
    return p;
}

// A payload with `field` (a u32 right after the text `marker`) replaced.
std::string with_count_after(std::string payload, const std::string& marker, uint32_t field) {
    size_t at = payload.find(marker);
    EXPECT_NE(at, std::string::npos);
    return payload.replace(at + marker.size(), 4, le(field));
}

struct decoded {
    replay_error error;
    std::string reason;
    replay_data data;
};

decoded decode(const std::string& bytes) {
    decoded d;
    d.error = replay_decode(bytes, d.data, d.reason);
    return d;
}

// Refused, with a reason that fits on one line of --verify's output.
void expect_refused(const decoded& d, const std::string& what) {
    EXPECT_EQ(d.error, REPLAY_BAD) << what;
    EXPECT_FALSE(d.reason.empty()) << what;
    EXPECT_EQ(d.reason.find('\n'), std::string::npos) << what << ": " << d.reason;
}

// Vectors that change, come back and hold; answers of every width; the menu opened twice.
replay_data sample() {
    replay_data r;
    r.date = "2026-12-08 21:24";
    r.difficulty = 2;
    r.seed = -123456789;
    r.switches = 5;
    r.settings = "Difficulty=2\nGrid spacing=1\n";
    r.name = "ACE     ";
    const float vectors[][4] = {{0, 0, 0, 0},
                                {-0.0f, 0, 0, -0.0f},
                                {1, 0, 0, -1},
                                {0.3f, -37.5f, 0.7071f, 0.7071f},
                                {1, 0, 0, -1}};
    for (int i = 0; i < 600; i++) {
        replay_step s;
        const float* v = vectors[i / 9 % 5];
        s.move_x = v[0], s.move_y = v[1], s.aim_x = v[2], s.aim_y = v[3];
        if (i % 13 == 0) s.asked = 1, s.bits = 0;
        if (i % 29 == 0) s.asked = 3, s.bits = 0b101;
        if (i == 77) s.asked = 64, s.bits = ~0ull;
        if (i == 300) s.menu = 2, s.settings = "Grid spacing=3\nParticles=500\n";
        if (i == 301) s.menu = 0;
        r.steps.push_back(s);
    }
    r.checkpoints = {{250, 251, 1200, 77, 0x0123456789abcdefull}, {500, 502, 4500, -5, ~0ull}};
    r.ended = true;
    r.end_score = 4510;
    r.end_steps = 600;
    r.end_hash = 0xfeedfacecafebeefull;
    return r;
}

// A few steps and no checkpoint: small enough to flip every bit of.
replay_data small() {
    replay_data r;
    r.date = "2026-01-02 03:04";
    r.seed = 42;
    for (int i = 0; i < 6; i++) {
        replay_step s;
        s.move_x = i < 3 ? 1.0f : -0.5f;
        if (i == 2) s.asked = 2, s.bits = 2;
        r.steps.push_back(s);
    }
    r.ended = true;
    r.end_score = 150;
    r.end_steps = 6;
    r.end_hash = 99;
    return r;
}

bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every field; the vectors bit for bit, as -0 steers differently from 0 through atan2.
auto fields(const replay_data& r) {
    return std::tuple(r.rules, r.date, r.difficulty, r.seed, r.switches, r.settings, r.name,
                      r.steps.size(), r.checkpoints.size(), r.ended, r.end_score, r.end_steps,
                      r.end_hash);
}
auto fields(const replay_step& s) { return std::tuple(s.asked, s.bits, s.menu, s.settings); }
auto fields(const replay_checkpoint& c) {
    return std::tuple(c.step, c.frame_count, c.score, c.rnd, c.hash);
}

void expect_same(const replay_data& a, const replay_data& b) {
    ASSERT_EQ(fields(a), fields(b));
    for (size_t i = 0; i < a.steps.size(); i++) {
        const replay_step &x = a.steps[i], &y = b.steps[i];
        EXPECT_TRUE(same_bits(x.move_x, y.move_x) && same_bits(x.move_y, y.move_y) &&
                    same_bits(x.aim_x, y.aim_x) && same_bits(x.aim_y, y.aim_y))
            << "step " << i;
        EXPECT_EQ(fields(x), fields(y)) << "step " << i;
    }
    for (size_t i = 0; i < a.checkpoints.size(); i++)
        EXPECT_EQ(fields(a.checkpoints[i]), fields(b.checkpoints[i])) << "checkpoint " << i;
}

} // namespace

TEST(replay_file, a_record_reads_back_field_by_field) {
    replay_data unfinished; // left before its end: no steps, no end record
    unfinished.date = "2026-12-08 21:25";
    for (const replay_data& r : {sample(), small(), unfinished}) {
        decoded d = decode(replay_encode(r));
        ASSERT_EQ(d.error, REPLAY_OK) << d.reason;
        expect_same(d.data, r);
    }
}

TEST(replay_file, every_cut_is_refused_and_no_bit_flip_crashes) {
    std::string file = replay_encode(sample());
    for (size_t n = 0; n < file.size(); n++)
        expect_refused(decode(file.substr(0, n)), "cut at " + std::to_string(n));

    // zlib's checksum catches nearly every flip; one it cannot see may read as a record.
    std::string tiny = replay_encode(small());
    int refused = 0;
    for (size_t bit = 0; bit < tiny.size() * 8; bit++) {
        std::string b = tiny;
        b[bit / 8] = char(b[bit / 8] ^ (1 << bit % 8));
        decoded d = decode(b);
        if (d.error == REPLAY_OK) continue;
        refused++;
        EXPECT_FALSE(d.reason.empty()) << "bit " << bit;
        EXPECT_EQ(d.reason.find('\n'), std::string::npos) << "bit " << bit;
        // Only the rules field can make a file another rules version's.
        EXPECT_TRUE(d.error != REPLAY_OTHER_RULES || (bit >= 48 && bit < 80)) << "bit " << bit;
    }
    EXPECT_GT(refused, int(tiny.size() * 8) * 9 / 10);
}

TEST(replay_file, forged_files_are_refused_with_their_reason) {
    std::mt19937 rng(7);
    auto noise = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = char(rng());
        return s;
    };
    for (size_t n : {1, 13, 14, 15, 100, 5000}) {
        expect_refused(decode(noise(n)), "random bytes");
        expect_refused(decode(std::string("VXR\x1a", 4) + noise(n)), "magic then random bytes");
        expect_refused(decode(header(REPLAY_FORMAT, RULES_VERSION, uint32_t(n)) + noise(n)),
                       "a good header then random bytes");
    }

    replay_data marked = small();
    marked.date = "DATE";
    marked.name = "NAME";
    std::string file = replay_encode(marked), payload = unpack(file);
    std::string stream = file.substr(14);
    auto claiming = [&](uint32_t raw) {
        return header(REPLAY_FORMAT, RULES_VERSION, raw) + stream;
    };
    expect_refused(decode(claiming(0xffffffffu)), "a huge uncompressed size");
    expect_refused(decode(claiming(uint32_t(file.size() * 2000))), "beyond what zlib can expand");
    expect_refused(decode(claiming(uint32_t(payload.size() + 1))), "one byte more than inside");
    expect_refused(decode(claiming(uint32_t(payload.size() - 1))), "one byte less than inside");
    expect_refused(decode(file + std::string(1, '\0')), "a zero byte after the stream");
    expect_refused(decode(file + file), "two files one after the other");
    expect_refused(decode(pack(payload + "x")), "a byte after the record");

    decoded other_format = decode(pack(payload, REPLAY_FORMAT + 1));
    expect_refused(other_format, "another format");
    EXPECT_NE(other_format.reason.find("format " + std::to_string(REPLAY_FORMAT + 1)),
              std::string::npos)
        << other_format.reason;
    decoded other_rules = decode(pack(payload, REPLAY_FORMAT, RULES_VERSION + 41));
    EXPECT_EQ(other_rules.error, REPLAY_OTHER_RULES);
    EXPECT_EQ(other_rules.reason, std::to_string(RULES_VERSION + 41));

    // Counts far past the data: refused before anything is made room for.
    replay_data bare = marked;
    bare.steps.clear();
    bare.end_steps = 0;
    std::string no_steps = unpack(replay_encode(bare));
    for (uint32_t count : {4000000000u, 0xffffffffu, uint32_t(payload.size())}) {
        expect_refused(decode(pack(with_count_after(payload, "NAME", count))), "step count");
        // With no steps the checkpoint count follows the step count.
        expect_refused(decode(pack(with_count_after(no_steps, "NAME" + le(0u), count))),
                       "checkpoint count");
        expect_refused(decode(pack(le(count) + payload.substr(4))), "date length");
    }
    // Idle steps cost a byte each before zlib and far more read: a file of a few KB must not
    // stand for a game longer than any played.
    replay_data idle = bare;
    idle.ended = false;
    std::string idle_payload = unpack(replay_encode(idle));
    auto idle_steps = [&](uint32_t n) {
        std::string p = with_count_after(idle_payload, "NAME", n);
        return pack(p.insert(p.find("NAME") + 8, n, '\0'));
    };
    EXPECT_EQ(decode(idle_steps(1000)).data.steps.size(), 1000u);
    std::string longest = idle_steps(REPLAY_MAX_STEPS + 1);
    EXPECT_LT(longest.size(), 8000u);
    expect_refused(decode(longest), "idle steps past a day of play");

    // Values the game never writes are refused, though the file is whole.
    std::vector<std::pair<std::string, replay_data>> wrong;
    auto add = [&](const char* what, auto change) {
        replay_data r = small();
        change(r);
        wrong.emplace_back(what, r);
    };
    add("difficulty 3", [](replay_data& r) { r.difficulty = 3; });
    add("switch 8", [](replay_data& r) { r.switches = 8; });
    add("menu answer 3", [](replay_data& r) { r.steps[1].menu = 3; });
    add("65 answers", [](replay_data& r) { r.steps[1].asked = 65; });
    add("a checkpoint at step 0", [](replay_data& r) { r.checkpoints = {{0, 0, 0, 0, 0}}; });
    add("checkpoints out of order", [](replay_data& r) {
        r.checkpoints = {{4, 4, 0, 0, 0}, {2, 2, 0, 0, 0}};
    });
    add("a checkpoint past the end", [](replay_data& r) { r.checkpoints = {{7, 7, 0, 0, 0}}; });
    add("an end past the steps", [](replay_data& r) { r.end_steps = 7; });
    add("a move of no number", [](replay_data& r) { r.steps[1].move_x = std::nanf(""); });
    add("an endless aim", [](replay_data& r) { r.steps[1].aim_y = -INFINITY; });
    add("a move across the world", [](replay_data& r) { r.steps[1].move_y = 3e38f; });
    for (const auto& [what, r] : wrong) expect_refused(decode(replay_encode(r)), what);
    std::string unknown_flag = payload;
    unknown_flag[payload.find("NAME") + 8] = 16;
    expect_refused(decode(pack(unknown_flag)), "an unknown step flag");
}

TEST(replay_file, loading_says_why_a_path_is_no_replay) {
    temp_dir dir;
    dir.write("empty.vxr", "");
    dir.write("good.vxr", replay_encode(small()));
    std::filesystem::create_directory(dir.file("folder.vxr"));
    // Sparse: past the size limit without writing it.
    dir.write("huge.vxr", "");
    std::filesystem::resize_file(dir.file("huge.vxr"), 65u << 20);
    for (const char* name : {"missing.vxr", "folder.vxr", "empty.vxr", "huge.vxr"}) {
        decoded d;
        d.error = replay_load(dir.file(name), d.data, d.reason);
        expect_refused(d, name);
    }
    replay_data r;
    std::string reason;
    EXPECT_EQ(replay_load(dir.file("good.vxr"), r, reason), REPLAY_OK) << reason;
}

#include "media/draw_log.h"
#include "shell/score.h"
#include "shell/vector_text.h"
#include "support/headless_env.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// "t12", "n3" ...: a text per row that no other row shares.
std::string tag(char c, int n) {
    std::string s(1, c);
    s += std::to_string(n);
    return s;
}

// Each test in a scratch folder, with a table that differs from the built-in one.
class hiscores_file : public ::testing::Test {
protected:
    scratch_cwd dir;
    void SetUp() override {
        scramble();
    }
    void TearDown() override {
        hiscores_builtin();
    }
    static void scramble() {
        for (int d = 0; d < 3; d++)
            for (int r = 0; r < 10; r++) {
                hiscore_scores[r][d] = 1000 * d + r + 7;
                hiscore_times[r][d] = tag('t', d * 10 + r);
                hiscore_names[r][d] = tag('n', d * 10 + r);
            }
    }
    // The saved file split at CR LF; a stray LF or CR fails the split.
    std::vector<std::string> saved_lines() {
        std::string bytes = dir.read("hiscores.dat");
        std::vector<std::string> out;
        size_t at = 0;
        while (at < bytes.size()) {
            size_t end = bytes.find("\r\n", at);
            if (end == std::string::npos) {
                ADD_FAILURE() << "last line has no CR LF";
                break;
            }
            out.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        for (auto& l : out) EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos);
        return out;
    }
};

} // namespace

TEST_F(hiscores_file, a_missing_file_gives_the_built_in_table) {
    hiscores_load();
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            EXPECT_EQ(hiscore_scores[r][d], 5000 - 500 * r);
            EXPECT_EQ(hiscore_times[r][d], "1 min, 10 secs");
            EXPECT_EQ(hiscore_names[r][d], "Orlo");
        }
}

TEST_F(hiscores_file, saving_writes_ninety_crlf_lines_difficulty_by_difficulty) {
    ASSERT_EQ(hiscores_save(), 1);
    auto l = saved_lines();
    ASSERT_EQ(l.size(), 90u);
    EXPECT_EQ(l[0], "7");
    EXPECT_EQ(l[1], "t0");
    EXPECT_EQ(l[2], "n0");
    EXPECT_EQ(l[3], "8");
    EXPECT_EQ(l[30], "1007"); // Medium starts after Easy's ten ranks
    EXPECT_EQ(l[89], "n29");
    EXPECT_FALSE(std::filesystem::exists(dir.file("hiscores.dat.tmp")));
}

TEST_F(hiscores_file, a_saved_table_loads_back_unchanged) {
    hiscore_scores[4][2] = -123;
    ASSERT_EQ(hiscores_save(), 1);
    hiscores_builtin();
    hiscores_load();
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            int want = d == 2 && r == 4 ? -123 : 1000 * d + r + 7;
            EXPECT_EQ(hiscore_scores[r][d], want);
            EXPECT_EQ(hiscore_times[r][d], tag('t', d * 10 + r));
            EXPECT_EQ(hiscore_names[r][d], tag('n', d * 10 + r));
        }
}

TEST_F(hiscores_file, saving_replaces_a_longer_old_file_whole) {
    dir.write("hiscores.dat", std::string(20000, 'x') + "\r\n" + std::string(500, '\n'));
    ASSERT_EQ(hiscores_save(), 1);
    EXPECT_EQ(saved_lines().size(), 90u);
}

TEST_F(hiscores_file, a_short_file_leaves_zeros_and_empty_texts) {
    dir.write("hiscores.dat", "  123\r\n2 mns, 5 secs\r\nBob\r\n-40\r\n");
    hiscores_load();
    EXPECT_EQ(hiscore_scores[0][0], 123);
    EXPECT_EQ(hiscore_times[0][0], "2 mns, 5 secs");
    EXPECT_EQ(hiscore_names[0][0], "Bob");
    EXPECT_EQ(hiscore_scores[1][0], -40);
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            if (d == 0 && r < 2) continue;
            EXPECT_EQ(hiscore_scores[r][d], 0);
            EXPECT_EQ(hiscore_times[r][d], "");
            EXPECT_EQ(hiscore_names[r][d], "");
        }
    EXPECT_EQ(hiscore_times[1][0], "");
}

TEST_F(hiscores_file, an_empty_or_garbage_file_gives_zeros_without_a_fault) {
    dir.write("hiscores.dat", "");
    hiscores_load();
    EXPECT_EQ(hiscore_scores[0][0], 0);
    EXPECT_EQ(hiscore_names[9][2], "");

    std::string garbage;
    for (int i = 0; i < 4000; i++) garbage.push_back(char((i * 7919 + 13) % 251 + 3));
    dir.write("hiscores.dat", "lots\nof\nwords\n" + garbage);
    hiscores_load();
    EXPECT_EQ(hiscore_scores[0][0], 0); // "lots" is not a number
    EXPECT_EQ(hiscore_times[0][0], "of");
    EXPECT_EQ(hiscore_names[0][0], "words");
}

TEST_F(hiscores_file, lines_end_at_lf_or_a_zero_byte_and_carriage_returns_vanish) {
    dir.write("hiscores.dat", std::string("42\nti\rme\r\nna", 12) + std::string("\0", 1) + "me\n9");
    hiscores_load();
    EXPECT_EQ(hiscore_scores[0][0], 42);
    EXPECT_EQ(hiscore_times[0][0], "time");
    EXPECT_EQ(hiscore_names[0][0], "na");
    EXPECT_EQ(hiscore_scores[1][0], 0);  // "me"
    EXPECT_EQ(hiscore_times[1][0], "9"); // the last line needs no terminator
}

TEST_F(hiscores_file, every_storable_byte_of_a_name_survives_a_round_trip) {
    // 253 of the 256 byte values, spread over the table's names and times.
    std::string all;
    for (int c = 1; c < 256; c++)
        if (c != '\n' && c != '\r') all.push_back(char(c));
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            size_t at = size_t(d * 10 + r) * 8 % all.size();
            hiscore_names[r][d] = all.substr(at, 8);
            hiscore_times[r][d] = all.substr(all.size() - 1 - at / 2, 1) + all;
        }
    hiscore_names[0][0] = all;
    ASSERT_EQ(hiscores_save(), 1);
    std::string names[10][3], times[10][3];
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++)
            names[r][d] = hiscore_names[r][d], times[r][d] = hiscore_times[r][d];
    hiscores_builtin();
    hiscores_load();
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            EXPECT_EQ(hiscore_names[r][d], names[r][d]) << d << " " << r;
            EXPECT_EQ(hiscore_times[r][d], times[r][d]) << d << " " << r;
        }
}

TEST_F(hiscores_file, bytes_a_line_cannot_hold_become_blanks_and_keep_the_table_in_place) {
    hiscore_names[0][0] = std::string("a\nb\rc\0d", 7);
    hiscore_times[3][1] = "x\ny";
    ASSERT_EQ(hiscores_save(), 1);
    ASSERT_EQ(saved_lines().size(), 90u);
    hiscores_load();
    EXPECT_EQ(hiscore_names[0][0], "a b c d");
    EXPECT_EQ(hiscore_times[3][1], "x y");
    EXPECT_EQ(hiscore_scores[1][0], 8);
    EXPECT_EQ(hiscore_names[9][2], "n29");
}

TEST_F(hiscores_file, an_unwritable_file_is_skipped_and_the_old_one_kept) {
    std::filesystem::create_directory(dir.file("hiscores.dat"));
    dir.write("hiscores.dat/keep", "x");
    EXPECT_EQ(hiscores_save(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("hiscores.dat")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("hiscores.dat.tmp")));
}

namespace {
class hiscores_drawing : public media_test {};
} // namespace

TEST_F(hiscores_drawing, names_with_high_bytes_draw_only_their_printable_cells) {
    std::string name;
    for (int c = 128; c < 256; c++) name.push_back(char(c));
    name += "1";
    {
        scratch_cwd dir;
        dir.write("hiscores.dat", "0\r\n\r\n" + name + "\r\n");
        hiscores_load();
    }
    ASSERT_EQ(hiscore_names[0][0], name);
    vector_text_init();
    draw_log_enabled = true;
    draw_vector_text(hiscore_names[0][0], 0, 0, 1);
    draw_log_enabled = false;
    ASSERT_EQ(draw_log.size(), 1u); // only the "1"
    EXPECT_FLOAT_EQ(draw_log[0].x, 128 * 5 + 2);
    draw_log.clear();
    hiscores_builtin();
}

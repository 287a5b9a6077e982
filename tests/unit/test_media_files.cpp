#include "media/media.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

TEST(text_lines, reading_follows_the_line_rules) {
    temp_dir d;
    d.write("t.txt", std::string("one\r\ntwo\nth\rree\0four\nlast", 25));
    text_file* f = file_open_read(d.file("t.txt"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(file_read_line(f), "one");
    EXPECT_EQ(file_read_line(f), "two");
    EXPECT_EQ(file_read_line(f), "three"); // CR dropped anywhere, NUL ends the line
    EXPECT_EQ(file_read_line(f), "four");
    EXPECT_FALSE(file_eof(f));
    EXPECT_EQ(file_read_line(f), "last"); // no LF at the end
    EXPECT_TRUE(file_eof(f));
    EXPECT_EQ(file_read_line(f), ""); // reading at the end gives empty text
    EXPECT_EQ(file_read_line(f), "");
    file_close(f);
    EXPECT_EQ(file_open_read(d.file("missing.txt")), nullptr);
}

TEST(text_lines, bytes_survive_a_round_trip_and_lines_end_with_cr_lf) {
    temp_dir d;
    std::string all;
    for (int c = 1; c < 256; c++)
        if (c != '\n' && c != '\r') all.push_back(char(c));
    text_file* f = file_open_write(d.file("b.txt"));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(file_write_line(f, all));
    EXPECT_TRUE(file_write_line(f, "x"));
    EXPECT_TRUE(file_close(f));
    EXPECT_EQ(d.read("b.txt"), all + "\r\nx\r\n");
    f = file_open_read(d.file("b.txt"));
    EXPECT_EQ(file_read_line(f), all);
    file_close(f);
}

TEST(text_lines, a_save_replaces_the_file_only_when_closed) {
    temp_dir d;
    d.write("c.txt", "old\r\n");
    text_file* f = file_open_write(d.file("c.txt"));
    ASSERT_NE(f, nullptr);
    file_write_line(f, "new");
    EXPECT_EQ(d.read("c.txt"), "old\r\n"); // a crash here would leave the old file whole
    EXPECT_TRUE(file_close(f));
    EXPECT_EQ(d.read("c.txt"), "new\r\n");
    EXPECT_FALSE(file_exists(d.file("c.txt.tmp")));
}

TEST(text_lines, a_target_that_cannot_be_replaced_keeps_its_content) {
    temp_dir d;
    std::filesystem::create_directory(d.path / "dir.txt");
    text_file* f = file_open_write(d.file("dir.txt"));
    ASSERT_NE(f, nullptr);
    file_write_line(f, "x");
    EXPECT_FALSE(file_close(f)); // a folder stands where the file should go
    EXPECT_TRUE(std::filesystem::is_directory(d.path / "dir.txt"));
    EXPECT_FALSE(file_exists(d.file("dir.txt.tmp")));
}

TEST(text_lines, binary_numbers_round_trip) {
    temp_dir d;
    text_file* f = file_open_write(d.file("n.bin"));
    file_write_int(f, -123456789);
    file_write_float(f, 0.95f);
    file_close(f);
    f = file_open_read(d.file("n.bin"));
    EXPECT_EQ(file_read_int(f), -123456789);
    EXPECT_EQ(file_read_float(f), 0.95f);
    EXPECT_EQ(file_read_int(f), 0); // past the end
    file_close(f);
}

TEST(number_text, reals_keep_nine_significant_digits_and_the_point) {
    EXPECT_EQ(float_text(0.5f), "0.500000000");
    EXPECT_EQ(float_text(0.95f), "0.949999988");
    EXPECT_EQ(float_text(1.0f), "1.00000000");
    EXPECT_EQ(float_text(0.0f), "0.00000000");
    EXPECT_EQ(float_text(-2.5f), "-2.50000000");
    EXPECT_EQ(double_text(0.1), "0.10000000000000001");
}

TEST(number_text, integer_parsing_stops_at_the_first_other_character) {
    EXPECT_EQ(parse_int("42"), 42);
    EXPECT_EQ(parse_int("  \t-17"), -17);
    EXPECT_EQ(parse_int("+8"), 8);
    EXPECT_EQ(parse_int("1.00000000"), 1);
    EXPECT_EQ(parse_int("12abc"), 12);
    EXPECT_EQ(parse_int("$ff"), 255);
    EXPECT_EQ(parse_int("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(parse_int("-$10"), -16);
    EXPECT_EQ(parse_int("%1011"), 11);
    EXPECT_EQ(parse_int("%102"), 2);
    EXPECT_EQ(parse_int(""), 0);
    EXPECT_EQ(parse_int("abc"), 0);
    EXPECT_EQ(parse_int("- 5"), 0);
    EXPECT_EQ(parse_int("$"), 0);
    EXPECT_EQ(parse_int("99999999999"), int(99999999999LL & 0xffffffff)); // wraps, never traps
}

TEST(number_text, real_parsing_accepts_only_plain_decimals) {
    EXPECT_FLOAT_EQ(parse_float("0.949999988"), 0.95f);
    EXPECT_FLOAT_EQ(parse_float(" -1.5e2x"), -150.0f);
    EXPECT_FLOAT_EQ(parse_float("3."), 3.0f);
    EXPECT_FLOAT_EQ(parse_float(".25"), 0.25f);
    EXPECT_EQ(parse_float("nan"), 0.0f);
    EXPECT_EQ(parse_float("inf"), 0.0f);
    EXPECT_EQ(parse_float("1e999"), 0.0f);
    EXPECT_EQ(parse_float("0x10"), 0.0f);
    EXPECT_EQ(parse_float(""), 0.0f);
    EXPECT_FLOAT_EQ(parse_float("2e"), 2.0f);
}

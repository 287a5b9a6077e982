// The game's text files: byte lines, CR LF endings, and saves that replace their target
// only once the whole new file is safely on disk.
#include "backend.h"
#include "media.h"
#include "media/platform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

struct text_file {
    FILE* fp = nullptr;
    bool writing = false;
    bool failed = false;
    std::string target, temp;
};

text_file* file_open_read(const std::string& path) {
    FILE* fp = platform_fopen(path, "rb");
    if (!fp) return nullptr;
    auto* f = new text_file;
    f->fp = fp;
    return f;
}

text_file* file_open_write(const std::string& path) {
    std::string temp = path + ".tmp";
    FILE* fp = platform_fopen(temp, "wb");
    if (!fp) return nullptr;
    auto* f = new text_file;
    f->fp = fp;
    f->writing = true;
    f->target = path;
    f->temp = temp;
    return f;
}

std::string file_read_line(text_file* f) {
    std::string line;
    if (!f || f->writing) return line;
    for (;;) {
        int c = fgetc(f->fp);
        if (c == EOF || c == '\n' || c == 0) break;
        if (c != '\r') line.push_back(char(c));
    }
    return line;
}

bool file_write_line(text_file* f, const std::string& line) {
    if (!f || !f->writing) return false;
    if (fwrite(line.data(), 1, line.size(), f->fp) != line.size() || fputs("\r\n", f->fp) < 0)
        f->failed = true;
    return !f->failed;
}

int32_t file_read_int(text_file* f) {
    uint8_t b[4] = {};
    if (!f || f->writing || fread(b, 1, 4, f->fp) != 4) return 0;
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                   uint32_t(b[3]) << 24);
}

bool file_write_int(text_file* f, int32_t v) {
    if (!f || !f->writing) return false;
    uint32_t u = uint32_t(v);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    if (fwrite(b, 1, 4, f->fp) != 4) f->failed = true;
    return !f->failed;
}

float file_read_float(text_file* f) {
    int32_t i = file_read_int(f);
    float v;
    std::memcpy(&v, &i, 4);
    return v;
}

bool file_write_float(text_file* f, float v) {
    int32_t i;
    std::memcpy(&i, &v, 4);
    return file_write_int(f, i);
}

bool file_eof(text_file* f) {
    if (!f || f->writing) return true;
    int c = fgetc(f->fp);
    if (c == EOF) return true;
    ungetc(c, f->fp);
    return false;
}

bool file_close(text_file* f) {
    if (!f) return false;
    bool ok = true;
    if (f->writing) {
        ok = !f->failed && fflush(f->fp) == 0 && platform_flush_to_disk(f->fp);
        ok = (fclose(f->fp) == 0) && ok;
        if (ok) ok = platform_replace_file(f->temp, f->target);
        if (!ok) remove_file(f->temp); // the old file stays as it was
        if (ok) backend::files_changed();
    } else {
        fclose(f->fp);
    }
    delete f;
    return ok;
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(utf8_path(path), ec);
}

bool make_folder(const std::string& path) {
    if (path.empty()) return true; // the working directory
    std::error_code ec;
    fs::create_directories(utf8_path(path), ec);
    return fs::is_directory(utf8_path(path), ec);
}

std::vector<std::string> folder_files(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(utf8_path(path), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(path_utf8(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

bool remove_file(const std::string& path) {
    std::error_code ec;
    if (!fs::remove(utf8_path(path), ec)) return false;
    backend::files_changed();
    return true;
}

bool folder_writable(const std::string& path) {
    const std::string probe = path_utf8(utf8_path(path) / "vexlume2-write-test.tmp");
    FILE* fp = platform_fopen(probe, "wb");
    if (!fp) return false;
    std::fclose(fp);
    remove_file(probe);
    return true;
}

bool file_write_bytes(const std::string& path, const std::string& bytes) {
    text_file* f = file_open_write(path);
    if (!f) return false;
    if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f->fp) != bytes.size())
        f->failed = true;
    return file_close(f);
}

bool file_read_bytes(const std::string& path, std::string& bytes, size_t limit) {
    bytes.clear();
    std::error_code ec;
    // A folder, a device or a pipe is no file to read whole.
    if (!fs::is_regular_file(utf8_path(path), ec) || fs::file_size(utf8_path(path), ec) > limit ||
        ec)
        return false;
    FILE* fp = platform_fopen(path, "rb");
    if (!fp) return false;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, fp)) > 0 && bytes.size() <= limit) bytes.append(buf, n);
    bool ok = !ferror(fp) && bytes.size() <= limit;
    fclose(fp);
    if (!ok) bytes.clear();
    return ok;
}

bool file_read_only(const std::string& path) {
    std::error_code ec;
    fs::file_status st = fs::status(utf8_path(path), ec);
    if (ec || !fs::exists(st)) return false;
    // No write bit at all counts even for root, whom the system lets write anything.
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & write) == fs::perms::none || !platform_may_write(path);
}

std::string float_text(float v) {
    char buf[64];
    snprintf(buf, sizeof buf, "%#.9g", double(v));
    return buf;
}

std::string double_text(double v) {
    char buf[64];
    snprintf(buf, sizeof buf, "%#.17g", v);
    return buf;
}

namespace {
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
} // namespace

int parse_int(const std::string& s) {
    size_t i = 0, n = s.size();
    while (i < n && blank(s[i])) i++;
    bool neg = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    uint32_t v = 0; // wraps like the 32-bit integer it becomes
    if (i < n && s[i] == '$') {
        for (i++; i < n && std::isxdigit(static_cast<unsigned char>(s[i])); i++) {
            char c = char(std::tolower(static_cast<unsigned char>(s[i])));
            v = v * 16 + uint32_t(c <= '9' ? c - '0' : c - 'a' + 10);
        }
    } else if (i < n && s[i] == '%') {
        for (i++; i < n && (s[i] == '0' || s[i] == '1'); i++) v = v * 2 + uint32_t(s[i] - '0');
    } else {
        for (; i < n && s[i] >= '0' && s[i] <= '9'; i++) v = v * 10 + uint32_t(s[i] - '0');
    }
    return int(neg ? 0u - v : v);
}

float parse_float(const std::string& s) {
    // Only plain decimal notation counts: no hex floats, infinities or NaNs from a file.
    size_t i = 0, n = s.size();
    while (i < n && blank(s[i])) i++;
    size_t start = i;
    if (i < n && (s[i] == '+' || s[i] == '-')) i++;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) i++, digits++;
    if (i < n && s[i] == '.') {
        i++;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) i++, digits++;
    }
    if (digits == 0) return 0.0f;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) j++;
        if (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) j++;
            i = j;
        }
    }
    float v = float(std::strtod(s.substr(start, i - start).c_str(), nullptr));
    return std::isfinite(v) ? v : 0.0f;
}

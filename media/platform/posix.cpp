// Linux: paths are bytes, the calls are POSIX.
#include "media/platform.h"

#include <cstdlib>
#include <unistd.h>

std::filesystem::path utf8_path(const std::string& path) { return path; }

std::string path_utf8(const std::filesystem::path& path) { return path.string(); }

FILE* platform_fopen(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool platform_flush_to_disk(FILE* fp) { return fsync(fileno(fp)) == 0; }

bool platform_replace_file(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool platform_may_write(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

std::string platform_program_path() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

std::string platform_env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

void platform_set_env(const char* name, const char* value) { setenv(name, value, 1); }

std::string platform_user_folder() { return ""; }

std::vector<std::string> platform_args(int argc, char** argv) { return {argv, argv + argc}; }

void platform_console_output() {}

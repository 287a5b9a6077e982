// A scratch folder that disappears with the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

struct temp_dir {
    std::filesystem::path path;
    temp_dir() {
        char tmpl[] = "/tmp/vexlume-test-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~temp_dir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// A scratch folder that is also the working folder for the test's lifetime, as the game
// reads and writes its files in the working folder.
struct scratch_cwd : temp_dir {
    std::string old;
    scratch_cwd() {
        char buf[4096];
        old = getcwd(buf, sizeof buf) ? buf : "/";
        if (chdir(path.c_str()) != 0) std::abort();
    }
    ~scratch_cwd() {
        if (chdir(old.c_str()) != 0) std::abort();
    }
};

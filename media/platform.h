// The few things each operating system spells its own way. Paths are UTF-8 everywhere in the
// game; these calls turn them into what the system takes. Everything else uses the standard
// library. One implementation per system: media/platform/posix.cpp and windows.cpp.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A UTF-8 path as the standard library's path, and back (byte for byte on Linux).
std::filesystem::path utf8_path(const std::string& path);
std::string path_utf8(const std::filesystem::path& path);

// fopen for a UTF-8 path.
FILE* platform_fopen(const std::string& path, const char* mode);
// The file's bytes are on the disk, not just in the system's cache.
bool platform_flush_to_disk(FILE* fp);
// Puts `from` in place of `to` in one step: a reader sees the old file or the new, never half.
bool platform_replace_file(const std::string& from, const std::string& to);
// Whether this process may write the file (beyond its permission bits).
bool platform_may_write(const std::string& path);
// The running program's own file; "" when the system will not say.
std::string platform_program_path();
// An environment variable as UTF-8 ("" when unset), and setting one for this process.
std::string platform_env(const char* name);
void platform_set_env(const char* name, const char* value);
// Where a player's files go when the program's folder is not theirs to write: "" on systems
// whose installed layout decides that instead.
std::string platform_user_folder();
// The command line as UTF-8, and standard output reaching the console that started us.
std::vector<std::string> platform_args(int argc, char** argv);
void platform_console_output();

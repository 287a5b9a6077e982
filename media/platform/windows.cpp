// Windows: paths are UTF-16 to the system, so every call takes the wide spelling.
#include "media/platform.h"

#include <windows.h>
#include <shellapi.h>
#include <io.h>

#include <cstdlib>

namespace {

std::wstring wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

} // namespace

std::filesystem::path utf8_path(const std::string& path) { return wide(path); }

std::string path_utf8(const std::filesystem::path& path) { return narrow(path.wstring()); }

FILE* platform_fopen(const std::string& path, const char* mode) {
    return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

bool platform_flush_to_disk(FILE* fp) { return _commit(_fileno(fp)) == 0; }

// rename() will not replace an existing file here.
bool platform_replace_file(const std::string& from, const std::string& to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool platform_may_write(const std::string& path) { return _waccess(wide(path).c_str(), 2) == 0; }

std::string platform_program_path() {
    std::wstring buf(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0 || n >= buf.size()) return "";
    buf.resize(n);
    return narrow(buf);
}

std::string platform_env(const char* name) {
    const wchar_t* v = _wgetenv(wide(name).c_str());
    return v ? narrow(v) : "";
}

void platform_set_env(const char* name, const char* value) {
    _wputenv_s(wide(name).c_str(), wide(value).c_str());
    SetEnvironmentVariableW(wide(name).c_str(), wide(value).c_str());
}

std::string platform_user_folder() {
    std::string appdata = platform_env("APPDATA");
    return appdata.empty() ? "" : appdata + "\\Vexlume2";
}

std::vector<std::string> platform_args(int argc, char** argv) {
    int n = 0;
    LPWSTR* w = CommandLineToArgvW(GetCommandLineW(), &n);
    if (!w) return {argv, argv + argc};
    std::vector<std::string> args;
    for (int i = 0; i < n; i++) args.push_back(narrow(w[i]));
    LocalFree(w);
    return args;
}

// A program without a console of its own (no window pops up on a double-click) still
// answers --help or --verify in the console it was typed into. Output already sent to a file
// or a pipe stays there.
void platform_console_output() {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

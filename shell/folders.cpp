#include "shell/folders.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

game_folders chosen;

bool is_folder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string parent(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The environment is anyone's to set: only an absolute, non-empty value names a folder.
std::string absolute_env(const char* name) {
    const char* v = std::getenv(name);
    return v && v[0] == '/' ? without_trailing_slashes(v) : "";
}

// $VAR/vexlume2, else $HOME/fallback/vexlume2; without a home, the working directory.
std::string xdg_folder(const char* var, const char* fallback) {
    std::string base = absolute_env(var);
    if (base.empty()) {
        std::string home = absolute_env("HOME");
        if (home.empty()) return "";
        base = join(home, fallback);
    }
    return join(base, "vexlume2");
}

} // namespace

game_folders folders_for(const std::string& program) {
    game_folders f;
    if (is_folder("gfx") || program.empty()) return f;
    std::string own = parent(program);
    if (is_folder(join(own, "gfx"))) {
        f.layout = FOLDERS_PORTABLE;
        f.assets = f.settings = f.data = own;
        return f;
    }
    f.layout = FOLDERS_INSTALLED;
    f.assets = join(parent(own), "share/vexlume2");
    f.settings = xdg_folder("XDG_CONFIG_HOME", ".config");
    f.data = xdg_folder("XDG_DATA_HOME", ".local/share");
    return f;
}

void folders_choose() {
#ifdef __EMSCRIPTEN__
    // The web page installs the game at /game and points XDG_CONFIG_HOME and XDG_DATA_HOME
    // into the browser's persistent storage (media/web/shell.js).
    folders_use(folders_for("/game/bin/vexlume2"));
#else
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    folders_use(folders_for(n > 0 ? std::string(buf, size_t(n)) : std::string()));
#endif
}

void folders_use(const game_folders& f) { chosen = f; }

const game_folders& folders() { return chosen; }

std::string asset_path(const std::string& name) { return join(chosen.assets, name); }
std::string settings_path(const std::string& name) { return join(chosen.settings, name); }
std::string data_path(const std::string& name) { return join(chosen.data, name); }

std::string folder_shown(const std::string& folder) {
    if (!folder.empty()) return folder;
    char buf[4096];
    return getcwd(buf, sizeof buf) ? buf : ".";
}

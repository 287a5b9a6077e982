#include "shell/folders.h"

#include "media/media.h"
#include "media/platform.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

game_folders chosen;

bool is_folder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(utf8_path(path), ec);
}

std::string parent(const std::string& path) { return path_utf8(utf8_path(path).parent_path()); }

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : path_utf8(utf8_path(folder) / utf8_path(name));
}

// The environment is anyone's to set: only an absolute, non-empty value names a folder.
std::string absolute_env(const char* name) {
    std::string v = platform_env(name);
    return !v.empty() && utf8_path(v).is_absolute() ? without_trailing_slashes(v) : "";
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

game_folders folders_for(const std::string& program, const std::string& user_folder) {
    game_folders f;
    if (is_folder("gfx") || program.empty()) return f;
    std::string own = parent(program);
    if (is_folder(join(own, "gfx"))) {
        f.assets = f.settings = f.data = own;
        f.layout = FOLDERS_PORTABLE;
        if (!user_folder.empty() && !folder_writable(own)) {
            f.layout = FOLDERS_PER_USER;
            f.settings = f.data = user_folder;
        }
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
    folders_use(folders_for(platform_program_path(), platform_user_folder()));
#endif
}

void folders_use(const game_folders& f) { chosen = f; }

const game_folders& folders() { return chosen; }

std::string asset_path(const std::string& name) { return join(chosen.assets, name); }
std::string settings_path(const std::string& name) { return join(chosen.settings, name); }
std::string data_path(const std::string& name) { return join(chosen.data, name); }

std::string folder_shown(const std::string& folder) {
    if (!folder.empty()) return folder;
    std::error_code ec;
    std::string here = path_utf8(fs::current_path(ec));
    return ec ? "." : here;
}

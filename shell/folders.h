// Where the game's files are. The folders are chosen once at start-up; every module that
// opens a file asks here for the folder in front of its classic name, which never changes.
#pragma once

#include <string>

enum folder_layout {
    FOLDERS_WORKING,   // the working directory holds gfx/: everything there, as always
    FOLDERS_PORTABLE,  // the program's own folder holds gfx/: everything there
    FOLDERS_INSTALLED, // assets beside bin/ in share/, settings and scores in the home folder
    FOLDERS_PER_USER,  // assets in the program's folder, which is not ours to write: files in
                       // the player's own folder (%APPDATA% on Windows)
};

// A folder is "" for the working directory, else a path without a trailing slash.
struct game_folders {
    folder_layout layout = FOLDERS_WORKING;
    std::string assets;   // gfx/, sounds/, music/
    std::string settings; // Config.txt
    std::string data;     // hiscores.dat, errors.txt, replays/
};

// The choice for a program at `program` (an absolute path; "" when unknown), looking at the
// working directory and at HOME, XDG_CONFIG_HOME and XDG_DATA_HOME. A `user_folder` is where
// the player's files go when the program's own folder cannot be written ("" keeps them there).
game_folders folders_for(const std::string& program, const std::string& user_folder = "");
// Chooses for this process from where the program is and puts the choice in force.
void folders_choose();
// Puts a choice in force; until then everything is in the working directory.
void folders_use(const game_folders& f);
const game_folders& folders();

// A classic file name ("gfx/low/", "sounds/pop2.wav", "Config.txt" ...) in its folder.
std::string asset_path(const std::string& name);
std::string settings_path(const std::string& name);
std::string data_path(const std::string& name);
// A folder as a person reads it: the working directory by its absolute name.
std::string folder_shown(const std::string& folder);

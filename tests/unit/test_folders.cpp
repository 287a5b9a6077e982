// Where the game finds its assets and keeps its files: the working directory, the program's
// own folder, or an installed tree with the player's files in the XDG folders.
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "controls/config.h"
#include "shell/display.h"
#include "shell/folders.h"
#include "shell/game_state.h"
#include "shell/replay.h"
#include "shell/score.h"
#include "support/headless_env.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

// The variables the choice reads, put back as they were after each test.
class saved_environment {
    static constexpr const char* names[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::optional<std::string> old[3];

  public:
    saved_environment() {
        for (int i = 0; i < 3; i++)
            if (const char* v = std::getenv(names[i])) old[i] = v;
    }
    ~saved_environment() {
        for (int i = 0; i < 3; i++)
            old[i] ? setenv(names[i], old[i]->c_str(), 1) : unsetenv(names[i]);
    }
};

void set(const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); }

// A scratch working directory, and elsewhere a scratch tree for programs and homes.
class folder_choice : public ::testing::Test {
  protected:
    saved_environment env;
    scratch_cwd cwd;
    temp_dir tree;
    std::string at(const std::string& rel) const { return tree.file(rel); }
    std::string program_in(const std::string& folder, bool with_gfx) const {
        fs::create_directories(tree.path / folder);
        if (with_gfx) fs::create_directories(tree.path / folder / "gfx");
        return at(folder + "/vexlume2");
    }
    void TearDown() override { folders_use(game_folders{}); }
};

} // namespace

TEST_F(folder_choice, the_working_directory_with_gfx_keeps_every_classic_name_as_it_is) {
    fs::create_directory(cwd.path / "gfx");
    game_folders f = folders_for(program_in("game", true));
    EXPECT_EQ(f.layout, FOLDERS_WORKING);
    folders_use(f);
    EXPECT_EQ(asset_path("gfx/low/"), "gfx/low/");
    EXPECT_EQ(asset_path("sounds/Explo1.wav"), "sounds/Explo1.wav");
    EXPECT_EQ(settings_path("Config.txt"), "Config.txt");
    EXPECT_EQ(data_path("hiscores.dat"), "hiscores.dat");
    EXPECT_EQ(replay_last_path(), "replays/last.vxr");
    // Without /proc the program's place is unknown: the working directory it is.
    EXPECT_EQ(folders_for("").layout, FOLDERS_WORKING);
    fs::remove(cwd.path / "gfx");
    EXPECT_EQ(folders_for("").layout, FOLDERS_WORKING);
}

TEST_F(folder_choice, a_program_beside_gfx_keeps_everything_in_its_own_folder) {
    std::string game = at("portable");
    game_folders f = folders_for(program_in("portable", true));
    EXPECT_EQ(f.layout, FOLDERS_PORTABLE);
    EXPECT_EQ(f.assets, game);
    EXPECT_EQ(f.settings, game);
    EXPECT_EQ(f.data, game);
    folders_use(f);
    EXPECT_EQ(asset_path("music/Theme0.it"), game + "/music/Theme0.it");
    EXPECT_EQ(replay_last_path(), game + "/replays/last.vxr");
    // A file called gfx is no image folder.
    tree.write("plain/gfx", "");
    EXPECT_EQ(folders_for(at("plain/vexlume2")).layout, FOLDERS_INSTALLED);
}

TEST_F(folder_choice, installed_assets_sit_in_share_beside_bin_and_files_in_the_xdg_folders) {
    set("XDG_CONFIG_HOME", "/home/p/cfg/"); // a trailing slash is no part of the name
    set("XDG_DATA_HOME", "/home/p/data");
    game_folders f = folders_for(program_in("stage/usr/bin", false));
    EXPECT_EQ(f.layout, FOLDERS_INSTALLED);
    EXPECT_EQ(f.assets, at("stage/usr") + "/share/vexlume2");
    EXPECT_EQ(f.settings, "/home/p/cfg/vexlume2");
    EXPECT_EQ(f.data, "/home/p/data/vexlume2");
    EXPECT_EQ(folders_for("/vexlume2").assets, "/share/vexlume2"); // a program at the root
}

TEST_F(folder_choice, xdg_folders_must_be_absolute_and_without_a_home_files_stay_here) {
    std::string program = program_in("usr/bin", false);
    struct row {
        const char *home, *config, *data;
        std::string want_settings, want_data;
    } rows[] = {
        {"/home/p", nullptr, nullptr, "/home/p/.config/vexlume2", "/home/p/.local/share/vexlume2"},
        {"/home/p/", "", "", "/home/p/.config/vexlume2", "/home/p/.local/share/vexlume2"},
        {"/home/p", "cfg", "./data", "/home/p/.config/vexlume2", "/home/p/.local/share/vexlume2"},
        {"/home/p", "/c", "~/d", "/c/vexlume2", "/home/p/.local/share/vexlume2"},
        {nullptr, nullptr, nullptr, "", ""},
        {"", "", "", "", ""},
        {"home/p", nullptr, "/d", "", "/d/vexlume2"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string("HOME=") + (r.home ? r.home : "(unset)"));
        set("HOME", r.home);
        set("XDG_CONFIG_HOME", r.config);
        set("XDG_DATA_HOME", r.data);
        game_folders f = folders_for(program);
        EXPECT_EQ(f.layout, FOLDERS_INSTALLED);
        EXPECT_EQ(f.assets, at("usr") + "/share/vexlume2");
        EXPECT_EQ(f.settings, r.want_settings);
        EXPECT_EQ(f.data, r.want_data);
    }
    // No home at all: the files land in the working directory under their classic names.
    set("HOME", nullptr);
    set("XDG_CONFIG_HOME", nullptr);
    set("XDG_DATA_HOME", nullptr);
    folders_use(folders_for(program));
    EXPECT_EQ(settings_path("Config.txt"), "Config.txt");
    EXPECT_EQ(data_path("hiscores.dat"), "hiscores.dat");
}

namespace {

// The game installed under a scratch tree, run from an empty working directory.
class installed_game : public media_test {
  protected:
    saved_environment env;
    scratch_cwd cwd;
    temp_dir home;
    game_folders f;
    void SetUp() override {
        media_test::SetUp();
        const char* game = std::getenv("VEX_GAME_DIR");
        f.layout = FOLDERS_INSTALLED;
        f.assets = game ? game : home.file("none");
        f.settings = home.file("config/deep/vexlume2");
        f.data = home.file("data/deep/vexlume2");
        folders_use(f);
    }
    void TearDown() override {
        folders_use(game_folders{});
        sound_bank_free();
        images_free();
        media_test::TearDown();
    }
    bool cwd_empty() const { return fs::is_empty(cwd.path); }
};

} // namespace

TEST_F(installed_game, settings_scores_errors_and_replays_go_to_folders_made_on_first_use) {
    EXPECT_EQ(config_load(), 0); // reading makes no folder
    EXPECT_FALSE(fs::exists(home.path / "config"));
    difficulty = 2;
    ASSERT_EQ(config_save(), 1);
    hiscore_scores[0][1] = 123456;
    ASSERT_EQ(hiscores_save(), 1);
    replay_name_last("Orlo");
    gfx_modes_build();
    gfx_modes_select();
    headless_refuse_open(true);
    EXPECT_EQ(display_open(), 0);
    headless_refuse_open(false);
    EXPECT_TRUE(fs::is_regular_file(fs::path(f.settings) / "Config.txt"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(f.data) / "hiscores.dat"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(f.data) / "errors.txt"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(f.data) / "replays/last.vxr"));
    EXPECT_FALSE(fs::exists(fs::path(f.settings) / "hiscores.dat"));
    EXPECT_TRUE(cwd_empty());
    // And they are what the next start reads.
    difficulty = 0;
    hiscore_scores[0][1] = 0;
    EXPECT_EQ(config_load(), 1);
    hiscores_load();
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(hiscore_scores[0][1], 123456);
    hiscores_builtin();
    settings_defaults();
}

TEST_F(installed_game, images_sounds_and_tunes_come_from_the_assets_folder) {
    ASSERT_TRUE(fs::is_directory(fs::path(f.assets) / "gfx"))
        << "no staged game in VEX_GAME_DIR; run `make stage` and the tests through ctest";
    sound_bank_load();
    images_load();
    EXPECT_NE(snd_buzz3, nullptr);
    EXPECT_NE(snd_quarkhit2, nullptr);
    EXPECT_NE(img_icons, nullptr);
    EXPECT_NE(img_particle, nullptr);
    bool was_off = music_off;
    music_off = false;
    music_init(); // says again what it could not load
    testing::internal::CaptureStderr();
    play_music(1);
    music_shutdown();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    music_off = was_off;
    // An asset missing from the installed tree is named by its whole path.
    f.assets = home.file("gone");
    folders_use(f);
    testing::internal::CaptureStderr();
    sound_bank_load();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(snd_buzz3, nullptr);
    EXPECT_NE(err.find(home.file("gone/sounds/buzz3.wav")), std::string::npos) << err;
    EXPECT_TRUE(cwd_empty());
}

namespace {

// Makes a folder unwritable even for root (chmod first, then the immutable flag); undone on
// destruction. `held` is false when the system lets us write regardless.
struct unwritable_folder {
    std::string path;
    bool immutable = false, held = false;
    explicit unwritable_folder(const std::string& p) : path(p) {
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write |
                                  fs::perms::others_write, fs::perm_options::remove);
        if (folder_writable(path))
            immutable = std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) == 0;
        held = !folder_writable(path);
    }
    ~unwritable_folder() {
        if (immutable && std::system(("chattr -i '" + path + "'").c_str()) != 0)
            ADD_FAILURE() << "cannot make " << path << " writable again";
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    }
};

} // namespace

TEST_F(folder_choice, a_program_folder_the_player_cannot_write_sends_files_to_the_player_folder) {
    std::string program = program_in("Program Files/Vexlume2", true);
    std::string own = at("Program Files/Vexlume2");
    // Writable: portable, whether or not the system has a player's folder.
    EXPECT_EQ(folders_for(program, "/users/p/AppData/Roaming/Vexlume2").layout, FOLDERS_PORTABLE);
    // The try leaves nothing behind in the player's folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(own), fs::directory_iterator()), 1);
    unwritable_folder locked(own);
    if (!locked.held) GTEST_SKIP() << "cannot make a folder unwritable here";
    game_folders f = folders_for(program, "/users/p/AppData/Roaming/Vexlume2");
    EXPECT_EQ(f.layout, FOLDERS_PER_USER);
    EXPECT_EQ(f.assets, own);
    EXPECT_EQ(f.settings, "/users/p/AppData/Roaming/Vexlume2");
    EXPECT_EQ(f.data, "/users/p/AppData/Roaming/Vexlume2");
    // Where the system has no such folder (Linux), the portable copy stays portable.
    EXPECT_EQ(folders_for(program).layout, FOLDERS_PORTABLE);
}

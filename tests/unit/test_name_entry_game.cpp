// Name entry inside the whole game: a top-ten score ended by "End Game", in play or during
// GAME OVER, still gets its row.
#include "controls/controls.h"
#include "controls/menu.h"
#include "player/ship.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <string>
#include <utility>
#include <vector>

namespace {
// The whole game runs before the unit tests that follow: the images it loaded die with the
// media layer, so their handles must not outlive it for the next fixture that draws.
class name_entry_game : public game_test {
protected:
    void TearDown() override {
        game_test::TearDown();
        for (image* h :
             {&img_icons, &img_snaketail, &img_powerups, &img_greensquare, &img_purplesquare1,
              &img_purplesquare2, &img_bluediamond, &img_pinkpinwheel, &img_indigotriangle,
              &img_bluecircle, &img_redclone, &img_orangetriangle, &img_redcircle, &img_whiteplayer,
              &img_yellowshot, &img_whitestar, &img_snakehead, &img_particle, &screen_image})
            *h = nullptr;
    }
};

bool in(const char* name) { return std::string(screen_name) == name; }
bool menu_titled(const char* title) { return menu_open && menu_open->title == title; }

enum { ESC = 27, RET = 13, SPACE = 32, UP = 38, RIGHT = 39 };

// Keys for each menu as it opens, in order, by title.
using menu_answers = std::vector<std::pair<std::string, std::vector<int>>>;

struct game_over_run {
    int step = 0;
    int game_over_frames = 0; // GAME OVER frames drawn with no menu open
    bool row_in_place = false;
};

// The last ship is lost with a top-ten score; the Options menu opened at the first GAME OVER
// frame is answered as given, then a name is entered and the program left from the table.
game_over_run lose_with_a_top_score(game_test& g, const menu_answers& answers) {
    for (auto& c : name_chars) c = 32;
    game_over_run run;
    size_t answered = 0;
    bool kill_pending = false;
    // Hit at the start of a play frame, as an enemy's update would do it.
    headless_on_step_begin([&] {
        if (!kill_pending || !in("play")) return;
        kill_pending = false;
        kill_player();
    });
    g.play([&](int) {
        if (in("game over") && !menu_open) run.game_over_frames++;
        if (run.step == 0 && in("title"))
            g.tap(SPACE), run.step++;
        else if (run.step == 1 && in("play") && frame_count > 10) {
            score = 7777;
            lives = 1;
            shield_timer = 0;
            kill_pending = true;
            run.step++;
        } else if (run.step == 2 && in("game over") && !menu_open)
            g.tap(ESC), run.step++;
        else if (run.step == 3 && answered < answers.size() &&
                 menu_titled(answers[answered].first.c_str())) {
            const auto& keys = answers[answered++].second;
            g.queued.insert(g.queued.end(), keys.begin(), keys.end());
        } else if (run.step == 3 && in("name entry"))
            g.press({'V', 'E', 'X', RET}), run.step++;
        else if (run.step == 4 && in("top scores") && !menu_open) {
            run.row_in_place = hiscore_scores[0][1] == 7777 && hiscore_names[0][1] == "vex     ";
            g.tap(ESC), run.step++;
        } else if (run.step == 5 && menu_titled("Options"))
            g.press({UP, UP, UP, RET}), run.step++;
    });
    headless_on_step_begin(nullptr);
    EXPECT_EQ(answered, answers.size());
    return run;
}
} // namespace

TEST_F(name_entry_game, end_game_with_a_top_score_enters_the_name_and_saves_it) {
    difficulty = 1;
    start();
    for (auto& c : name_chars) c = 32;
    int step = 0, row_in_place = 0;
    play([&](int) {
        if (step == 0 && in("title"))
            tap(SPACE), step++;
        else if (step == 1 && in("play") && frame_count > 10) {
            score = 7777;
            tap(ESC), step++;
        } else if (step == 2 && menu_titled("Options"))
            press({UP, RET}), step++;
        else if (step == 3 && menu_titled("End Game?"))
            press({UP, RET}), step++;
        else if (step == 4 && in("name entry"))
            press({'V', 'E', 'X', RET}), step++;
        else if (step == 5 && in("top scores")) {
            row_in_place = hiscore_scores[0][1] == 7777;
            tap(ESC), step++;
        } else if (step == 6 && menu_titled("Options"))
            press({UP, UP, UP, RET}), step++;
    });
    EXPECT_EQ(step, 7);
    EXPECT_TRUE(row_in_place);
    EXPECT_EQ(hiscore_names[0][1], "vex     ");
    EXPECT_EQ(hiscore_times[0][1], time_text(frame_count));
    EXPECT_EQ(score, 0);
    // On disk before the program left: row 0 of Medium is the file's 31st line.
    std::string saved = dir.read("hiscores.dat");
    EXPECT_NE(saved.find("\r\n7777\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nvex     \r\n"), std::string::npos);
}

// During GAME OVER the Options menu is the in-game one: "End Game" there ends the animation as
// the bomb key does, and the name is still entered.
TEST_F(name_entry_game, end_game_during_game_over_still_enters_the_name) {
    difficulty = 1;
    start();
    game_over_run run =
        lose_with_a_top_score(*this, {{"Options", {UP, RET}}, {"End Game?", {UP, RET}}});
    EXPECT_EQ(run.step, 6);
    EXPECT_TRUE(run.row_in_place);
    EXPECT_LT(run.game_over_frames, 10); // not the 179 frames of the whole animation
    EXPECT_EQ(score, 0);
}

// A kept Game Settings change asks to end a running game; during GAME OVER it ends the
// animation and nothing more.
TEST_F(name_entry_game, a_kept_settings_change_during_game_over_still_enters_the_name) {
    difficulty = 1;
    start();
    const int autofire_before = autofire;
    game_over_run run = lose_with_a_top_score(*this, {{"Options", {UP, UP, RET}},
                                                      {"Settings", {UP, RET}},
                                                      {"Game Settings", {UP, UP, RIGHT, ESC}},
                                                      {"Keep Changes?", {UP, RET}},
                                                      {"Settings", {ESC}}});
    EXPECT_NE(autofire, autofire_before);
    autofire = autofire_before;
    EXPECT_EQ(run.step, 6);
    EXPECT_TRUE(run.row_in_place);
    EXPECT_LT(run.game_over_frames, 10);
}

// Name entry inside the whole game: a top-ten score ended by "End Game" still gets its row.
#include "controls/menu.h"
#include "shell/display.h"
#include "shell/game_state.h"
#include "shell/score.h"
#include "shell/screens.h"
#include "support/game_env.h"

#include <string>

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

enum { ESC = 27, RET = 13, SPACE = 32, UP = 38 };
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
            press({UP, UP, RET}), step++;
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

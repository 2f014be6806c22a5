#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>

#include "game/globals.h"
#include "game/menu.h"
#include "tests/game/route_part_one.h"
#include "tests/game/route_part_two.h"
#include "tests/support/game_driver.h"

namespace {

using testing_support::GameDriver;

constexpr int part_selection_menu_y = 350;
constexpr long frame_limit = 40000;

std::string marker_text(const GameDriver& driver) {
    return testing_support::read_file(driver.program_dir() / "partone.vx");
}

// Plays like a person: clicks through every screen that waits for a press,
// answers the part selection, then makes the route's choices one menu at a
// time, checking the location and the number of messages on the way. Stops
// at the part selection that follows the route's end.
class RoutePlayer {
public:
    RoutePlayer(std::span<const route::Step> steps, int part_choice) : steps_(steps), part_choice_(part_choice) {}

    bool operator()(GameDriver& driver) {
        EXPECT_LT(driver.frame(), frame_limit);
        if (driver.frame() >= frame_limit) return false;
        if (clicked_last_frame_) {  // let the button be seen up again
            clicked_last_frame_ = false;
            return true;
        }
        if (!driver.menu_shown()) {
            driver.click_anywhere();
            clicked_last_frame_ = true;
            return true;
        }
        if (game::menu_y() == part_selection_menu_y && game::loc == 1 && game::screendrawn == 1 &&
            game::part != 2 && at_part_selection()) {
            if (next_ < steps_.size()) {
                driver.choose(part_choice_);
                clicked_last_frame_ = true;
                return true;
            }
            finished_ = true;
            return false;
        }
        return answer_route_menu(driver);
    }

    bool finished() const { return finished_; }
    std::size_t steps_done() const { return next_; }

private:
    // The part selection is the only menu before the route starts, and the
    // first menu after the route's last step.
    bool at_part_selection() const { return next_ == 0 || next_ == steps_.size(); }

    bool answer_route_menu(GameDriver& driver) {
        if (next_ >= steps_.size()) return true;
        const route::Step& step = steps_[next_];
        if (next_ > 0) {
            const route::Step& previous = steps_[next_ - 1];
            EXPECT_EQ(game::prompts_shown() - prompts_at_choice_, previous.continues)
                << "messages after step " << next_ << " (loc " << previous.loc << ")";
        }
        EXPECT_EQ(game::loc, step.loc) << "at step " << next_ + 1;
        if (game::loc != step.loc) return false;
        save_screenshot(driver, step);
        driver.choose(step.option);
        clicked_last_frame_ = true;
        prompts_at_choice_ = game::prompts_shown();
        ++next_;
        return true;
    }

    // With MARLOWICK_SCREENSHOTS set to a folder, every answered menu is saved
    // there as a picture ("p1-017-a12.png"), for looking at the game as a player.
    void save_screenshot(const GameDriver& driver, const route::Step& step) const {
        const char* folder = std::getenv("MARLOWICK_SCREENSHOTS");
        if (folder == nullptr) return;
        char name[64];
        std::snprintf(name, sizeof name, "p%d-%03zu-%c%02d.png", part_choice_, next_ + 1, part_choice_ == 1 ? 'a' : 'b',
                      step.loc);
        driver.save_screenshot(std::filesystem::path(folder) / name);
    }

    std::span<const route::Step> steps_;
    int part_choice_;
    std::size_t next_ = 0;
    double prompts_at_choice_ = 0;
    bool clicked_last_frame_ = false;
    bool finished_ = false;
};

TEST(Playthrough, PartOneFromTheClearingToTheMarker) {
    GameDriver driver;
    RoutePlayer player(route::part_one, 1);
    const auto outcome = driver.run(std::ref(player));
    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
    EXPECT_EQ(player.steps_done(), route::part_one.size());
    EXPECT_TRUE(player.finished());
    EXPECT_EQ(marker_text(driver), "5190364\r\n");
    // Back at the title with everything cleared.
    EXPECT_EQ(game::part, 1);
    EXPECT_EQ(game::loc, 1);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(game::obj[i], 0) << i;
}

TEST(Playthrough, PartTwoFromTheCageToTheEnding) {
    GameDriver driver;
    std::ofstream(driver.program_dir() / "partone.vx", std::ios::binary) << "5190364\r\n";
    RoutePlayer player(route::part_two, 2);
    const auto outcome = driver.run(std::ref(player));
    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
    EXPECT_EQ(player.steps_done(), route::part_two.size());
    EXPECT_TRUE(player.finished());  // the ending led back to the title and its part selection
    EXPECT_EQ(marker_text(driver), "5190364\r\n");
}

}  // namespace

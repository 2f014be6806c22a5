#include <gtest/gtest.h>

#include "game/globals.h"
#include "tests/support/game_driver.h"

namespace {

// Walks through the opening screens and saves what a player sees.
TEST(GameLook, OpeningScreens) {
    testing_support::GameDriver driver;
    const std::filesystem::path shots = std::filesystem::path(MARLOWICK_BIN_DIR) / ".." / "screenshots";
    std::filesystem::create_directories(shots);
    int shot = 0;
    const auto outcome = driver.run([&](testing_support::GameDriver& d) {
        if (d.frame() % 40 == 0 || d.menu_shown()) d.save_screenshot(shots / ("frame" + std::to_string(d.frame()) + ".png"));
        if (d.frame() % 7 == 0) d.click_anywhere();
        return ++shot < 1500;
    });
    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
}

}  // namespace

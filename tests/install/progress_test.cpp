// Keeping the player's progress can never lock the player out: a write that
// fails, markers that are empty, wrong or cannot be removed, beside the
// program and in the data folder, played through the real game loop.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/doubles/test_system.h"
#include "platform/services.h"
#include "tests/install/short_play.h"
#include "tests/support/game_driver.h"

namespace {

namespace fs = std::filesystem;
using testing_support::GameDriver;
using testing_support::ShortPlay;
using testing_support::TempDir;

constexpr double end_prompts = 4;  // caught, the net, the cage, "To Be Continued...."
constexpr double intro_prompts = 6;

platform::doubles::TestSystem& test_system() {
    return dynamic_cast<platform::doubles::TestSystem&>(*platform::services().system);
}

GameDriver::Outcome play(GameDriver& driver, ShortPlay& player) {
    return driver.run([&player](GameDriver& d) { return player.frame(d.input()); });
}

// previous state: no marker, or the code from an earlier play
class FailedSave : public testing::TestWithParam<bool> {};

TEST_P(FailedSave, LeavesThePreviousStateTellsThePlayerWhereAndGoesOn) {
    const bool had_marker = GetParam();
    GameDriver driver;
    const fs::path marker = driver.program_dir() / "partone.vx";
    if (had_marker) std::ofstream(marker, std::ios::binary) << "5190364\r\n";
    test_system().failing_write_reason = "cannot write in " + driver.program_dir().string() + ": No space left on device";
    ShortPlay player(true);
    const auto outcome = play(driver, player);

    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
    EXPECT_EQ(fs::exists(marker) ? testing_support::read_file(marker) : "", had_marker ? "5190364\r\n" : "");
    ASSERT_EQ(test_system().written_paths, std::vector<std::string>{marker.lexically_normal().string()});
    // One message more than after a save that works, then the title as usual.
    EXPECT_EQ(player.prompts_since_choice(), end_prompts + 1 + (had_marker ? 0 : intro_prompts));
    EXPECT_EQ(player.at_selection, had_marker);
    ASSERT_EQ(test_system().stderr_lines.size(), 1u);
    EXPECT_NE(test_system().stderr_lines[0].find(marker.lexically_normal().string() + " (No space left on device)"),
              std::string::npos) << test_system().stderr_lines[0];
}

INSTANTIATE_TEST_SUITE_P(Progress, FailedSave, testing::Bool());

// (content, kept in the data folder rather than beside the program)
class DamagedMarker : public testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(DamagedMarker, GetsTheGateMessageAndIsRemoved) {
    TempDir data;
    GameDriver driver;
    const auto [content, in_data_folder] = GetParam();
    if (in_data_folder) test_system().progress_folder = data.slash_path();
    const fs::path marker = (in_data_folder ? data.path() : driver.program_dir()) / "partone.vx";
    std::ofstream(marker, std::ios::binary) << content;
    ShortPlay player(false);
    const auto outcome = play(driver, player);
    EXPECT_FALSE(outcome.program_ended) << driver.error_log();
    EXPECT_EQ(player.prompts_at_menus, std::vector<double>{1 + intro_prompts});  // the gate, then Part One
    EXPECT_FALSE(player.at_selection);
    EXPECT_FALSE(fs::exists(marker));
}

INSTANTIATE_TEST_SUITE_P(Progress, DamagedMarker,
                         testing::Values(std::pair{"5190364  \r\n", false}, std::pair{"", true},
                                         std::pair{"5190365\r\n", true}));

// A marker on a read-only file system gets the gate message once; after Esc
// brings the game back to the title it is passed over.
TEST(Progress, MarkerThatCannotBeRemovedShowsTheGateOnceAndTheGameGoesOn) {
    TempDir data;
    const std::string folder = "'" + data.path().string() + "'";
    const std::string mount = "mount -t tmpfs -o size=64k tmpfs " + folder + " && printf 'x\\r\\n' >" + folder +
                              "/partone.vx && mount -o remount,ro " + folder;
    if (std::system((mount + " 2>/dev/null").c_str()) != 0) {
        std::system(("umount " + folder + " 2>/dev/null").c_str());
        GTEST_SKIP() << "cannot mount a read-only file system here";
    }
    {
        GameDriver driver;
        test_system().progress_folder = data.slash_path();
        ShortPlay player(false, 1);
        const auto outcome = play(driver, player);
        EXPECT_FALSE(outcome.program_ended) << driver.error_log();
        EXPECT_EQ(player.prompts_at_menus, (std::vector<double>{1 + intro_prompts, intro_prompts}));
        EXPECT_TRUE(fs::exists(data.path() / "partone.vx"));
    }
    std::system(("umount " + folder).c_str());
}

}  // namespace

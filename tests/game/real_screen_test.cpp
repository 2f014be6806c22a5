#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/headless.h"

namespace {

// The real game full screen on a private 1920x1080 Xvfb display, driven with
// xdotool (tests/game/real_fullscreen.sh): the display mode stays, the window
// covers the screen, and the physical pointer's movement and clicks choose
// the option shown where the pointer is. Skipped where Xvfb is missing.
TEST(RealScreen, FullScreenKeepsTheDisplayAndAClickOnAnOptionChoosesIt) {
    const testing_support::TempDir temp;
    const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "real_fullscreen.sh";
    const std::filesystem::path out = temp.path() / "screen.txt";
    const std::string command = "timeout 300 bash '" + script.string() + "' '" MARLOWICK_BIN_DIR "/marlowick' '" +
                                out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string report = testing_support::read_file(out);
    if (report == "SKIP\n") GTEST_SKIP() << "Xvfb, xdotool or xwininfo not installed";
    for (const char* line : {"screen before 1920x1080\n", "screen after 1920x1080\n", "window 0,0 1920x1080\n"}) {
        EXPECT_NE(report.find(line), std::string::npos) << "missing \"" << line << "\" in\n" << report;
    }
    EXPECT_NE(report.find("choice taken after"), std::string::npos) << report;
}

}  // namespace

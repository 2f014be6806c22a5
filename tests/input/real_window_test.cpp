#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/headless.h"

namespace {

// The input probe in a real X window on a private Xvfb display, fed by
// xdotool (tests/input/real_window.sh). Skipped where a tool is missing.
class RealWindow : public ::testing::Test {
protected:
    std::string run_probe(const std::string& options) {
        const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "real_window.sh";
        const std::filesystem::path out = temp_.path() / "probe.txt";
        const std::string command = "timeout 120 bash '" + script.string() + "' '" MARLOWICK_BIN_DIR
                                    "/marlowick-input-probe' '" + out.string() + "' " + options;
        const int status = std::system(command.c_str());
        EXPECT_EQ(status, 0) << testing_support::read_file(out);
        return testing_support::read_file(out);
    }

    static void expect_line(const std::string& output, const std::string& line) {
        EXPECT_NE(output.find(line + "\n"), std::string::npos) << "missing \"" << line << "\" in\n" << output;
    }

    static void expect_buttons_and_keys(const std::string& output) {
        // The slow press and the quick click are both seen.
        std::size_t presses = 0;
        for (std::size_t at = output.find("button left down\n"); at != std::string::npos;
             at = output.find("button left down\n", at + 1)) {
            ++presses;
        }
        EXPECT_EQ(presses, 2u) << output;
        for (const char* line : {"button left down", "button left up", "button right down", "button right up",
                                 "wheel -1", "key 30 down", "typed 97", "key 30 up", "key 42 down", "typed 66"}) {
            expect_line(output, line);
        }
    }

    testing_support::TempDir temp_;
};

TEST_F(RealWindow, ExclusiveMouseKeysAndButtonsArrive) {
    const std::string output = run_probe("");
    if (output == "SKIP\n") GTEST_SKIP() << "Xvfb, xdotool or xwininfo not installed";
    expect_line(output, "Init OK");
    // The pointer starts at the top left; device movement moves the game's
    // position, clamped to the screen.
    expect_line(output, "mouse 20 0 moved 20 -30");
    expect_buttons_and_keys(output);
}

TEST_F(RealWindow, SharedMouseFollowsThePointer) {
    const std::string output = run_probe("--shared");
    if (output == "SKIP\n") GTEST_SKIP() << "Xvfb, xdotool or xwininfo not installed";
    expect_line(output, "mouse 300 200 moved 200 100");
    expect_line(output, "mouse 320 170 moved 20 -30");
    expect_buttons_and_keys(output);
}

}  // namespace

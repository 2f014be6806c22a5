#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <regex>

#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;

struct CommandResult {
    int code = -1;
    std::string output;
};

// The real game binary, its output kept in the test's folder.
CommandResult run_command(const testing_support::TempDir& temp, const std::string& command) {
    const fs::path out = temp.path() / "out.txt";
    // Earlier tests may have left the process in a folder that is gone.
    const std::string in_temp = "cd '" + temp.path().string() + "' && " + command;
    const int status = std::system((in_temp + " >'" + out.string() + "' 2>&1").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out)};
}

std::string game() { return std::string("'") + MARLOWICK_BIN_DIR + "/marlowick'"; }

// Without OpenGL or without anyone to see the window, the game says why and
// ends with a code that shows it (never a crash, never an invisible run).
class WithoutOpenGl : public ::testing::TestWithParam<const char*> {};

TEST_P(WithoutOpenGl, EndsWithAMessageAndCodeOne) {
    testing_support::TempDir temp;
    const CommandResult run = run_command(temp, std::string("env ") + GetParam() + " TMPDIR='" +
                                          temp.path().string() + "/' SDL_AUDIODRIVER=dummy timeout 30 " + game());
    EXPECT_EQ(run.code, 1) << run.output;
    EXPECT_NE(run.output.find("Marlowick needs OpenGL: "), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Init OK"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Environments, WithoutOpenGl,
                         ::testing::Values("SDL_VIDEODRIVER=bogus",
                                           "SDL_VIDEODRIVER=offscreen MESA_GL_VERSION_OVERRIDE=1.0",
                                           "-u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:9999"));

// Unusable data files: one message naming what is wrong, and code 1.
TEST(DataFiles, DamagedArchiveIsNamedAndEndsTheGame) {
    testing_support::TempDir temp;
    fs::copy_file(fs::path(MARLOWICK_BIN_DIR) / "marlowick", temp.path() / "marlowick");
    fs::copy_file(fs::path(MARLOWICK_BIN_DIR) / "media.gfx", temp.path() / "media.gfx");
    fs::resize_file(temp.path() / "media.gfx", fs::file_size(temp.path() / "media.gfx") / 2);
    const CommandResult run = run_command(temp, "env TMPDIR='" + temp.path().string() +
                                          "/' SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 60 '" +
                                          (temp.path() / "marlowick").string() + "'");
    EXPECT_EQ(run.code, 1) << run.output;
    EXPECT_NE(run.output.find("Media file gfx/fontpc.png: missing"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("The game's data files are missing or damaged: gfx/fontpc.png: missing"),
              std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Reinstall the game."), std::string::npos) << run.output;
}

// An end that is deferred or never comes takes the script's two minutes; an
// orderly one about a third of a second on a quiet machine. The bound sits
// far from both, so a machine busy with other tests does not fail it.
constexpr int prompt_end_ms = 5000;

// The game in a real window under Xvfb (tests/reliability/xvfb_game.sh).
class UnderXvfb : public ::testing::Test {
protected:
    // Runs a scenario; the milliseconds from the deed to the end, or -1 when skipped.
    int run_scenario(const std::string& scenario, int expected_code) {
        const fs::path script = fs::path(MARLOWICK_SOURCE_DIR) / "tests/reliability/xvfb_game.sh";
        const CommandResult run = run_command(temp_, "timeout 120 bash '" + script.string() + "' " + MARLOWICK_BIN_DIR + " '" +
                                               temp_.path().string() + "' " + scenario);
        if (run.output == "SKIP\n") return -1;
        std::smatch match;
        const std::regex ending("exit (\\d+) after (\\d+) ms");
        if (!std::regex_search(run.output, match, ending)) {
            ADD_FAILURE() << scenario << ": " << run.output;
            return 0;
        }
        EXPECT_EQ(std::stoi(match[1]), expected_code) << scenario << ": " << run.output;
        return std::stoi(match[2]);
    }

    // Temporary files gone; the end report written (the game runs in debug mode).
    void expect_clean_end() {
        for (const auto& entry : fs::directory_iterator(temp_.path())) {
            EXPECT_NE(entry.path().filename().string().rfind("sbx", 0), 0u) << entry.path();
        }
        EXPECT_NE(read_file(temp_.path() / "ErrorLog.txt").find("-End On Line"), std::string::npos);
    }

    testing_support::TempDir temp_;
};

TEST_F(UnderXvfb, LosingTheDisplayEndsTheGamePromptly) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int ms = run_scenario("kill-display", 1);
        if (ms < 0) GTEST_SKIP() << "Xvfb or xdotool not installed";
        EXPECT_LT(ms, prompt_end_ms);
        expect_clean_end();
    }
}

TEST_F(UnderXvfb, QuickAltF4TapEndsTheGame) {
    const int ms = run_scenario("alt-f4", 0);
    if (ms < 0) GTEST_SKIP() << "Xvfb or xdotool not installed";
    EXPECT_LT(ms, prompt_end_ms);
    expect_clean_end();
}

// Each quit signal, while a screen waits for a press and while the warning box is up.
class QuitSignal : public UnderXvfb, public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(QuitSignal, EndsTheGamePromptly) {
    const auto [where, signal] = GetParam();
    const int ms = run_scenario(std::string(where) + " " + signal, 0);
    if (ms < 0) GTEST_SKIP() << "Xvfb or xdotool not installed";
    EXPECT_LT(ms, prompt_end_ms);
    expect_clean_end();
}

INSTANTIATE_TEST_SUITE_P(States, QuitSignal,
                         ::testing::Combine(::testing::Values("signal", "signal-in-box"),
                                            ::testing::Values("TERM", "INT", "HUP")));

// Two minutes of random play: no crash, no hang, no growth.
TEST(Soak, TwoMinutesOfRandomPlay) {
    testing_support::TempDir temp;
    const CommandResult run = run_command(temp, "bash '" MARLOWICK_SOURCE_DIR "/tools/soak.sh' 2 '" MARLOWICK_BIN_DIR "' '" +
                                          temp.path().string() + "'");
    if (run.output.find("is not installed") != std::string::npos) GTEST_SKIP() << run.output;
    EXPECT_EQ(run.code, 0) << run.output;
    EXPECT_NE(run.output.find("soak: PASS"), std::string::npos) << run.output;
}

}  // namespace

// Playing without the mouse: keys and pads on the menus, the voice, and the
// whole game in a terminal through a pipe.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game/globals.h"
#include "game/menu.h"
#include "game/part_one_text.h"
#include "platform/doubles/recording_words.h"
#include "platform/services.h"
#include "tests/game/route_part_one.h"
#include "tests/game/started_game.h"
#include "tests/support/game_driver.h"

namespace {

using testing_support::GameDriver;

constexpr int key_return = 28;
constexpr int key_cursor_down = 208;
constexpr int key_f2 = 60;
constexpr long frame_limit = 20000;

constexpr double menu_y = 200;
constexpr int first_option_row = 240;

double three_options() { return game::choice_menu(menu_y, "One", "Two", "Three", "", ""); }

// One menu call per frame with a key held, then one with it let go.
double tap(testing_support::GameDriver& driver, int key) {
    driver.press_key(key);
    const double first = three_options();
    driver.release_keys();
    const double second = three_options();
    return first + second;
}

TEST(WaysToPlay, KeysMoveTheHighlightUntilTheMouseMoves) {
    frame_test::StartedGame game;
    auto& driver = game.driver;
    driver.input().move_pointer_to(600, 20);  // over no option, and moved: the pointer owns the highlight
    game::screendrawn = 0;
    EXPECT_EQ(three_options(), 0);
    EXPECT_EQ(game::hilite, 0);
    // Down from nothing is the first; Up from the first wraps to the last; Tab is Down.
    for (const auto& [key, expected] : {std::pair{key_cursor_down, 1}, {200, 3}, {15, 1}, {15, 2}}) {
        EXPECT_EQ(tap(driver, key), 0);
        EXPECT_EQ(game::hilite, expected) << key;
    }
    driver.input().move_pointer_to(1, first_option_row + 40 + 5);
    EXPECT_EQ(three_options(), 0);
    EXPECT_EQ(game::hilite, 3);  // the pointer's option again
    driver.press_key(54);        // Shift+Tab steps back
    EXPECT_EQ(tap(driver, 15), 0);
    EXPECT_EQ(game::hilite, 2);
    EXPECT_EQ(tap(driver, key_return), 2);  // chosen as Enter is let go
}

TEST(WaysToPlay, PadAnswersAMenuAndMayComeAndGo) {
    frame_test::StartedGame game;
    auto& input = game.driver.input();
    input.move_pointer_to(590, 30);  // over no option, and moved: the pointer owns the highlight
    game::screendrawn = 0;
    const auto frame_with = [&](auto change) {
        change(input.pad);
        return three_options();
    };
    input.pad_plugged = true;
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = true; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = false; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = true; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = false; }), 0);
    EXPECT_EQ(game::hilite, 2);

    // Pulled out with the button down: the release it never sends chooses nothing.
    EXPECT_EQ(frame_with([](auto& pad) { pad.choose = true; }), 0);
    input.pad_plugged = false;
    input.pad = {};
    EXPECT_EQ(three_options(), 0);
    EXPECT_EQ(three_options(), 0);
    game::screendrawn = 0;  // the next menu starts on its first option

    input.pad_plugged = true;
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = true; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.down = false; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.choose = true; }), 0);
    EXPECT_EQ(frame_with([](auto& pad) { pad.choose = false; }), 2);

    input.pad.back = true;
    EXPECT_EQ(game::escape_held(), 1);
}

// Plays to the first menu of Part One and presses Down there once.
bool to_first_menu_and_down(GameDriver& driver, bool& pressed) {
    if (driver.frame() >= frame_limit) return false;
    if (!driver.input().held.empty()) {
        driver.release_keys();
        return !pressed;
    }
    if (driver.menu_shown()) {
        driver.press_key(key_cursor_down);
        pressed = true;
        return true;
    }
    driver.press_key(key_return);
    return true;
}

TEST(WaysToPlay, VoiceHearsEachScreenInOrderAndTheHighlight) {
    GameDriver driver;
    auto voice = std::make_unique<platform::doubles::RecordingWords>();
    const auto& heard = voice->heard;
    platform::words().set_voice(std::move(voice), false);
    bool pressed = false;
    driver.run([&pressed](GameDriver& d) { return to_first_menu_and_down(d, pressed); }, "--speak");

    const auto first = std::ranges::find(heard, std::string(game::part_one_text::a01));
    ASSERT_NE(first, heard.end());
    const std::vector<std::string> screen(first, heard.end());
    const std::vector<std::string> expected{std::string(game::part_one_text::a01),
                                            "Do you want to:",
                                            "1) Go to the hut",
                                            "2) Walk to the lone tree",
                                            "3) Follow the cart track",
                                            "4) Head into the forest",
                                            "highlight: 1) Go to the hut"};
    EXPECT_EQ(screen, expected);
    // The screen before: the last of the intro, its paragraph then its prompt.
    ASSERT_GE(first - heard.begin(), 2);
    EXPECT_EQ(*(first - 1), "prompt: Click to Continue");
}

TEST(WaysToPlay, F2TurnsTheVoiceOnWithTheScreenShownNow) {
    frame_test::StartedGame game;
    auto voice = std::make_unique<platform::doubles::RecordingWords>();
    const auto& heard = voice->heard;
    platform::words().set_voice(std::move(voice), false);
    game::screendrawn = 0;
    three_options();
    for (const char* after : {"3) Three", "hush"}) {
        game.driver.press_key(key_f2);
        game::volume_keys();
        game.driver.release_keys();
        game::volume_keys();
        EXPECT_EQ(heard.back(), after);
    }
    EXPECT_EQ(heard.front(), "Do you want to:");
}

TEST(WaysToPlay, WithoutASpeechServiceTheGamePlaysOnAndSaysSoOnce) {
    setenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/marlowick-speech.sock", 1);
    GameDriver driver;
    const std::string line = "No speech service: playing without speech";
    // The service is given a few seconds to answer; the menu is worked meanwhile.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool pressed = false;
    const auto outcome = driver.run(
        [&](GameDriver& d) {
            if (!pressed || std::chrono::steady_clock::now() > give_up) return to_first_menu_and_down(d, pressed);
            if (!d.input().held.empty()) {
                d.release_keys();
                return d.error_log().find(line) == std::string::npos;
            }
            d.press_key(key_cursor_down);
            return true;
        },
        "--speak");
    unsetenv("SPEECHD_ADDRESS");
    EXPECT_FALSE(outcome.program_ended);
    EXPECT_TRUE(pressed);
    const std::string log = driver.error_log();
    EXPECT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line)) << log;
}

// The answers a player types for the Part One route: Enter past the first
// screen, the title and the intro, then each choice and the messages after it.
std::string part_one_answers() {
    std::string answers = "\n\n\n\n\n\n\n\n";
    for (const route::Step& step : route::part_one) {
        answers += std::to_string(step.option) + "\n";
        for (int i = 0; i < step.continues; ++i) answers += "\n";
    }
    return answers + "\n";  // past the title again; the part selection then meets the end of input
}

// Joins the lines of a printed paragraph back into one line.
std::string unwrapped(const std::string& printed) {
    std::string joined = printed;
    std::ranges::replace(joined, '\n', ' ');
    return joined;
}

TEST(WaysToPlay, TerminalPlaysPartOneFromAPipe) {
    testing_support::TempDir dir;
    const std::filesystem::path bin(MARLOWICK_BIN_DIR);
    for (const char* file : {"marlowick", "media.gfx", "media.aud"}) {
        std::filesystem::copy_file(bin / file, dir.path() / file);
    }
    std::ofstream(dir.path() / "answers.txt") << part_one_answers();
    const std::string command = "cd '" + dir.path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME='" +
                                dir.path().string() + "/config' "
                                "COLUMNS=60 ./marlowick --text < answers.txt > printed.txt 2> errors.txt; echo $? > rc.txt";
    std::filesystem::current_path(dir.path());  // the shell needs a folder that exists
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string printed = testing_support::read_file(dir.path() / "printed.txt");
    EXPECT_EQ(testing_support::read_file(dir.path() / "rc.txt"), "0\n") << printed;
    EXPECT_EQ(testing_support::read_file(dir.path() / "partone.vx"), "5190364\r\n");
    // The unseen window leaves the player's window settings alone.
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "config" / "marlowick" / "settings.ini"));

    // The clearing, as the terminal printed it: its paragraph, then the numbered choices.
    const std::string a01(game::part_one_text::a01);
    const std::string menu = "\nDo you want to:\n1) Go to the hut\n2) Walk to the lone tree\n";
    const auto menu_at = printed.find(menu);
    ASSERT_NE(menu_at, std::string::npos) << printed;
    const auto screen_at = printed.rfind("\n\n", menu_at - 2);
    ASSERT_NE(screen_at, std::string::npos);
    const std::string paragraph = printed.substr(screen_at + 2, menu_at - screen_at - 3);
    EXPECT_EQ(unwrapped(paragraph), a01);
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 60u) << line;
    EXPECT_NE(printed.find("Marlowick: V.X. and the Vexmoor Beam"), std::string::npos);
    EXPECT_NE(printed.find("To Be Continued...."), std::string::npos);
    EXPECT_NE(printed.find("1) Play Part One\n2) Play Part Two"), std::string::npos);
}

}  // namespace

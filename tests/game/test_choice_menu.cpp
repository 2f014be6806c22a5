// The choice menu on each device and the volume keys, called the way the
// location procedures call them: once per frame until a choice comes back.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/globals.h"
#include "game/menu.h"
#include "runtime/audio/music.h"
#include "runtime/core/frame_loop.h"
#include "runtime/gfx/graphics_context.h"
#include "tests/game/started_game.h"

namespace {

using frame_test::StartedGame;
using platform::doubles::MouseButton;

constexpr double menu_y = 200;
// Layout rows of the options: heading at menu_y, option k from menu_y + 40 + 20 (k - 1).
constexpr int first_option_row = 240;

// A short key press: held for this many reads of the keyboard, enough for one
// menu call to reach the last key it checks; the menu's wait for the release
// uses up the rest.
constexpr int quick_press = 16;

double two_options() { return game::choice_menu(menu_y, "Go north", "Wait here", "", "", ""); }
double three_options() { return game::choice_menu(menu_y, "One", "Two", "Three", "", ""); }

std::vector<std::string> volume_changes(const platform::doubles::RecordingMusicPlayer& music) {
    std::vector<std::string> changes;
    std::ranges::copy_if(music.events, std::back_inserter(changes),
                         [](const std::string& event) { return event.starts_with("volume"); });
    return changes;
}

TEST(ChoiceMenu, DesktopClickBesideTheTextChoosesNothing) {
    StartedGame game;
    auto& input = game.driver.input();
    game::screendrawn = 0;
    EXPECT_EQ(two_options(), 0);
    ASSERT_EQ(game::screendrawn, 1);
    const int text_end = static_cast<int>(game::optwide[1]);
    const int row_one = first_option_row + 10;

    input.move_pointer_to(text_end, row_one);
    input.click();
    EXPECT_EQ(two_options(), 0);
    // Nothing chosen: the menu goes on presenting frames on the same screen.
    const int frames = input.frames;
    EXPECT_EQ(two_options(), 0);
    EXPECT_EQ(input.frames, frames + 1);
    EXPECT_EQ(game::screendrawn, 1);

    input.move_pointer_to(text_end - 1, row_one);
    EXPECT_EQ(two_options(), 0);  // hovering only
    EXPECT_EQ(game::hilite, 1);
    input.click();
    EXPECT_EQ(two_options(), 1);
    rt::present_frame();

    input.move_pointer_to(1, first_option_row + 20 + 19);
    input.click();
    EXPECT_EQ(two_options(), 2);
    rt::present_frame();
    input.move_pointer_to(1, first_option_row + 40 + 5);  // below the last option
    input.click();
    EXPECT_EQ(two_options(), 0);
}

TEST(ChoiceMenu, TouchChoosesWhereTheFingerIsLifted) {
    StartedGame game("--handheld=F200");
    ASSERT_EQ(rt::graphics().width, 320);  // half the layout's 640
    auto& input = game.driver.input();
    game::screendrawn = 0;
    game::pressed = 0;
    EXPECT_EQ(two_options(), 0);
    // The pointer is in screen pixels, half the layout.
    const int row_one = (first_option_row + 10) / 2;
    const int row_two = row_one + 10;
    const int beside_option_one = static_cast<int>(game::optwide[1]) / 2 + 1;

    input.move_pointer_to(2, row_one);
    input.button_down(MouseButton::left);
    EXPECT_EQ(two_options(), 0);
    EXPECT_EQ(game::pressed, 1);
    EXPECT_EQ(game::hilite, 1);
    input.move_pointer_to(beside_option_one, row_one);
    EXPECT_EQ(two_options(), 0);
    EXPECT_EQ(game::hilite, 0);
    input.button_up(MouseButton::left);
    EXPECT_EQ(two_options(), 0);
    EXPECT_EQ(game::pressed, 0);
    rt::present_frame();

    input.move_pointer_to(2, row_one);
    input.button_down(MouseButton::left);
    EXPECT_EQ(two_options(), 0);
    input.move_pointer_to(2, row_two);  // sliding onto the second option
    EXPECT_EQ(two_options(), 0);
    input.button_up(MouseButton::left);
    EXPECT_EQ(two_options(), 2);
    EXPECT_EQ(game::pressed, 0);
}

// The desktop's keys are in tests/game/test_ways_to_play.cpp; the handheld adds its fire buttons.
TEST(ChoiceMenu, HandheldKeysWrapAroundAndFireButtonsChoose) {
    StartedGame game("--handheld=F100");
    ASSERT_EQ(game::info_Str, "F100");
    auto& input = game.driver.input();
    game::screendrawn = 0;
    game::hilite = 1;
    const auto press = [&](int scan_code) {
        input.tap_key(scan_code, quick_press);
        return three_options();
    };
    EXPECT_EQ(three_options(), 0);
    for (const auto& [key, expected] : {std::pair{208, 2}, {208, 3}, {208, 1}, {200, 3}, {200, 2}}) {
        EXPECT_EQ(press(key), 0);
        EXPECT_EQ(game::hilite, expected) << key;  // one press moves once, round at either end
    }
    EXPECT_EQ(press(57), 2);  // Space, one of the fire buttons
    EXPECT_EQ(game::hilite, 1);
    EXPECT_EQ(press(58), 1);  // Caps Lock, the last of them
}

TEST(VolumeKeys, HoldingDigitThreeSetsThreeFifthsOnce) {
    StartedGame game;
    auto& input = game.driver.input();
    rt::play_music("aud/ingame.mp3");
    auto& music = game.driver.music();
    music.events.clear();
    game::mastervolume = 1;

    input.press_key(4);  // "3" on the main keyboard
    for (int frame = 0; frame < 3; ++frame) {
        game::volume_keys();
        rt::present_frame();
    }
    EXPECT_DOUBLE_EQ(game::mastervolume, 0.6);
    EXPECT_EQ(volume_changes(music), std::vector<std::string>{"volume 600"});

    input.release_all_keys();
    input.press_key(11);  // "0": silent
    game::volume_keys();
    EXPECT_EQ(game::mastervolume, 0);
    input.press_key(81);  // keypad 3 as well: the higher level wins
    game::volume_keys();
    EXPECT_DOUBLE_EQ(game::mastervolume, 0.6);
    EXPECT_EQ(volume_changes(music), (std::vector<std::string>{"volume 600", "volume 0", "volume 600"}));
}

}  // namespace

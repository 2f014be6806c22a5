// The game's opening played through the real loop: the developer screens and
// the title (the part selection and the restart are walked in
// tests/game/test_autosave.cpp, damaged markers in tests/install/progress_test.cpp).
#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "runtime/audio/music.h"
#include "runtime/gfx/sprites.h"
#include "tests/support/game_driver.h"

namespace {

using testing_support::GameDriver;

constexpr int key_escape = 1;
constexpr long frame_limit = 5000;

bool title_music_playing() {
    return rt::music_state().music_open && rt::music_state().music_file == std::string_view("aud/title.mp3");
}

double slot_width(int slot) {
    double width = 0;
    double height = 0;
    rt::sprite_size(slot, width, height);
    return width;
}

std::string end_report(int error) { return "-End On Line\r\n" + std::to_string(error) + "\r\n"; }

TEST(FixedScreens, LogoAndTitleRunTheirFramesAndEscOnTheTitleEnds) {
    GameDriver driver;
    bool compo_clicked = false;
    double slept_before_logo = -1;
    int fade_in = 0;
    int fade_out = 0;
    double pulse_picture_width = 0;
    int pulse = 0;
    int waiting = 0;
    const auto outcome = driver.run([&](GameDriver& d) {
        const bool logo_started = !d.sound().events.empty();
        if (!logo_started) {  // the compo screen waits for a click
            if (!std::exchange(compo_clicked, true)) d.click_anywhere();
            return true;
        }
        if (slept_before_logo < 0) {
            slept_before_logo = d.clock().slept_ms();
            d.press_key(key_escape);  // held from here on: only the title's wait may act on it
        }
        const double slept = d.clock().slept_ms() - slept_before_logo;
        if (!title_music_playing()) {
            if (slept == 0) ++fade_in;
            else if (slept == 2000) ++fade_out;
            else ADD_FAILURE() << "slept " << slept << " ms";
            return true;
        }
        if (pulse_picture_width == 0) pulse_picture_width = slot_width(0);
        if (slot_width(0) == pulse_picture_width) ++pulse;
        else ++waiting;
        return d.frame() < frame_limit;
    });
    EXPECT_EQ(fade_in, 99);
    EXPECT_EQ(fade_out, 99);
    EXPECT_EQ(pulse, 300);
    EXPECT_EQ(waiting, 1);
    ASSERT_TRUE(outcome.program_ended);
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_NE(driver.error_log().find(end_report(0)), std::string::npos) << driver.error_log();
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>
#include <regex>

#include "platform/doubles/fake_window.h"
#include "platform/doubles/scripted_input.h"
#include "platform/services.h"
#include "runtime/core/clock.h"
#include "runtime/core/error_log.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/graphics_context.h"
#include "tests/support/headless.h"

namespace {

using platform::WindowEvent;
using platform::doubles::FakeWindow;
using platform::doubles::ProgramExit;
using platform::doubles::ScriptedInput;
using testing_support::read_file;

// The frame loop over a window without GL, a virtual clock and scripted keys.
class FrameLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = testing_support::install_test_services(temp_);
        auto window = std::make_unique<FakeWindow>();
        auto input = std::make_unique<ScriptedInput>();
        window_ = window.get();
        input_ = input.get();
        platform::services().window = std::move(window);
        platform::services().input = std::move(input);
        testing_support::install_quiet_audio();
        rt::runtime_settings() = rt::RuntimeSettings{};
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 0;
        rt::runtime_init("Marlowick", 10);
        services_.system->stdout_lines.clear();
    }

    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
    FakeWindow* window_ = nullptr;
    ScriptedInput* input_ = nullptr;
};

TEST_F(FrameLoopTest, PacingNeverRunsUnlimitedAndASlowFrameSkipsAheadInsteadOfBursting) {
    EXPECT_DOUBLE_EQ(rt::frame_time_ms(), 1.0);  // before the second frame
    for (const auto& [limit, interval] : {std::pair{0.0, 2.0}, {-30.0, 2.0}, {60.0, 1000.0 / 60}}) {
        rt::set_frame_limit(limit);
        EXPECT_NEAR(rt::graphics().frame_interval, interval, 0.001) << limit;
    }
    // Ten frames at the 2 ms cap take at least 18 ms; a frame is never reported as taking no time.
    rt::set_frame_limit(0);
    rt::swap_and_pace();
    const double start = rt::now_ms();
    for (int i = 0; i < 10; ++i) rt::swap_and_pace();
    EXPECT_GE(rt::now_ms() - start, 18.0);
    services_.clock->advance(100.0);
    EXPECT_GE(rt::swap_and_pace(), 1.0);

    rt::set_frame_limit(60);
    rt::swap_and_pace();
    services_.clock->advance(500.0);  // a frame that took 30 intervals
    rt::swap_and_pace();
    const double now = rt::now_ms();
    EXPECT_GT(rt::graphics().next_frame_due, now);
    EXPECT_LE(rt::graphics().next_frame_due, now + rt::graphics().frame_interval);
    EXPECT_GT(rt::swap_and_pace() - 1.0, 1.0);  // the frame after it waits for its due time again

    rt::set_frame_limit(50);
    for (int i = 0; i < 3; ++i) rt::present_frame();
    EXPECT_NEAR(rt::frame_time_ms(), 20.0, 1.0);
}

TEST_F(FrameLoopTest, DeactivationPausesOnlyOutsideDebugModeWithAutoPause) {
    window_->push_event(WindowEvent::deactivated);
    rt::pump_messages();
    EXPECT_TRUE(rt::runtime_state().paused);
    EXPECT_EQ(window_->title, "Marlowick <pause>");
    window_->push_event(WindowEvent::activated);
    rt::pump_messages();
    EXPECT_EQ(window_->title, "Marlowick");

    rt::set_auto_pause(0);
    window_->push_event(WindowEvent::deactivated);
    rt::pump_messages();
    EXPECT_FALSE(rt::runtime_state().paused);

    rt::set_auto_pause(1);
    rt::runtime_settings().debug_mode = 1;
    window_->push_event(WindowEvent::deactivated);
    rt::pump_messages();
    EXPECT_FALSE(rt::runtime_state().paused);
}

TEST_F(FrameLoopTest, EscapeEndsTheProgramWhileAllowed) {
    input_->held = {1};
    try {
        rt::present_frame();
        FAIL() << "the program went on";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
}

TEST_F(FrameLoopTest, EndReportHasTheExactBytesInDebugMode) {
    rt::runtime_settings().debug_mode = 1;
    rt::set_source_position(2, 42);
    rt::set_error_code(9);
    rt::set_source_position(1, 57);
    EXPECT_THROW(rt::terminate_program(), ProgramExit);
    EXPECT_EQ(read_file(temp_.path() / "ErrorLog.txt"), "-End On Line\r\n9\r\n41\r\n57\r\n1\r\n");
}

TEST_F(FrameLoopTest, NoEndReportOutsideDebugMode) {
    EXPECT_THROW(rt::end_program(), ProgramExit);
    EXPECT_FALSE(std::filesystem::exists(temp_.path() / "ErrorLog.txt"));
}

TEST_F(FrameLoopTest, ErrorLogIsDeletedAtStartAndAppendedWithCrLf) {
    rt::append_error_log("stale");
    rt::runtime_init("Marlowick", 10);
    rt::append_error_log("one");
    rt::append_error_log("two");
    EXPECT_EQ(read_file(temp_.path() / "ErrorLog.txt"), "one\r\ntwo\r\n");
}

// The real executable, headless: it starts, and a termination request ends
// it through the normal shutdown with the end report.
TEST(Executable, RunsHeadlessAndWritesTheEndReportWhenClosed) {
    testing_support::TempDir temp;
    const std::string out = (temp.path() / "stdout.txt").string();
    const std::string command = "TMPDIR=" + temp.path().string() +
                                " SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout -s TERM 3 " MARLOWICK_BIN_DIR
                                "/marlowick > " + out + " 2>&1";
    std::system(command.c_str());
    EXPECT_NE(read_file(out).find("Init OK"), std::string::npos) << read_file(out);
    // Headless, start-up may log devices it could not have first; the report
    // ends the log: a normal end (0), then the three positions.
    const std::string log = read_file(temp.path() / "ErrorLog.txt");
    EXPECT_TRUE(std::regex_search(log, std::regex("-End On Line\r\n0\r\n-?\\d+\r\n\\d+\r\n\\d+\r\n$"))) << log;
}

}  // namespace

namespace {

// Times at which frames are shown with one pacing loop, on a virtual clock
// whose reads cost 0.25 ms.
std::vector<double> frame_times(bool busy_wait, testing_support::TestServices& services) {
    rt::use_display_settings("", {std::nullopt, false, busy_wait});
    rt::set_frame_limit(60);
    rt::swap_and_pace();
    std::vector<double> times;
    for (int i = 0; i < 30; ++i) {
        services.clock->advance(i % 7);  // frames that take different times to draw
        rt::swap_and_pace();
        times.push_back(rt::graphics().next_frame_due - services.clock->now());
    }
    return times;
}

TEST_F(FrameLoopTest, SleepingWaitShowsFramesWhenTheBusyLoopWould) {
    const std::vector<double> busy = frame_times(true, services_);
    const double napped_before = services_.clock->napped_ms();
    const std::vector<double> sleeping = frame_times(false, services_);
    EXPECT_GT(services_.clock->napped_ms() - napped_before, 30 * 10.0);  // most of each interval slept
    ASSERT_EQ(busy.size(), sleeping.size());
    for (std::size_t i = 0; i < busy.size(); ++i) EXPECT_NEAR(busy[i], sleeping[i], 0.5) << "frame " << i;
}

TEST_F(FrameLoopTest, AltEnterTogglesFullScreenAndTheChoiceIsRemembered) {
    const std::string path = (temp_.path() / "config" / "settings.ini").string();
    rt::use_display_settings(path, {});
    window_->fullscreen_available = true;
    ASSERT_FALSE(rt::graphics().fullscreen);

    window_->push_event(WindowEvent::toggle_fullscreen_requested);
    rt::pump_messages();
    EXPECT_TRUE(rt::graphics().fullscreen);
    EXPECT_EQ(rt::read_display_settings(path).fullscreen, true);

    // Back to a window; a later start follows the choice over the game's request.
    window_->push_event(WindowEvent::toggle_fullscreen_requested);
    rt::pump_messages();
    EXPECT_FALSE(rt::graphics().fullscreen);
    rt::use_display_settings(path, {});
    EXPECT_FALSE(rt::chosen_fullscreen(true));
    // The command line overrides what was remembered.
    rt::use_display_settings(path, {true, false, false});
    EXPECT_TRUE(rt::chosen_fullscreen(false));
    rt::use_display_settings("", {});
}

TEST(DisplaySettingsFile, NonsenseReadsAsTheDefaults) {
    testing_support::TempDir temp;
    const std::string path = (temp.path() / "settings.ini").string();
    std::ofstream(path) << "[window]\r\nfullscreen=7\r\nwidth=-5\r\nheight=x\r\nscaling=huge\r\n";
    EXPECT_EQ(rt::read_display_settings(path), rt::DisplaySettings{});
    EXPECT_EQ(rt::read_display_settings((temp.path() / "missing.ini").string()), rt::DisplaySettings{});
}

}  // namespace

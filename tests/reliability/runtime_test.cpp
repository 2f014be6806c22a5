#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/doubles/fake_window.h"
#include "platform/doubles/scripted_input.h"
#include "platform/process_end.h"
#include "platform/services.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/archive_format.h"
#include "runtime/files/media_archive.h"
#include "runtime/files/media_problems.h"
#include "tests/support/headless.h"

namespace {

using platform::doubles::ProgramExit;

// The frame loop over a window without GL, outside debug mode so it can pause.
class RuntimeEnds : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = testing_support::install_test_services(temp_);
        auto window = std::make_unique<platform::doubles::FakeWindow>();
        window_ = window.get();
        platform::services().window = std::move(window);
        platform::services().input = std::make_unique<platform::doubles::ScriptedInput>();
        testing_support::install_quiet_audio();
        rt::runtime_settings() = rt::RuntimeSettings{};
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 0;
        rt::forget_media_problems();
    }
    void TearDown() override {
        platform::clear_quit_signal();
        std::filesystem::current_path(temp_.path().parent_path());  // the folder goes with the test
    }

    testing_support::TempDir temp_;
    testing_support::TestServices services_{};
    platform::doubles::FakeWindow* window_ = nullptr;
};

TEST_F(RuntimeEnds, NoWindowEndsWithTheReasonAndCodeOne) {
    window_->refusal = "Could not create GL context";
    try {
        rt::runtime_init("Marlowick", 10);
        FAIL() << "runtime_init carried on without a window";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    const std::string message = "Marlowick needs OpenGL: Could not create GL context";
    EXPECT_EQ(services_.system->stderr_lines, std::vector<std::string>{message});
    EXPECT_EQ(window_->error_boxes, std::vector<std::string>{message});
    EXPECT_NE(testing_support::read_file(temp_.path() / "ErrorLog.txt").find(message), std::string::npos);
}

TEST_F(RuntimeEnds, QuitSignalEndsThePauseLoop) {
    rt::runtime_init("Marlowick", 10);
    platform::install_quit_signal_handlers();
    window_->push_event(platform::WindowEvent::deactivated);
    rt::pump_messages();
    ASSERT_TRUE(rt::runtime_state().paused);
    // Delivered twice at once (to the process and its group): still one
    // orderly request, not the impatient second one that ends at once.
    std::raise(SIGHUP);
    std::raise(SIGTERM);
    try {
        rt::present_frame();
        FAIL() << "the pause loop did not end";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
}

// An archive whose one entry "good.png" holds a stream that does not unpack.
void write_damaged_archive(const std::filesystem::path& file) {
    rt::archive::Bytes data(200);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 37 + i / 7);
    auto bytes = rt::archive::build_archive({{"good.png", data}}, 0, rt::archive::OffsetBase::file_start);
    std::fill(bytes.begin() + 4, bytes.begin() + 12, 0xFF);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

TEST_F(RuntimeEnds, MediaProblemsAreNamedOnceWithTheirReason) {
    write_damaged_archive(temp_.path() / "media.gfx");
    rt::set_media_archives((temp_.path() / "media.gfx").string(), "media.aud");
    std::string path;
    EXPECT_FALSE(rt::resolve_media(rt::MediaMount::graphics, "gfx/good.png", path));
    EXPECT_FALSE(rt::resolve_media(rt::MediaMount::graphics, "gfx/good.png", path));
    EXPECT_FALSE(rt::resolve_media(rt::MediaMount::graphics, "gfx/absent.png", path));
    EXPECT_EQ(services_.system->stderr_lines,
              (std::vector<std::string>{"Media file gfx/good.png: damaged archive entry",
                                        "Media file gfx/absent.png: missing"}));
    const std::string log = testing_support::read_file(temp_.path() / "ErrorLog.txt");
    EXPECT_NE(log.find("Media file gfx/absent.png: missing\r\n"), std::string::npos) << log;
}

}  // namespace

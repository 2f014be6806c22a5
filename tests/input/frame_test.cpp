#include "platform/doubles/fake_window.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "tests/input/input_fixture.h"

namespace {

using platform::doubles::ProgramExit;

// Input as the frame loop sees it: the real runtime_init and present_frame
// over a window without GL.
class InputFrameTest : public input_tests::InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        auto window = std::make_unique<platform::doubles::FakeWindow>();
        window_ = window.get();
        platform::services().window = std::move(window);
        rt::runtime_settings() = rt::RuntimeSettings{};
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 0;
        rt::runtime_init("Marlowick", 10);
    }

    bool frame_ends_program() {
        try {
            rt::present_frame();
        } catch (const ProgramExit&) {
            return true;
        }
        return false;
    }

    platform::doubles::FakeWindow* window_ = nullptr;
};

TEST_F(InputFrameTest, AltF4EndsTheProgramWithEscapeQuittingOff) {
    rt::allow_escape_quit(0);
    input_->press_key(1);
    EXPECT_FALSE(frame_ends_program());
    input_->press_key(56);
    EXPECT_FALSE(frame_ends_program());
    input_->press_key(62);
    EXPECT_TRUE(frame_ends_program());
    EXPECT_EQ(platform::services().input, nullptr);  // devices released on the way out
    input_ = nullptr;
}

TEST_F(InputFrameTest, ReadsOutsideFramesPollTheDevicesAndLeaveWindowMessagesQueued) {
    window_->push_event(platform::WindowEvent::deactivated);
    const int polls = input_->polls;
    input_->press_key(57);
    EXPECT_EQ(rt::key_down(57), 1.0);
    EXPECT_TRUE(rt::any_mouse_button() == false);
    EXPECT_EQ(input_->polls, polls + 2);
    EXPECT_EQ(window_->events.size(), 1u);
    EXPECT_FALSE(rt::runtime_state().paused);
}

}  // namespace

#include "platform/doubles/test_system.h"
#include "runtime/core/error_log.h"
#include "runtime/core/frame_loop.h"
#include "tests/input/input_fixture.h"

namespace {

using input_tests::InputTest;
using platform::doubles::MouseButton;

TEST_F(InputTest, ExclusiveMouseMovesByTheFrameMovementAndRepeatsItWithinTheFrame) {
    start(true);
    EXPECT_TRUE(input_->relative);
    rt::set_mouse_position(100, 100);
    next_frame();
    input_->move_pointer_by(7, -3);
    const rt::MouseStateResult first = rt::mouse_state();
    EXPECT_EQ(rt::mouse_axis(0), 7.0);  // second read, same frame: same movement
    EXPECT_EQ(rt::mouse_axis(1), -3.0);
    EXPECT_EQ(first.x, 107.0);
    EXPECT_EQ(first.y, 97.0);

    // Movement after the first read belongs to the next frame: not applied twice, not lost.
    input_->move_pointer_by(5, 0);
    EXPECT_EQ(rt::mouse_state().x, 107.0);
    next_frame();
    EXPECT_EQ(rt::mouse_axis(0), 5.0);
    EXPECT_EQ(rt::mouse_state().x, 112.0);

    next_frame();
    EXPECT_EQ(rt::mouse_axis(0), 0.0);
}

TEST_F(InputTest, PositionPastTheEdgeIsClampedAndStaysClamped) {
    start(true);
    rt::set_mouse_position(630, 5);
    next_frame();
    input_->move_pointer_by(50, -20);
    const rt::MouseStateResult pushed = rt::mouse_state();
    EXPECT_EQ(pushed.x, 639.0);
    EXPECT_EQ(pushed.y, 0.0);
    EXPECT_EQ(rt::input_state().mouse_x, 639);

    // Moving back starts from the edge, not from the overshoot.
    next_frame();
    input_->move_pointer_by(-10, 0);
    EXPECT_EQ(rt::mouse_state().x, 629.0);
}

TEST_F(InputTest, SharedMouseFollowsThePointer) {
    start(false);
    EXPECT_FALSE(input_->relative);
    next_frame();
    input_->move_pointer_to(200, 150);
    const rt::MouseStateResult moved = rt::mouse_state();
    EXPECT_EQ(moved.x, 200.0);
    EXPECT_EQ(moved.y, 150.0);

    // A position set by the game holds until the next frame reads the pointer again.
    rt::set_mouse_position(10.7, 20);
    EXPECT_EQ(rt::mouse_state().x, 10.0);
    next_frame();
    EXPECT_EQ(rt::mouse_axis(0), 190.0);
    EXPECT_EQ(rt::mouse_state().x, 200.0);
}

TEST_F(InputTest, ButtonsAndWheel) {
    start(true);
    next_frame();
    EXPECT_FALSE(rt::any_mouse_button());
    input_->button_down(MouseButton::middle);
    EXPECT_TRUE(rt::any_mouse_button());
    EXPECT_EQ(rt::mouse_axis(5), 1.0);
    EXPECT_EQ(rt::mouse_axis(3), 0.0);
    EXPECT_EQ(rt::mouse_axis(6), 0.0);
    EXPECT_EQ(rt::mouse_axis(-1), 0.0);

    for (const auto& [clicks, wheel] : {std::pair{3, 1.0}, {-2, -1.0}, {0, 0.0}}) {
        next_frame();
        input_->scroll(clicks);
        EXPECT_EQ(rt::mouse_axis(2), wheel);
        EXPECT_EQ(rt::mouse_axis(2), wheel);
    }
}

TEST_F(InputTest, AQuickClickTakenInByAnotherReadReachesTheNextReadOfItsButton) {
    start(false);
    next_frame();
    // The game reads position and buttons, then the wheel; the click comes
    // in between and is over before the wheel's read returns.
    EXPECT_EQ(rt::mouse_state().left, 0.0);
    input_->click();
    EXPECT_EQ(rt::mouse_axis(2), 0.0);
    EXPECT_EQ(rt::mouse_axis(4), 0.0);
    next_frame();
    EXPECT_EQ(rt::mouse_state().left, 1.0);
    // Reported once: a wait for the release ends.
    EXPECT_EQ(rt::mouse_state().left, 0.0);

    input_->click();
    EXPECT_EQ(rt::mouse_axis(0), 0.0);
    EXPECT_EQ(rt::mouse_axis(3), 1.0);
    EXPECT_EQ(rt::mouse_axis(3), 0.0);
    EXPECT_FALSE(rt::any_mouse_button());
}

TEST_F(InputTest, ShowingThePointerLeavesRelativeModeWhereTheGamePointerWas) {
    start(true);
    rt::set_mouse_position(320, 240);
    rt::show_system_pointer(1);
    EXPECT_FALSE(input_->relative);
    ASSERT_TRUE(input_->last_warp.has_value());
    EXPECT_EQ(*input_->last_warp, std::pair(320, 240));

    input_->last_warp.reset();
    rt::show_system_pointer(1);  // no change, nothing done
    EXPECT_FALSE(input_->last_warp.has_value());
    rt::show_system_pointer(0);
    EXPECT_TRUE(input_->relative);
}

TEST_F(InputTest, ProgramEndRestoresThePointerAndReleasesTheDevices) {
    start(true);
    rt::set_mouse_position(33, 44);
    rt::release_input();
    EXPECT_FALSE(input_->relative);
    EXPECT_FALSE(input_->is_open);
    EXPECT_EQ(input_->last_warp, std::pair(33, 44));
}

TEST_F(InputTest, MissingDevicesAreLoggedAndTheProgramGoesOn) {
    input_->availability.mouse = false;
    start(true);
    EXPECT_EQ(status_, rt::no_exclusive_mouse);
    input_->availability = {true, false, true};
    start(true);
    EXPECT_EQ(status_, rt::no_keyboard);
    input_->availability.input_system = false;
    start(true);
    EXPECT_EQ(status_, rt::no_input_system);
    EXPECT_EQ(testing_support::read_file(rt::error_log_path()), "No DX_Mouse\r\nNo DX_KB\r\nNo DX_Input\r\n");

    // Still readable through the fallbacks.
    input_->press_key(1);
    EXPECT_EQ(rt::key_down(1), 1.0);
    next_frame();
    input_->move_pointer_by(4, 4);
    EXPECT_EQ(rt::mouse_axis(0), 4.0);

    // A shared mouse never asks for the exclusive one, so nothing is missing.
    input_->availability = {true, true, false};
    start(false);
    EXPECT_EQ(status_, rt::input_ready);
}

}  // namespace

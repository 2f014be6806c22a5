#include "runtime/input/joystick.h"

#include <tuple>

#include "tests/input/input_fixture.h"

namespace {

using platform::doubles::JoystickAxis;

class JoystickTest : public input_tests::InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        pad_ = input_->add_joystick("Pad 1", "Gamepad F310");
        wheel_ = input_->add_joystick("Wheel", "Racing Wheel", true);
        start();
    }
    int pad_ = 0;
    int wheel_ = 0;
};

TEST_F(JoystickTest, CountAndNamesOfAtMostTen) {
    EXPECT_EQ(rt::joystick_count(), 2.0);
    EXPECT_EQ(rt::joystick_name(0), "Pad 1, Gamepad F310");
    EXPECT_EQ(rt::joystick_name(1.5), "Wheel, Racing Wheel");
    EXPECT_EQ(rt::joystick_name(rt::joystick_count()), "");
    EXPECT_EQ(rt::joystick_name(-1), "");
    for (int i = 0; i < 12; ++i) input_->add_joystick("Stick", std::to_string(i));
    start();
    EXPECT_EQ(rt::joystick_count(), 10.0);
}

TEST_F(JoystickTest, AxesScaleToMinusOneToOne) {
    input_->set_axis(pad_, JoystickAxis::x, 32767);
    input_->set_axis(pad_, JoystickAxis::y, -32768);
    input_->set_axis(pad_, JoystickAxis::z, 16384);
    input_->set_axis(pad_, JoystickAxis::rz, -8192);
    EXPECT_EQ(rt::joystick_x(0), 1.0);
    EXPECT_EQ(rt::joystick_y(0), -1.0);  // clamped, not -1.00003
    EXPECT_NEAR(rt::joystick_z(0), 0.5, 1e-4);
    EXPECT_EQ(rt::joystick_rx(0), 0.0);
    EXPECT_NEAR(rt::joystick_rz(0), -0.25, 1e-4);
    EXPECT_EQ(rt::joystick_ry(1), 0.0);
    EXPECT_EQ(rt::joystick_x(7), 0.0);  // no such joystick
}

TEST_F(JoystickTest, HatGivesDirectionsOnlyForTheFourMainPoints) {
    const struct {
        std::uint32_t hat;
        double x, y;
    } cases[] = {{0, 0, -1}, {4500, 0, 0}, {9000, 1, 0}, {18000, 0, 1}, {27000, -1, 0}, {31500, 0, 0},
                 {platform::hat_centred, 0, 0}};
    for (const auto& c : cases) {
        input_->set_hat(pad_, c.hat);
        EXPECT_EQ(rt::joystick_hat_x(0), c.x) << c.hat;
        EXPECT_EQ(rt::joystick_hat_y(0), c.y) << c.hat;
    }
    EXPECT_EQ(rt::joystick_hat_y(5), 0.0);  // a missing joystick points nowhere
}

TEST_F(JoystickTest, StateOfJoystickZeroInWholeSteps) {
    input_->set_axis(pad_, JoystickAxis::x, 29999);
    input_->set_axis(pad_, JoystickAxis::y, -30000);
    input_->set_joystick_button(pad_, 1, true);
    const rt::JoystickStateResult state = rt::joystick_state();
    EXPECT_EQ(std::tie(state.x, state.y, state.button1, state.button2), std::make_tuple(0.0, -1.0, 0.0, 128.0));
}

TEST_F(JoystickTest, RumblePlaysAConstantForceOnlyWithForceFeedback) {
    rt::joystick_rumble_cmd(wheel_, 250, 0.6, -0.8);
    ASSERT_EQ(input_->rumbles.size(), 1u);
    const platform::RumbleEffect& effect = input_->rumbles[0].effect;
    EXPECT_EQ(input_->rumbles[0].index, wheel_);
    EXPECT_EQ(effect.direction_x, 19660);
    EXPECT_EQ(effect.direction_y, -26213);
    EXPECT_EQ(effect.magnitude, 5000);
    EXPECT_EQ(effect.duration_ms, 250);

    // Directions are clamped first: full force is 10000.
    rt::joystick_rumble_cmd(wheel_, 100, 3, -2);
    EXPECT_EQ(input_->rumbles.back().effect.magnitude, 10000);
    EXPECT_EQ(input_->rumbles.back().effect.direction_y, -32767);

    rt::joystick_rumble_cmd(pad_, 100, 1, 1);  // no force feedback
    rt::joystick_rumble_cmd(9, 100, 1, 1);     // no such joystick
    EXPECT_EQ(input_->rumbles.size(), 2u);
}

}  // namespace

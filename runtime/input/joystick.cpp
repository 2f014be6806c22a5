#include "runtime/input/joystick.h"

#include <algorithm>
#include <cmath>

#include "runtime/input/devices.h"
#include "runtime/input/input.h"

namespace rt {
namespace {

using input_detail::devices;
using input_detail::truncated;

enum Axis { axis_x, axis_y, axis_z, axis_rx, axis_ry, axis_rz };

constexpr std::uint32_t hat_right = 9000;
constexpr std::uint32_t hat_left = 27000;
constexpr std::uint32_t hat_up = 0;
constexpr std::uint32_t hat_down = 18000;
// joystick_state's whole steps: an axis counts once it is past this.
constexpr std::int32_t step_threshold = 30000;

platform::JoystickReport report_of(double n) {
    platform::JoystickReport report;
    read_joystick(truncated(n), report);
    return report;
}

double axis(double n, Axis which) {
    const double value = report_of(n).axes[which] / 32767.0;
    return std::clamp(value, -1.0, 1.0);
}

}  // namespace

bool read_joystick(int n, platform::JoystickReport& report) {
    platform::InputDevices* input = devices();
    if (input == nullptr || n < 0 || n >= input_state().joystick_count) return false;
    input->poll();
    return input->read_joystick(n, report);
}

void joystick_rumble(int n, int duration_ms, double x, double y) {
    platform::InputDevices* input = devices();
    if (input == nullptr || n < 0 || n >= input_state().joystick_count) return;
    const auto unit = [](double value) { return std::isnan(value) ? 0.0 : std::clamp(value, -1.0, 1.0); };
    x = unit(x);
    y = unit(y);
    platform::RumbleEffect effect;
    effect.direction_x = static_cast<int>(x * 32767.0);
    effect.direction_y = static_cast<int>(y * 32767.0);
    effect.magnitude = static_cast<int>(std::lround((x * x + y * y) * 10000.0 / 2.0));
    effect.duration_ms = duration_ms;
    input->rumble(n, effect);
}

double joystick_count() { return input_state().joystick_count; }

std::string joystick_name(double n) {
    const int index = truncated(n);
    if (index < 0 || index >= input_state().joystick_count) return {};
    return input_state().joystick_names[static_cast<std::size_t>(index)];
}

double joystick_x(double n) { return axis(n, axis_x); }
double joystick_y(double n) { return axis(n, axis_y); }
double joystick_z(double n) { return axis(n, axis_z); }
double joystick_rx(double n) { return axis(n, axis_rx); }
double joystick_ry(double n) { return axis(n, axis_ry); }
double joystick_rz(double n) { return axis(n, axis_rz); }

double joystick_hat_x(double n) {
    const std::uint32_t hat = report_of(n).hats[0];
    if (hat == hat_right) return 1.0;
    if (hat == hat_left) return -1.0;
    return 0.0;
}

double joystick_hat_y(double n) {
    const std::uint32_t hat = report_of(n).hats[0];
    if (hat == hat_up) return -1.0;
    if (hat == hat_down) return 1.0;
    return 0.0;
}

JoystickStateResult joystick_state() {
    const platform::JoystickReport report = report_of(0);
    return {static_cast<double>(report.axes[axis_x] / step_threshold),
            static_cast<double>(report.axes[axis_y] / step_threshold), static_cast<double>(report.buttons[0]),
            static_cast<double>(report.buttons[1])};
}

void joystick_rumble_cmd(double n, double duration_ms, double x, double y) {
    joystick_rumble(truncated(n), truncated(duration_ms), x, y);
}

platform::PadButtons pad_buttons() {
    platform::InputDevices* input = devices();
    if (input == nullptr) return {};
    input->poll();
    return input->pad_buttons();
}

}  // namespace rt

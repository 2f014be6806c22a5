#pragma once
#include <string>

#include "platform/input.h"

namespace rt {

// Reads joystick n; a missing one leaves the report as it was and gives false.
bool read_joystick(int n, platform::JoystickReport& report);
// Starts a constant force along (x, y) on a joystick with force feedback.
void joystick_rumble(int n, int duration_ms, double x, double y);

// Game commands. Axes read -1..1; hats -1, 0 or 1.
double joystick_count();
std::string joystick_name(double n);
double joystick_x(double n);
double joystick_y(double n);
double joystick_z(double n);
double joystick_rx(double n);
double joystick_ry(double n);
double joystick_rz(double n);
double joystick_hat_x(double n);
double joystick_hat_y(double n);

struct JoystickStateResult {
    double x = 0.0;
    double y = 0.0;
    double button1 = 0.0;
    double button2 = 0.0;
};
// Joystick 0 as whole steps: x and y are -1, 0 or 1.
JoystickStateResult joystick_state();
void joystick_rumble_cmd(double n, double duration_ms, double x, double y);

// The menu buttons held on any pad attached now (pads may come and go).
platform::PadButtons pad_buttons();

}  // namespace rt

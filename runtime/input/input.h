#pragma once

namespace rt {

// Per-frame refresh of the input devices (called by present_frame).
void refresh_input_devices();
// 1.0 while the key with this system scan code is held (code taken modulo 256).
double key_down(double code);
double any_key_down();

}  // namespace rt

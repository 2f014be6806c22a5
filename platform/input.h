#pragma once

namespace platform {

// Keyboard, mouse and joysticks. Keys are named by the system scan codes
// the game uses (1 Esc, 56 Left Alt, 62 F4, 200 cursor up, ...).
class InputDevices {
public:
    virtual ~InputDevices() = default;
    // Brings the device states up to date.
    virtual void poll() = 0;
    virtual bool key_held(int scan_code) const = 0;
    virtual bool any_key_held() const = 0;
};

}  // namespace platform

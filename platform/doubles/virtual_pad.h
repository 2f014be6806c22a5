#pragma once
#include <memory>

namespace platform::doubles {

// A game controller that SDL itself simulates: it arrives and leaves through
// SDL's own device events and its buttons read like a real pad's. Needs the
// SDL input devices to be open (they start SDL's joystick support).
class VirtualPad {
public:
    enum class Button { south, east, back, start, dpad_up, dpad_down };

    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // False when this SDL cannot simulate devices.
    bool plugged_in() const;
    void plug_in();
    void unplug();
    void set(Button button, bool down);
    // Moves the left stick up (-1), to the centre (0) or down (1).
    void push_stick(int direction);

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

}  // namespace platform::doubles

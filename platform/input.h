#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace platform {

// Keys are named by the system scan codes the game uses (1 Esc, 2-11 the
// digit row, 28 Return, 56 Left Alt, 62 F4, 200 cursor up, ...), 0..255.
inline constexpr int key_code_count = 256;
// One byte per scan code; the high bit is set while the key is held.
using KeyStates = std::array<std::uint8_t, key_code_count>;
inline constexpr std::uint8_t key_held_bit = 0x80;

inline constexpr int max_joysticks = 10;

// What could be had when the devices were started.
struct InputAvailability {
    bool input_system = false;  // the system's input service as a whole
    bool keyboard = false;
    bool mouse = false;         // the exclusive (relative) mouse, when it was asked for
};

// The system pointer as it is now.
struct PointerState {
    int x = 0;  // client pixels of the game window
    int y = 0;
    bool left = false;
    bool right = false;
    bool middle = false;
};

// Movement gathered since it was last taken.
struct MouseMotion {
    int dx = 0;
    int dy = 0;
    int wheel = 0;  // clicks; positive = away from the user
};

inline constexpr std::uint32_t hat_centred = 0xFFFFFFFFu;

// One joystick's state in the classic device layout.
struct JoystickReport {
    std::array<std::int32_t, 6> axes{};  // X, Y, Z, Rx, Ry, Rz in -32768..32767
    std::array<std::int32_t, 2> sliders{};
    // Hundredths of a degree clockwise from up; hat_centred when released.
    std::array<std::uint32_t, 4> hats{hat_centred, hat_centred, hat_centred, hat_centred};
    std::array<std::uint8_t, 32> buttons{};  // 0x80 while down
};

// What a menu needs of the pads held now: game controllers by their layout
// (D-pad or left stick, south, east or back, start), plain joysticks by their
// first hat or stick and their first two buttons.
struct PadButtons {
    bool up = false;
    bool down = false;
    bool choose = false;  // south (A / Cross); a plain joystick's first button
    bool back = false;    // east (B / Circle) or back; a plain joystick's second button
    bool start = false;
    int pads = 0;  // attached now
    bool operator==(const PadButtons&) const = default;
};

// A constant force pushing along (x, y).
struct RumbleEffect {
    int direction_x = 0;  // -32767..32767
    int direction_y = 0;
    int magnitude = 0;    // 0..10000
    int duration_ms = 0;
};

// Keyboard, mouse and joysticks.
//
// Device state is read, not queued: poll() takes every key, pointer and
// joystick event off the system queue (so it never fills up) and leaves
// window messages queued for the frame loop.
class InputDevices {
public:
    virtual ~InputDevices() = default;

    // Starts the devices after the window exists. With exclusive_mouse the
    // pointer is hidden and the mouse reports relative movement.
    virtual InputAvailability open(bool exclusive_mouse) = 0;
    // Shows the pointer again and releases every device.
    virtual void close() = 0;

    // A frame is about to be shown.
    virtual void frame_started() = 0;
    // Brings the device states up to date.
    virtual void poll() = 0;

    virtual KeyStates key_states() const = 0;
    // The character the key gives under the current keyboard layout and
    // modifiers, 0 when it gives none.
    virtual int key_character(int scan_code) const = 0;

    virtual PointerState pointer() const = 0;
    virtual MouseMotion take_mouse_motion() = 0;
    // On: relative movement with the pointer hidden. Off: the arrow pointer
    // shown, absolute position. False when the mode cannot be had.
    virtual bool set_relative_mouse(bool on) = 0;
    virtual void warp_pointer(int x, int y) = 0;

    // Joysticks found when the devices were started, in enumeration order.
    virtual int joystick_count() const = 0;
    // "instance name, product name".
    virtual std::string joystick_name(int index) const = 0;
    virtual bool read_joystick(int index, JoystickReport& report) = 0;
    // Plays the force on a joystick that has force feedback; false otherwise.
    virtual bool rumble(int index, const RumbleEffect& effect) = 0;

    // Every pad attached now, including those plugged in while the program
    // runs (the joystick list above stays as it was found at the start).
    virtual PadButtons pad_buttons() { return {}; }
};

// The scan-code mapping of the SDL backend, for checks: the SDL scancode a
// scan code stands for (0 when none) and SDL's name of that key ("" when none).
int sdl_scancode_of(int scan_code);
std::string sdl_key_name(int scan_code);

}  // namespace platform

#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/input.h"

namespace rt {

inline constexpr int max_joysticks = platform::max_joysticks;
// Longest joystick name kept, in bytes.
inline constexpr std::size_t joystick_name_limit = 521;

struct MouseButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
};
inline constexpr MouseButtons all_buttons{true, true, true};

// Keyboard, mouse and joystick state of the process.
struct InputState {
    std::int32_t mouse_x = 100;  // client pixels
    std::int32_t mouse_y = 100;
    bool direct_input = false;   // the system's input service could be had
    bool keyboard = false;
    bool mouse = false;          // the exclusive mouse device
    std::int32_t joystick_count = 0;
    std::array<std::string, max_joysticks> joystick_names;
    platform::KeyStates key_state{};  // last polled; high bit = held
    bool system_pointer = true;       // pointer shown, mouse shared
    bool new_frame = true;            // the next mouse read takes the frame's movement
    std::int16_t last_dx = 0;
    std::int16_t last_dy = 0;
    std::int16_t last_wheel = 0;
    int last_typed = 0;               // for repeat suppression of typed characters
    MouseButtons unreported;          // held at a read that did not report them
};

InputState& input_state();

// init_input results: 1, or the last device that could not be had.
inline constexpr std::uint32_t input_ready = 1;
inline constexpr std::uint32_t no_input_system = 0x8000000A;
inline constexpr std::uint32_t no_keyboard = 0x8000000B;
inline constexpr std::uint32_t no_exclusive_mouse = 0x8000000C;

// Starts the devices (after the window exists). A device that cannot be had
// is written to the error log and left out; the program goes on.
std::uint32_t init_input(bool exclusive_mouse);
// Opens a new input frame and polls the keyboard (present_frame).
void refresh_input_devices();
// Restores the pointer and releases every device (program end).
void release_input();

// What one mouse read reports.
struct MouseReport {
    bool left = false;
    bool right = false;
    bool middle = false;
    std::int16_t dx = 0;
    std::int16_t dy = 0;
    std::int16_t wheel = 0;  // -1, 0 or 1
};

void poll_keyboard();
// The first read of a frame takes the frame's movement; later reads in the
// same frame repeat it. A button held at a read that does not report it
// counts as held at the next read that does, so a quick click is never
// taken in by a read of the wheel and lost to the read of the buttons.
// False (and an empty report) without devices.
bool read_mouse(MouseReport& report, MouseButtons reported);
// The character just typed, 0 when none; a held key counts once.
int read_typed_char_impl();

// Game commands.
double key_down(double code);
double any_key_down();

struct MouseStateResult {
    double x = 0.0;
    double y = 0.0;
    double left = 0.0;
    double right = 0.0;
};
MouseStateResult mouse_state();
double mouse_axis(double n);
void show_system_pointer(double on);
void set_mouse_position(double x, double y);
std::string read_typed_char();
bool any_key_typed();
bool any_mouse_button();

}  // namespace rt

#include "runtime/input/input.h"

#include <algorithm>
#include <cmath>

#include "runtime/core/error_log.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/input/devices.h"
#include "runtime/input/key_codes.h"

namespace rt {
namespace {

using input_detail::devices;
using input_detail::truncated;

// Ctrl, both Shifts, Alt, Caps Lock, Num Lock and Applications type nothing.
constexpr int silent_keys[] = {29, keys::left_shift, keys::right_shift, keys::left_alt, 58, 69, 221};

std::int16_t to_int16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(value, INT16_MIN, INT16_MAX));
}

int sign(int value) { return (value > 0) - (value < 0); }

bool held(int code) { return (input_state().key_state[static_cast<std::size_t>(code)] & platform::key_held_bit) != 0; }

std::uint32_t start_keyboard_and_mouse(const platform::InputAvailability& available, bool exclusive_mouse) {
    InputState& state = input_state();
    std::uint32_t status = input_ready;
    state.keyboard = available.keyboard;
    if (!state.keyboard) {
        append_error_log("No DX_KB");
        status = no_keyboard;
    }
    if (exclusive_mouse) {
        state.mouse = available.mouse;
        if (!state.mouse) {
            append_error_log("No DX_Mouse");
            status = no_exclusive_mouse;
        }
    }
    return status;
}

void list_joysticks(const platform::InputDevices& input) {
    InputState& state = input_state();
    state.joystick_count = std::min(input.joystick_count(), max_joysticks);
    for (int n = 0; n < state.joystick_count; ++n) {
        std::string name = input.joystick_name(n);
        if (name.size() > joystick_name_limit) name.resize(joystick_name_limit);
        state.joystick_names[static_cast<std::size_t>(n)] = std::move(name);
    }
}

// The movement of this frame: relative device movement while the pointer is
// hidden, the pointer's own change while it is shown.
void take_frame_motion(platform::InputDevices& input, const platform::PointerState& pointer) {
    InputState& state = input_state();
    const platform::MouseMotion motion = input.take_mouse_motion();
    int dx = motion.dx;
    int dy = motion.dy;
    if (state.system_pointer) {
        dx = pointer.x - state.mouse_x;
        dy = pointer.y - state.mouse_y;
        state.mouse_x = pointer.x;
        state.mouse_y = pointer.y;
    } else {
        state.mouse_x += dx;
        state.mouse_y += dy;
    }
    state.last_dx = to_int16(dx);
    state.last_dy = to_int16(dy);
    state.last_wheel = static_cast<std::int16_t>(sign(motion.wheel));
}

// What a held key types, 0 for nothing.
int typed_by(int code, const platform::InputDevices& input) {
    if (code == keys::return_key || code == keys::keypad_enter) return 10;
    if (code == keys::backspace) return 8;
    if (std::ranges::find(silent_keys, code) != std::end(silent_keys)) return 0;
    const int character = input.key_character(code);
    if (character < 32 && character != 8 && character != 10) return 0;
    return character;
}

}  // namespace

InputState& input_state() {
    static InputState state;
    return state;
}

std::uint32_t init_input(bool exclusive_mouse) {
    InputState& state = input_state();
    state = InputState{};
    state.system_pointer = !exclusive_mouse;
    platform::InputDevices* input = devices();
    const platform::InputAvailability available = input != nullptr ? input->open(exclusive_mouse)
                                                                   : platform::InputAvailability{};
    state.direct_input = available.input_system;
    std::uint32_t status = input_ready;
    if (!state.direct_input) {
        append_error_log("No DX_Input");
        status = no_input_system;
    }
    if (input == nullptr) return status;

    const platform::PointerState pointer = input->pointer();
    state.mouse_x = pointer.x;
    state.mouse_y = pointer.y;
    if (state.direct_input) status = start_keyboard_and_mouse(available, exclusive_mouse);
    list_joysticks(*input);
    return status;
}

void refresh_input_devices() {
    input_state().new_frame = true;
    if (platform::InputDevices* input = devices()) input->frame_started();
    poll_keyboard();
}

void release_input() {
    InputState& state = input_state();
    if (platform::InputDevices* input = devices()) {
        if (!state.system_pointer && state.mouse) {
            input->set_relative_mouse(false);
            input->warp_pointer(state.mouse_x, state.mouse_y);
        }
        input->close();
    }
    state = InputState{};
}

void poll_keyboard() {
    platform::InputDevices* input = devices();
    if (input == nullptr) return;
    input->poll();
    input_state().key_state = input->key_states();
}

bool read_mouse(MouseReport& report, MouseButtons reported) {
    report = MouseReport{};
    platform::InputDevices* input = devices();
    if (input == nullptr) return false;
    InputState& state = input_state();
    input->poll();
    // One read of the pointer for position and buttons: a quick click is
    // reported by the read that comes first.
    const platform::PointerState pointer = input->pointer();
    if (state.new_frame) {
        state.new_frame = false;
        take_frame_motion(*input, pointer);
    }
    report.dx = state.last_dx;
    report.dy = state.last_dy;
    report.wheel = state.last_wheel;
    const auto take = [](bool held, bool& unreported, bool is_reported) {
        const bool seen = held || unreported;
        unreported = is_reported ? false : seen;
        return is_reported && seen;
    };
    report.left = take(pointer.left, state.unreported.left, reported.left);
    report.right = take(pointer.right, state.unreported.right, reported.right);
    report.middle = take(pointer.middle, state.unreported.middle, reported.middle);
    return true;
}

int read_typed_char_impl() {
    poll_keyboard();
    InputState& state = input_state();
    const platform::InputDevices* input = devices();
    int typed = 0;
    for (int code = 0; input != nullptr && code < platform::key_code_count - 1 && typed == 0; ++code) {
        if (held(code)) typed = typed_by(code, *input);
    }
    if (typed == 0) {
        state.last_typed = 0;
        return 0;
    }
    if ((held(keys::left_shift) || held(keys::right_shift)) && typed >= 'a' && typed <= 'z') typed += 'A' - 'a';
    if (typed == state.last_typed) return 0;
    state.last_typed = typed;
    return typed;
}

double key_down(double code) {
    poll_keyboard();
    const double whole = std::trunc(code);
    if (!std::isfinite(whole)) return 0.0;
    double index = std::fmod(whole, 256.0);
    if (index < 0.0) index += 256.0;
    return held(static_cast<int>(index)) ? 1.0 : 0.0;
}

double any_key_down() {
    poll_keyboard();
    const platform::KeyStates& keys = input_state().key_state;
    const bool any = std::ranges::any_of(keys, [](std::uint8_t key) { return (key & platform::key_held_bit) != 0; });
    return any ? 1.0 : 0.0;
}

MouseStateResult mouse_state() {
    MouseReport report;
    read_mouse(report, {.left = true, .right = true});
    InputState& state = input_state();
    if (has_graphics_context()) {
        const GraphicsContext& screen = graphics();
        state.mouse_x = std::clamp(state.mouse_x, 0, std::max(0, screen.width - 1));
        state.mouse_y = std::clamp(state.mouse_y, 0, std::max(0, screen.height - 1));
    }
    return {static_cast<double>(state.mouse_x), static_cast<double>(state.mouse_y), report.left ? 1.0 : 0.0,
            report.right ? 1.0 : 0.0};
}

double mouse_axis(double n) {
    const int axis = truncated(n);
    MouseReport report;
    if (!read_mouse(report, {.left = axis == 3, .right = axis == 4, .middle = axis == 5})) return 0.0;
    switch (axis) {
    case 0: return report.dx;
    case 1: return report.dy;
    case 2: return report.wheel;
    case 3: return report.left ? 1.0 : 0.0;
    case 4: return report.right ? 1.0 : 0.0;
    case 5: return report.middle ? 1.0 : 0.0;
    default: return 0.0;
    }
}

void show_system_pointer(double on) {
    InputState& state = input_state();
    const bool show = on != 0.0;
    if (state.system_pointer == show) return;
    state.system_pointer = show;
    platform::InputDevices* input = devices();
    if (input == nullptr) return;
    if (state.mouse) input->set_relative_mouse(!show);
    // The arrow appears where the game's own pointer was.
    if (show) input->warp_pointer(state.mouse_x, state.mouse_y);
}

void set_mouse_position(double x, double y) {
    InputState& state = input_state();
    state.mouse_x = truncated(x);
    state.mouse_y = truncated(y);
}

std::string read_typed_char() {
    const int typed = read_typed_char_impl();
    return typed == 0 ? std::string{} : std::string(1, static_cast<char>(typed));
}

bool any_key_typed() { return read_typed_char_impl() != 0; }

bool any_mouse_button() {
    MouseReport report;
    read_mouse(report, all_buttons);
    return report.left || report.right || report.middle;
}

}  // namespace rt

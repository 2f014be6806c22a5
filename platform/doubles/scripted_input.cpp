#include "platform/doubles/scripted_input.h"

#include <iterator>

namespace platform::doubles {
namespace {

// The unshifted characters of a US keyboard, by scan code.
constexpr std::pair<int, char> us_layout[] = {
    {2, '1'},  {3, '2'},  {4, '3'},  {5, '4'},  {6, '5'},  {7, '6'},  {8, '7'},  {9, '8'},  {10, '9'}, {11, '0'},
    {12, '-'}, {13, '='}, {15, '\t'}, {16, 'q'}, {17, 'w'}, {18, 'e'}, {19, 'r'}, {20, 't'}, {21, 'y'},
    {22, 'u'}, {23, 'i'}, {24, 'o'}, {25, 'p'}, {26, '['}, {27, ']'}, {30, 'a'}, {31, 's'}, {32, 'd'},
    {33, 'f'}, {34, 'g'}, {35, 'h'}, {36, 'j'}, {37, 'k'}, {38, 'l'}, {39, ';'}, {40, '\''}, {41, '`'},
    {43, '\\'}, {44, 'z'}, {45, 'x'}, {46, 'c'}, {47, 'v'}, {48, 'b'}, {49, 'n'}, {50, 'm'}, {51, ','},
    {52, '.'}, {53, '/'}, {55, '*'},  {57, ' '}, {74, '-'}, {78, '+'}, {181, '/'}, {1, '\x1b'},
};

}  // namespace

ScriptedInput::ScriptedInput() {
    for (const auto& [code, character] : us_layout) layout_[code] = character;
}

InputAvailability ScriptedInput::open(bool exclusive_mouse) {
    is_open = true;
    InputAvailability result = availability;
    if (!result.input_system) result.keyboard = result.mouse = false;
    result.mouse = result.mouse && exclusive_mouse;
    relative = result.mouse;
    return result;
}

void ScriptedInput::close() {
    is_open = false;
    relative = false;
}

void ScriptedInput::frame_started() {
    ++frames;
    if (!steps_.empty()) {
        const auto step = std::move(steps_.front());
        steps_.pop_front();
        step(*this);
    }
    if (on_frame) on_frame(*this);
}

KeyStates ScriptedInput::key_states() const {
    KeyStates states{};
    for (const int code : held) {
        if (code >= 0 && code < key_code_count) states[static_cast<std::size_t>(code)] = key_held_bit;
    }
    for (auto tap = taps_.begin(); tap != taps_.end();) {
        if (tap->first >= 0 && tap->first < key_code_count) states[static_cast<std::size_t>(tap->first)] = key_held_bit;
        tap = --tap->second > 0 ? std::next(tap) : taps_.erase(tap);
    }
    return states;
}

int ScriptedInput::key_character(int scan_code) const {
    const auto found = layout_.find(scan_code);
    return found == layout_.end() ? 0 : found->second;
}

bool ScriptedInput::set_relative_mouse(bool on) {
    if (!availability.mouse) return false;
    relative = on;
    return true;
}

void ScriptedInput::warp_pointer(int x, int y) {
    last_warp = std::pair{x, y};
    pointer_.x = x;
    pointer_.y = y;
}

void ScriptedInput::move_pointer_to(int x, int y) { move_pointer_by(x - pointer_.x, y - pointer_.y); }

void ScriptedInput::move_pointer_by(int dx, int dy) {
    pointer_.x += dx;
    pointer_.y += dy;
    motion_.dx += dx;
    motion_.dy += dy;
}

void ScriptedInput::set_button(MouseButton button, bool down) {
    switch (button) {
    case MouseButton::left: pointer_.left = down; break;
    case MouseButton::right: pointer_.right = down; break;
    case MouseButton::middle: pointer_.middle = down; break;
    }
}

int ScriptedInput::add_joystick(std::string instance_name, std::string product_name, bool force_feedback) {
    joysticks_.push_back({instance_name + ", " + product_name, force_feedback, JoystickReport{}});
    return static_cast<int>(joysticks_.size()) - 1;
}

ScriptedInput::Joystick* ScriptedInput::joystick(int index) {
    if (index < 0 || index >= static_cast<int>(joysticks_.size())) return nullptr;
    return &joysticks_[static_cast<std::size_t>(index)];
}

void ScriptedInput::set_axis(int index, JoystickAxis axis, int value) {
    if (Joystick* stick = joystick(index)) stick->report.axes[static_cast<std::size_t>(axis)] = value;
}

void ScriptedInput::set_hat(int index, std::uint32_t hundredths) {
    if (Joystick* stick = joystick(index)) stick->report.hats[0] = hundredths;
}

void ScriptedInput::set_joystick_button(int index, int button, bool down) {
    Joystick* stick = joystick(index);
    if (stick == nullptr || button < 0 || button >= static_cast<int>(stick->report.buttons.size())) return;
    stick->report.buttons[static_cast<std::size_t>(button)] = down ? 0x80 : 0;
}

std::string ScriptedInput::joystick_name(int index) const {
    if (index < 0 || index >= static_cast<int>(joysticks_.size())) return {};
    return joysticks_[static_cast<std::size_t>(index)].name;
}

bool ScriptedInput::read_joystick(int index, JoystickReport& report) {
    const Joystick* stick = joystick(index);
    if (stick == nullptr) return false;
    report = stick->report;
    return true;
}

bool ScriptedInput::rumble(int index, const RumbleEffect& effect) {
    const Joystick* stick = joystick(index);
    if (stick == nullptr || !stick->force_feedback) return false;
    rumbles.push_back({index, effect});
    return true;
}

}  // namespace platform::doubles

#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/input.h"

namespace platform::doubles {

enum class MouseButton { left, right, middle };
enum class JoystickAxis { x, y, z, rx, ry, rz };

// Input devices a test (or an automated playthrough) drives by hand or frame
// by frame: keys by scan code, a pointer in client pixels, mouse buttons and
// wheel, and joysticks. Typed characters follow a US layout unless changed.
class ScriptedInput final : public InputDevices {
public:
    ScriptedInput();

    // InputDevices
    InputAvailability open(bool exclusive_mouse) override;
    void close() override;
    void frame_started() override;
    void poll() override { ++polls; }
    KeyStates key_states() const override;
    int key_character(int scan_code) const override;
    // A click lasts for one read of the pointer: the button is down for that
    // read and up afterwards, as a quick real click seen by a polling game.
    PointerState pointer() const override {
        const PointerState seen = pointer_;
        if (click_pending_) {
            click_pending_ = false;
            pointer_.left = false;
        }
        return seen;
    }
    MouseMotion take_mouse_motion() override { return std::exchange(motion_, MouseMotion{}); }
    bool set_relative_mouse(bool on) override;
    void warp_pointer(int x, int y) override;
    int joystick_count() const override { return static_cast<int>(joysticks_.size()); }
    std::string joystick_name(int index) const override;
    bool read_joystick(int index, JoystickReport& report) override;
    bool rumble(int index, const RumbleEffect& effect) override;
    PadButtons pad_buttons() override {
        if (!pad_plugged) return {};
        PadButtons held = pad;
        held.pads = 1;
        return held;
    }

    // Keyboard.
    void press_key(int scan_code) { held.insert(scan_code); }
    void release_key(int scan_code) { held.erase(scan_code); }
    void release_all_keys() { held.clear(); }
    // A quick press: the key is reported held for the next `reads` reads of
    // the key states, then up. A game that polls several keys in turn needs
    // enough reads to reach the one it asks for; its wait for the release
    // uses up the rest.
    void tap_key(int scan_code, int reads = 1) { taps_[scan_code] = reads; }
    // What the layout gives for a key (0: nothing).
    void set_key_character(int scan_code, int character) { layout_[scan_code] = character; }

    // Mouse. Moving the pointer also counts as movement of the device.
    void move_pointer_to(int x, int y);
    void move_pointer_by(int dx, int dy);
    void button_down(MouseButton button) { set_button(button, true); }
    void button_up(MouseButton button) { set_button(button, false); }
    void scroll(int clicks) { motion_.wheel += clicks; }
    void click() {
        pointer_.left = true;
        click_pending_ = true;
    }

    // Joysticks; add_joystick returns the new index.
    int add_joystick(std::string instance_name, std::string product_name, bool force_feedback = false);
    void set_axis(int index, JoystickAxis axis, int value);
    void set_hat(int index, std::uint32_t hundredths);
    void set_joystick_button(int index, int button, bool down);

    // A pad, plugged in or not, and the buttons held on it.
    bool pad_plugged = false;
    PadButtons pad;

    // Frame by frame: each step runs when the next frame starts, in order.
    void queue_frame(std::function<void(ScriptedInput&)> step) { steps_.push_back(std::move(step)); }
    // Runs at the start of every frame, after any queued step: an automated player.
    std::function<void(ScriptedInput&)> on_frame;
    bool script_done() const { return steps_.empty(); }

    // What the devices were asked to do.
    struct Rumble {
        int index;
        RumbleEffect effect;
    };
    InputAvailability availability{true, true, true};
    std::set<int> held;  // scan codes held now
    int polls = 0;
    int frames = 0;
    bool is_open = false;
    bool relative = false;
    std::optional<std::pair<int, int>> last_warp;
    std::vector<Rumble> rumbles;

private:
    struct Joystick {
        std::string name;
        bool force_feedback = false;
        JoystickReport report;
    };

    void set_button(MouseButton button, bool down);
    Joystick* joystick(int index);

    std::map<int, int> layout_;
    mutable std::map<int, int> taps_;  // scan code -> reads left
    mutable PointerState pointer_;
    mutable bool click_pending_ = false;
    MouseMotion motion_;
    std::vector<Joystick> joysticks_;
    std::deque<std::function<void(ScriptedInput&)>> steps_;
};

}  // namespace platform::doubles

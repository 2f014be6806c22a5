#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

struct ScanCodeEntry {
    int code;
    SDL_Scancode key;
};

// Every system scan code that names a key, with the SDL scancode of that key.
// Codes 0x00-0x58 are the keys of the main block (set 1 make codes); codes
// 0x9C and above are the extended (E0-prefixed) keys, shifted up by 0x80.
constexpr ScanCodeEntry scan_code_entries[] = {
    {0x01, SDL_SCANCODE_ESCAPE},
    {0x02, SDL_SCANCODE_1}, {0x03, SDL_SCANCODE_2}, {0x04, SDL_SCANCODE_3}, {0x05, SDL_SCANCODE_4},
    {0x06, SDL_SCANCODE_5}, {0x07, SDL_SCANCODE_6}, {0x08, SDL_SCANCODE_7}, {0x09, SDL_SCANCODE_8},
    {0x0A, SDL_SCANCODE_9}, {0x0B, SDL_SCANCODE_0},
    {0x0C, SDL_SCANCODE_MINUS}, {0x0D, SDL_SCANCODE_EQUALS}, {0x0E, SDL_SCANCODE_BACKSPACE},
    {0x0F, SDL_SCANCODE_TAB},
    {0x10, SDL_SCANCODE_Q}, {0x11, SDL_SCANCODE_W}, {0x12, SDL_SCANCODE_E}, {0x13, SDL_SCANCODE_R},
    {0x14, SDL_SCANCODE_T}, {0x15, SDL_SCANCODE_Y}, {0x16, SDL_SCANCODE_U}, {0x17, SDL_SCANCODE_I},
    {0x18, SDL_SCANCODE_O}, {0x19, SDL_SCANCODE_P},
    {0x1A, SDL_SCANCODE_LEFTBRACKET}, {0x1B, SDL_SCANCODE_RIGHTBRACKET}, {0x1C, SDL_SCANCODE_RETURN},
    {0x1D, SDL_SCANCODE_LCTRL},
    {0x1E, SDL_SCANCODE_A}, {0x1F, SDL_SCANCODE_S}, {0x20, SDL_SCANCODE_D}, {0x21, SDL_SCANCODE_F},
    {0x22, SDL_SCANCODE_G}, {0x23, SDL_SCANCODE_H}, {0x24, SDL_SCANCODE_J}, {0x25, SDL_SCANCODE_K},
    {0x26, SDL_SCANCODE_L},
    {0x27, SDL_SCANCODE_SEMICOLON}, {0x28, SDL_SCANCODE_APOSTROPHE}, {0x29, SDL_SCANCODE_GRAVE},
    {0x2A, SDL_SCANCODE_LSHIFT}, {0x2B, SDL_SCANCODE_BACKSLASH},
    {0x2C, SDL_SCANCODE_Z}, {0x2D, SDL_SCANCODE_X}, {0x2E, SDL_SCANCODE_C}, {0x2F, SDL_SCANCODE_V},
    {0x30, SDL_SCANCODE_B}, {0x31, SDL_SCANCODE_N}, {0x32, SDL_SCANCODE_M},
    {0x33, SDL_SCANCODE_COMMA}, {0x34, SDL_SCANCODE_PERIOD}, {0x35, SDL_SCANCODE_SLASH},
    {0x36, SDL_SCANCODE_RSHIFT}, {0x37, SDL_SCANCODE_KP_MULTIPLY}, {0x38, SDL_SCANCODE_LALT},
    {0x39, SDL_SCANCODE_SPACE}, {0x3A, SDL_SCANCODE_CAPSLOCK},
    {0x3B, SDL_SCANCODE_F1}, {0x3C, SDL_SCANCODE_F2}, {0x3D, SDL_SCANCODE_F3}, {0x3E, SDL_SCANCODE_F4},
    {0x3F, SDL_SCANCODE_F5}, {0x40, SDL_SCANCODE_F6}, {0x41, SDL_SCANCODE_F7}, {0x42, SDL_SCANCODE_F8},
    {0x43, SDL_SCANCODE_F9}, {0x44, SDL_SCANCODE_F10},
    {0x45, SDL_SCANCODE_NUMLOCKCLEAR}, {0x46, SDL_SCANCODE_SCROLLLOCK},
    {0x47, SDL_SCANCODE_KP_7}, {0x48, SDL_SCANCODE_KP_8}, {0x49, SDL_SCANCODE_KP_9},
    {0x4A, SDL_SCANCODE_KP_MINUS},
    {0x4B, SDL_SCANCODE_KP_4}, {0x4C, SDL_SCANCODE_KP_5}, {0x4D, SDL_SCANCODE_KP_6},
    {0x4E, SDL_SCANCODE_KP_PLUS},
    {0x4F, SDL_SCANCODE_KP_1}, {0x50, SDL_SCANCODE_KP_2}, {0x51, SDL_SCANCODE_KP_3},
    {0x52, SDL_SCANCODE_KP_0}, {0x53, SDL_SCANCODE_KP_PERIOD},
    {0x56, SDL_SCANCODE_NONUSBACKSLASH}, {0x57, SDL_SCANCODE_F11}, {0x58, SDL_SCANCODE_F12},
    {0x64, SDL_SCANCODE_F13}, {0x65, SDL_SCANCODE_F14}, {0x66, SDL_SCANCODE_F15},
    // Japanese and Brazilian keyboards.
    {0x70, SDL_SCANCODE_INTERNATIONAL2}, {0x73, SDL_SCANCODE_INTERNATIONAL1},
    {0x79, SDL_SCANCODE_INTERNATIONAL4}, {0x7B, SDL_SCANCODE_INTERNATIONAL5},
    {0x7D, SDL_SCANCODE_INTERNATIONAL3},
    {0x8D, SDL_SCANCODE_KP_EQUALS},
    // Extended keys.
    {0x90, SDL_SCANCODE_AUDIOPREV}, {0x95, SDL_SCANCODE_STOP}, {0x99, SDL_SCANCODE_AUDIONEXT},
    {0x9C, SDL_SCANCODE_KP_ENTER}, {0x9D, SDL_SCANCODE_RCTRL},
    {0xA0, SDL_SCANCODE_AUDIOMUTE}, {0xA1, SDL_SCANCODE_CALCULATOR}, {0xA2, SDL_SCANCODE_AUDIOPLAY},
    {0xA4, SDL_SCANCODE_AUDIOSTOP}, {0xAE, SDL_SCANCODE_VOLUMEDOWN}, {0xB0, SDL_SCANCODE_VOLUMEUP},
    {0xB2, SDL_SCANCODE_AC_HOME}, {0xB3, SDL_SCANCODE_KP_COMMA}, {0xB5, SDL_SCANCODE_KP_DIVIDE},
    {0xB7, SDL_SCANCODE_PRINTSCREEN},
    {0xB8, SDL_SCANCODE_RALT}, {0xC5, SDL_SCANCODE_PAUSE},
    {0xC7, SDL_SCANCODE_HOME}, {0xC8, SDL_SCANCODE_UP}, {0xC9, SDL_SCANCODE_PAGEUP},
    {0xCB, SDL_SCANCODE_LEFT}, {0xCD, SDL_SCANCODE_RIGHT}, {0xCF, SDL_SCANCODE_END},
    {0xD0, SDL_SCANCODE_DOWN}, {0xD1, SDL_SCANCODE_PAGEDOWN}, {0xD2, SDL_SCANCODE_INSERT},
    {0xD3, SDL_SCANCODE_DELETE},
    {0xDB, SDL_SCANCODE_LGUI}, {0xDC, SDL_SCANCODE_RGUI}, {0xDD, SDL_SCANCODE_APPLICATION},
    {0xDE, SDL_SCANCODE_POWER}, {0xDF, SDL_SCANCODE_SLEEP},
    {0xE5, SDL_SCANCODE_AC_SEARCH}, {0xE6, SDL_SCANCODE_AC_BOOKMARKS}, {0xE7, SDL_SCANCODE_AC_REFRESH},
    {0xE8, SDL_SCANCODE_AC_STOP}, {0xE9, SDL_SCANCODE_AC_FORWARD}, {0xEA, SDL_SCANCODE_AC_BACK},
    {0xEB, SDL_SCANCODE_COMPUTER}, {0xEC, SDL_SCANCODE_MAIL}, {0xED, SDL_SCANCODE_MEDIASELECT},
};

constexpr std::array<SDL_Scancode, key_code_count> make_scan_code_table() {
    std::array<SDL_Scancode, key_code_count> table{};
    for (const ScanCodeEntry& entry : scan_code_entries) table[static_cast<std::size_t>(entry.code)] = entry.key;
    return table;
}

constexpr auto sdl_scancode_for = make_scan_code_table();

constexpr std::size_t left_alt_code = 0x38;
constexpr std::size_t f4_code = 0x3E;

SDL_Scancode to_sdl(int scan_code) {
    if (scan_code < 0 || scan_code >= key_code_count) return SDL_SCANCODE_UNKNOWN;
    return sdl_scancode_for[static_cast<std::size_t>(scan_code)];
}

// The keypad gives digits and operators only while Num Lock is on.
int keypad_character(SDL_Keycode key, bool num_lock) {
    switch (key) {
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PLUS: return '+';
    default: break;
    }
    if (!num_lock) return 0;
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return '1' + static_cast<int>(key - SDLK_KP_1);
    if (key == SDLK_KP_0) return '0';
    if (key == SDLK_KP_PERIOD) return '.';
    return 0;
}

std::uint32_t hat_hundredths(Uint8 hat) {
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return hat_centred;
    }
}

struct JoystickCloser {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};
struct HapticCloser {
    void operator()(SDL_Haptic* haptic) const { SDL_HapticClose(haptic); }
};

struct GameControllerCloser {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};

struct Joystick {
    std::unique_ptr<SDL_Joystick, JoystickCloser> device;
    std::unique_ptr<SDL_Haptic, HapticCloser> haptic;  // null without force feedback
    int effect = -1;
    std::string name;
};

// A pad for the menus: a game controller where SDL knows its layout, else the
// plain joystick.
struct Pad {
    SDL_JoystickID id = -1;
    std::unique_ptr<SDL_GameController, GameControllerCloser> controller;
    std::unique_ptr<SDL_Joystick, JoystickCloser> joystick;
};

// Half way out counts as pushed.
constexpr Sint16 stick_pushed = 16384;

void add_held(PadButtons& held, SDL_GameController* pad) {
    const auto button = [pad](SDL_GameControllerButton which) { return SDL_GameControllerGetButton(pad, which) != 0; };
    const Sint16 stick_y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    held.up = held.up || button(SDL_CONTROLLER_BUTTON_DPAD_UP) || stick_y <= -stick_pushed;
    held.down = held.down || button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || stick_y >= stick_pushed;
    held.choose = held.choose || button(SDL_CONTROLLER_BUTTON_A);
    held.back = held.back || button(SDL_CONTROLLER_BUTTON_B) || button(SDL_CONTROLLER_BUTTON_BACK);
    held.start = held.start || button(SDL_CONTROLLER_BUTTON_START);
}

void add_held(PadButtons& held, SDL_Joystick* pad) {
    const Uint8 hat = SDL_JoystickNumHats(pad) > 0 ? SDL_JoystickGetHat(pad, 0) : SDL_HAT_CENTERED;
    const Sint16 stick_y = SDL_JoystickNumAxes(pad) > 1 ? SDL_JoystickGetAxis(pad, 1) : 0;
    held.up = held.up || (hat & SDL_HAT_UP) != 0 || stick_y <= -stick_pushed;
    held.down = held.down || (hat & SDL_HAT_DOWN) != 0 || stick_y >= stick_pushed;
    held.choose = held.choose || SDL_JoystickGetButton(pad, 0) != 0;
    held.back = held.back || SDL_JoystickGetButton(pad, 1) != 0;
}

// The window the runtime draws into: the one holding the current GL context.
SDL_Window* game_window() {
    if (SDL_Window* window = SDL_GL_GetCurrentWindow()) return window;
    return SDL_GetMouseFocus();
}

class SdlInput final : public InputDevices {
public:
    SdlInput() = default;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;
    ~SdlInput() override { close(); }

    InputAvailability open(bool exclusive_mouse) override {
        close();
        InputAvailability available;
        events_started_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
        // Keyboard and mouse state come from the video driver's window events.
        available.input_system = events_started_ && SDL_WasInit(SDL_INIT_VIDEO) != 0;
        available.keyboard = available.input_system;
        if (available.input_system && exclusive_mouse) available.mouse = set_relative_mouse(true);
        open_joysticks();
        // Pads arrive as device events, those attached now included.
        pads_started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        return available;
    }

    void close() override {
        if (relative_) set_relative_mouse(false);
        joysticks_.clear();
        pads_.clear();
        if (pads_started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        if (haptic_started_) SDL_QuitSubSystem(SDL_INIT_HAPTIC);
        if (joystick_started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        if (events_started_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
        pads_started_ = haptic_started_ = joystick_started_ = events_started_ = false;
        motion_ = {};
    }

    void frame_started() override {}

    void poll() override {
        if (!events_started_) return;
        SDL_PumpEvents();
        std::array<SDL_Event, 64> events{};
        for (;;) {
            const int count = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT,
                                             SDL_KEYDOWN, SDL_MULTIGESTURE);
            for (int i = 0; i < count; ++i) take(events[static_cast<std::size_t>(i)]);
            if (count < static_cast<int>(events.size())) break;
        }
    }

    KeyStates key_states() const override {
        KeyStates states{};
        int count = 0;
        const Uint8* held = SDL_GetKeyboardState(&count);
        for (int code = 0; code < key_code_count; ++code) {
            const SDL_Scancode key = sdl_scancode_for[static_cast<std::size_t>(code)];
            if (key != SDL_SCANCODE_UNKNOWN && key < count && held[key] != 0) {
                states[static_cast<std::size_t>(code)] = key_held_bit;
            }
        }
        if (quit_chord_pressed_) states[left_alt_code] = states[f4_code] = key_held_bit;
        return states;
    }

    int key_character(int scan_code) const override {
        const SDL_Scancode key = to_sdl(scan_code);
        if (key == SDL_SCANCODE_UNKNOWN) return 0;
        const SDL_Keymod mods = SDL_GetModState();
        const bool shift = (mods & KMOD_SHIFT) != 0;
        if (const int typed = typed_by_key_[key][shift ? 1 : 0]; typed != 0) return typed;
        const SDL_Keycode code = SDL_GetKeyFromScancode(key);
        if (code == SDLK_BACKSPACE) return 8;
        if (code == SDLK_TAB) return 9;
        if (code == SDLK_RETURN || code == SDLK_KP_ENTER) return 13;
        if (code == SDLK_ESCAPE) return 27;
        if (code >= 32 && code < 127) return static_cast<int>(code);
        return keypad_character(code, (mods & KMOD_NUM) != 0);
    }

    PointerState pointer() const override {
        PointerState state;
        int x = 0;
        int y = 0;
        // A press already released (a touchpad's tap, a quick click) counts
        // as held for this one read, so a game that polls once a frame sees it.
        const Uint32 buttons = SDL_GetMouseState(&x, &y) | std::exchange(pressed_since_read_, 0);
        const Point on_canvas = window_point_to_canvas(x, y);
        state.x = on_canvas.x;
        state.y = on_canvas.y;
        state.left = (buttons & SDL_BUTTON_LMASK) != 0;
        state.right = (buttons & SDL_BUTTON_RMASK) != 0;
        state.middle = (buttons & SDL_BUTTON_MMASK) != 0;
        return state;
    }

    MouseMotion take_mouse_motion() override { return std::exchange(motion_, MouseMotion{}); }

    bool set_relative_mouse(bool on) override {
        if (!events_started_) return false;
        if (SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE) != 0) return false;
        relative_ = on;
        if (!on) {
            SDL_SetCursor(SDL_GetDefaultCursor());
            SDL_ShowCursor(SDL_ENABLE);
        }
        return true;
    }

    void warp_pointer(int x, int y) override {
        const Point on_window = canvas_to_window_point(x, y);
        if (SDL_Window* window = game_window()) SDL_WarpMouseInWindow(window, on_window.x, on_window.y);
    }

    int joystick_count() const override { return static_cast<int>(joysticks_.size()); }

    std::string joystick_name(int index) const override {
        return valid(index) ? joysticks_[static_cast<std::size_t>(index)].name : std::string{};
    }

    bool read_joystick(int index, JoystickReport& report) override {
        if (!valid(index)) return false;
        SDL_Joystick* device = joysticks_[static_cast<std::size_t>(index)].device.get();
        SDL_JoystickUpdate();
        report = JoystickReport{};
        const int axes = std::min<int>(SDL_JoystickNumAxes(device), static_cast<int>(report.axes.size()));
        for (int i = 0; i < axes; ++i) report.axes[static_cast<std::size_t>(i)] = SDL_JoystickGetAxis(device, i);
        const int hats = std::min<int>(SDL_JoystickNumHats(device), static_cast<int>(report.hats.size()));
        for (int i = 0; i < hats; ++i) {
            report.hats[static_cast<std::size_t>(i)] = hat_hundredths(SDL_JoystickGetHat(device, i));
        }
        const int buttons = std::min<int>(SDL_JoystickNumButtons(device), static_cast<int>(report.buttons.size()));
        for (int i = 0; i < buttons; ++i) {
            if (SDL_JoystickGetButton(device, i) != 0) report.buttons[static_cast<std::size_t>(i)] = 0x80;
        }
        return true;
    }

    bool rumble(int index, const RumbleEffect& effect) override {
        if (!valid(index)) return false;
        Joystick& joystick = joysticks_[static_cast<std::size_t>(index)];
        SDL_Haptic* haptic = joystick.haptic.get();
        if (haptic == nullptr) return false;

        SDL_HapticEffect force{};
        force.type = SDL_HAPTIC_CONSTANT;
        force.constant.direction.type = SDL_HAPTIC_CARTESIAN;
        force.constant.direction.dir[0] = effect.direction_x;
        force.constant.direction.dir[1] = effect.direction_y;
        force.constant.length = static_cast<Uint32>(std::max(0, effect.duration_ms));
        force.constant.level = static_cast<Sint16>(std::lround(effect.magnitude * 32767.0 / 10000.0));
        if (joystick.effect >= 0) SDL_HapticDestroyEffect(haptic, joystick.effect);
        joystick.effect = SDL_HapticNewEffect(haptic, &force);
        return joystick.effect >= 0 && SDL_HapticRunEffect(haptic, joystick.effect, 1) == 0;
    }

    PadButtons pad_buttons() override {
        PadButtons held;
        held.pads = static_cast<int>(pads_.size());
        for (const Pad& pad : pads_) {
            if (pad.controller) add_held(held, pad.controller.get());
            if (pad.joystick) add_held(held, pad.joystick.get());
        }
        return held;
    }

private:
    void take(const SDL_Event& event) {
        switch (event.type) {
        case SDL_MOUSEMOTION: add_motion(event.motion.xrel, event.motion.yrel); break;
        case SDL_MOUSEBUTTONDOWN: pressed_since_read_ |= SDL_BUTTON(event.button.button); break;
        case SDL_MOUSEWHEEL:
            motion_.wheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            break;
        case SDL_KEYDOWN:
            // A tap of Alt+F4 may be over before the frame loop looks at the
            // keys; the press counts as held until the program has ended.
            if (event.key.keysym.scancode == SDL_SCANCODE_F4 && (event.key.keysym.mod & KMOD_LALT) != 0) {
                quit_chord_pressed_ = true;
            }
            last_key_down_ = event.key.keysym.scancode;
            last_key_shift_ = (event.key.keysym.mod & KMOD_SHIFT) != 0;
            break;
        case SDL_TEXTINPUT: learn_typed(event.text.text); break;
        case SDL_JOYDEVICEADDED: add_pad(event.jdevice.which); break;
        case SDL_JOYDEVICEREMOVED:
            std::erase_if(pads_, [&event](const Pad& pad) { return pad.id == event.jdevice.which; });
            break;
        default: break;
        }
    }

    // Movement in canvas pixels, so that crossing the picture on the screen
    // crosses the canvas; the fractions are kept for the next event.
    void add_motion(int dx, int dy) {
        const MotionScale scale = pointer_motion_scale();
        motion_remainder_x_ += dx * scale.x;
        motion_remainder_y_ += dy * scale.y;
        const double whole_x = std::trunc(motion_remainder_x_);
        const double whole_y = std::trunc(motion_remainder_y_);
        motion_remainder_x_ -= whole_x;
        motion_remainder_y_ -= whole_y;
        motion_.dx += static_cast<int>(whole_x);
        motion_.dy += static_cast<int>(whole_y);
    }

    // Remembers what the layout made of the last key, so that shifted keys
    // give the character the user sees on them.
    void learn_typed(const char* text) {
        if (last_key_down_ == SDL_SCANCODE_UNKNOWN || text[0] == '\0' || text[1] != '\0') return;
        const auto ch = static_cast<unsigned char>(text[0]);
        if (ch >= 32 && ch < 127) typed_by_key_[last_key_down_][last_key_shift_ ? 1 : 0] = ch;
        last_key_down_ = SDL_SCANCODE_UNKNOWN;
    }

    void open_joysticks() {
        joystick_started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        if (!joystick_started_) return;
        haptic_started_ = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
        const int found = SDL_NumJoysticks();
        for (int i = 0; i < found && static_cast<int>(joysticks_.size()) < max_joysticks; ++i) add_joystick(i);
    }

    void add_joystick(int device_index) {
        Joystick joystick;
        joystick.device.reset(SDL_JoystickOpen(device_index));
        if (!joystick.device) return;
        const char* instance = SDL_JoystickName(joystick.device.get());
        const char* product = SDL_IsGameController(device_index) ? SDL_GameControllerNameForIndex(device_index)
                                                                   : nullptr;
        const std::string instance_name = instance != nullptr ? instance : "";
        joystick.name = instance_name + ", " + (product != nullptr ? product : instance_name);
        if (haptic_started_ && SDL_JoystickIsHaptic(joystick.device.get()) == SDL_TRUE) open_haptic(joystick);
        joysticks_.push_back(std::move(joystick));
    }

    void add_pad(int device_index) {
        if (!pads_started_) return;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
        if (id < 0 || std::ranges::any_of(pads_, [id](const Pad& pad) { return pad.id == id; })) return;
        Pad pad;
        pad.id = id;
        if (SDL_IsGameController(device_index) == SDL_TRUE) {
            pad.controller.reset(SDL_GameControllerOpen(device_index));
        } else {
            pad.joystick.reset(SDL_JoystickOpen(device_index));
        }
        if (pad.controller || pad.joystick) pads_.push_back(std::move(pad));
    }

    static void open_haptic(Joystick& joystick) {
        joystick.haptic.reset(SDL_HapticOpenFromJoystick(joystick.device.get()));
        SDL_Haptic* haptic = joystick.haptic.get();
        if (haptic == nullptr) return;
        if ((SDL_HapticQuery(haptic) & SDL_HAPTIC_CONSTANT) == 0) {
            joystick.haptic.reset();
            return;
        }
        if ((SDL_HapticQuery(haptic) & SDL_HAPTIC_AUTOCENTER) != 0) SDL_HapticSetAutocenter(haptic, 0);
        if ((SDL_HapticQuery(haptic) & SDL_HAPTIC_GAIN) != 0) SDL_HapticSetGain(haptic, 100);
    }

    bool valid(int index) const { return index >= 0 && index < static_cast<int>(joysticks_.size()); }

    bool events_started_ = false;
    bool joystick_started_ = false;
    bool haptic_started_ = false;
    bool pads_started_ = false;
    bool relative_ = false;
    MouseMotion motion_;
    double motion_remainder_x_ = 0.0;
    double motion_remainder_y_ = 0.0;
    SDL_Scancode last_key_down_ = SDL_SCANCODE_UNKNOWN;
    bool last_key_shift_ = false;
    bool quit_chord_pressed_ = false;
    mutable Uint32 pressed_since_read_ = 0;
    // Characters the layout produced per key, without and with Shift.
    std::array<std::array<int, 2>, SDL_NUM_SCANCODES> typed_by_key_{};
    std::vector<Joystick> joysticks_;
    std::vector<Pad> pads_;
};

}  // namespace

int sdl_scancode_of(int scan_code) { return static_cast<int>(to_sdl(scan_code)); }

std::string sdl_key_name(int scan_code) {
    const SDL_Scancode key = to_sdl(scan_code);
    return key == SDL_SCANCODE_UNKNOWN ? std::string{} : std::string{SDL_GetScancodeName(key)};
}

std::unique_ptr<InputDevices> make_sdl_input() { return std::make_unique<SdlInput>(); }

}  // namespace platform

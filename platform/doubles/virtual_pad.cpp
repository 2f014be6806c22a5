#include "platform/doubles/virtual_pad.h"

#include <SDL.h>

namespace platform::doubles {

struct VirtualPad::Device {
    int device_index = -1;
    SDL_Joystick* joystick = nullptr;
};

namespace {

SDL_GameControllerButton sdl_button(VirtualPad::Button button) {
    switch (button) {
    case VirtualPad::Button::south: return SDL_CONTROLLER_BUTTON_A;
    case VirtualPad::Button::east: return SDL_CONTROLLER_BUTTON_B;
    case VirtualPad::Button::back: return SDL_CONTROLLER_BUTTON_BACK;
    case VirtualPad::Button::start: return SDL_CONTROLLER_BUTTON_START;
    case VirtualPad::Button::dpad_up: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case VirtualPad::Button::dpad_down: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    }
    return SDL_CONTROLLER_BUTTON_INVALID;
}

}  // namespace

VirtualPad::VirtualPad() : device_(std::make_unique<Device>()) { plug_in(); }

VirtualPad::~VirtualPad() { unplug(); }

bool VirtualPad::plugged_in() const { return device_->joystick != nullptr; }

void VirtualPad::plug_in() {
    if (plugged_in()) return;
    // Every button and axis of the standard layout, in its order, so SDL
    // gives the device the standard controller mapping.
    SDL_VirtualJoystickDesc description{};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    description.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    description.name = "Virtual pad";
    device_->device_index = SDL_JoystickAttachVirtualEx(&description);
    if (device_->device_index < 0) return;
    device_->joystick = SDL_JoystickOpen(device_->device_index);
}

void VirtualPad::unplug() {
    if (!plugged_in()) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(device_->joystick);
    SDL_JoystickClose(device_->joystick);
    device_->joystick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
}

void VirtualPad::set(Button button, bool down) {
    if (plugged_in()) SDL_JoystickSetVirtualButton(device_->joystick, sdl_button(button), down ? 1 : 0);
}

void VirtualPad::push_stick(int direction) {
    const Sint16 value = direction < 0 ? SDL_JOYSTICK_AXIS_MIN : direction > 0 ? SDL_JOYSTICK_AXIS_MAX : 0;
    if (plugged_in()) SDL_JoystickSetVirtualAxis(device_->joystick, SDL_CONTROLLER_AXIS_LEFTY, value);
}

}  // namespace platform::doubles

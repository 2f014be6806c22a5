#include <SDL.h>

#include <array>
#include <utility>

#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

// System scan code -> SDL scancode.
constexpr std::array<std::pair<int, SDL_Scancode>, 3> scan_code_table{{
    {1, SDL_SCANCODE_ESCAPE},
    {56, SDL_SCANCODE_LALT},
    {62, SDL_SCANCODE_F4},
}};

class SdlInput final : public InputDevices {
public:
    void poll() override {
        SDL_PumpEvents();
        // Key and pointer messages are read as device state, never as queued events.
        SDL_FlushEvents(SDL_KEYDOWN, SDL_LASTEVENT);
    }

    bool key_held(int scan_code) const override {
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (const auto& [code, sdl] : scan_code_table) {
            if (code == scan_code) return sdl < count && state[sdl] != 0;
        }
        return false;
    }

    bool any_key_held() const override {
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (int i = 0; i < count; ++i) {
            if (state[i] != 0) return true;
        }
        return false;
    }
};

}  // namespace

std::unique_ptr<InputDevices> make_sdl_input() { return std::make_unique<SdlInput>(); }

}  // namespace platform

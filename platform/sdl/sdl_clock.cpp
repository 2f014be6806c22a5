#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/process_end.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

class SdlClock final : public Clock {
public:
    SdlClock() { SDL_InitSubSystem(SDL_INIT_TIMER); }
    ~SdlClock() override { SDL_QuitSubSystem(SDL_INIT_TIMER); }

    std::optional<double> counter_frequency() override {
        const Uint64 frequency = SDL_GetPerformanceFrequency();
        if (frequency == 0) return std::nullopt;
        return static_cast<double>(frequency);
    }
    std::uint64_t counter() override { return SDL_GetPerformanceCounter(); }
    double millisecond_timer() override { return static_cast<double>(SDL_GetTicks64()); }
    // In slices, so that a quit signal does not wait out a long sleep.
    void sleep_ms(int milliseconds) override {
        constexpr int slice_ms = 50;
        while (milliseconds > 0 && !quit_signal_pending()) {
            const int step = std::min(milliseconds, slice_ms);
            SDL_Delay(static_cast<Uint32>(step));
            milliseconds -= step;
        }
    }
    void sleep_microseconds(std::int64_t microseconds) override {
        if (microseconds > 0) std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    }
};

}  // namespace

std::unique_ptr<Clock> make_sdl_clock() { return std::make_unique<SdlClock>(); }

}  // namespace platform

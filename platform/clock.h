#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// Time sources the runtime paces its frames by.
class Clock {
public:
    virtual ~Clock() = default;
    // Ticks per second of the high-resolution counter, or nothing when there is none.
    virtual std::optional<double> counter_frequency() = 0;
    virtual std::uint64_t counter() = 0;
    // Milliseconds since some fixed point; the fallback when there is no counter.
    virtual double millisecond_timer() = 0;
    virtual void sleep_ms(int milliseconds) = 0;
    // A finer sleep for frame pacing; may return a little late, never early.
    virtual void sleep_microseconds(std::int64_t microseconds) {
        sleep_ms(static_cast<int>(microseconds / 1000));
    }
};

}  // namespace platform

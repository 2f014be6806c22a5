#include "platform/doubles/virtual_clock.h"

#include <cmath>

namespace platform::doubles {

double VirtualClock::read() {
    const double value = now_ms_;
    now_ms_ += step_per_read_ms_;
    return value;
}

std::optional<double> VirtualClock::counter_frequency() {
    if (!has_counter_) return std::nullopt;
    return frequency;
}

std::uint64_t VirtualClock::counter() {
    return static_cast<std::uint64_t>(std::llround(read() * frequency / 1000.0));
}

double VirtualClock::millisecond_timer() { return std::floor(read()); }

void VirtualClock::sleep_ms(int milliseconds) {
    if (milliseconds <= 0) return;
    now_ms_ += milliseconds;
    slept_ms_ += milliseconds;
}

void VirtualClock::sleep_microseconds(std::int64_t microseconds) {
    if (microseconds <= 0) return;
    now_ms_ += static_cast<double>(microseconds) / 1000.0;
    napped_ms_ += static_cast<double>(microseconds) / 1000.0;
}

}  // namespace platform::doubles

#pragma once
#include "platform/clock.h"

namespace platform::doubles {

// A clock that only moves when told to. Every read advances it by
// `step_per_read_ms`, so the runtime's busy waits end without wall time.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double step_per_read_ms = 0.25, bool has_counter = true)
        : step_per_read_ms_(step_per_read_ms), has_counter_(has_counter) {}

    std::optional<double> counter_frequency() override;
    std::uint64_t counter() override;
    double millisecond_timer() override;
    void sleep_ms(int milliseconds) override;
    // Frame-pacing naps move the clock but are kept apart from sleep_ms.
    void sleep_microseconds(std::int64_t microseconds) override;

    void advance(double ms) { now_ms_ += ms; }
    void set_step_per_read(double ms) { step_per_read_ms_ = ms; }
    double now() const { return now_ms_; }
    double slept_ms() const { return slept_ms_; }
    double napped_ms() const { return napped_ms_; }

    static constexpr double frequency = 1'000'000.0;  // microsecond ticks

private:
    double read();

    double now_ms_ = 1000.0;
    double step_per_read_ms_;
    bool has_counter_;
    double slept_ms_ = 0.0;
    double napped_ms_ = 0.0;
};

}  // namespace platform::doubles

#pragma once
#include <cmath>
#include <cstdint>
#include <string>

namespace audio_tests {

// Root mean square of little-endian 16-bit samples, as SDL's disk driver writes them.
inline double loudness(const std::string& raw) {
    double sum = 0.0;
    const std::size_t count = raw.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(raw[2 * i]) | (raw[2 * i + 1] << 8));
        sum += double(sample) * sample;
    }
    return count == 0 ? 0.0 : std::sqrt(sum / double(count));
}

}  // namespace audio_tests

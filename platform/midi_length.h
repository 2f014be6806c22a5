#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// Whether the bytes start like a Standard MIDI File.
bool is_midi_file(std::span<const std::uint8_t> bytes);

// Playing time of a Standard MIDI File in milliseconds, from its division,
// its tempo changes and the end of its longest track. Nothing when the
// header is not one; a track cut short counts up to where it ends.
std::optional<double> midi_length_ms(std::span<const std::uint8_t> bytes);

}  // namespace platform

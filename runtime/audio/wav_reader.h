#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace rt {

// The samples of a PCM WAV file and the buffer format to play them with:
// the file's own rate, depth and block size, mono or stereo.
struct WavSound {
    platform::PcmFormat format;
    std::vector<std::uint8_t> samples;
};

// Reads the fixed 36-byte head (RIFF header and the format chunk's first 16
// bytes), skips the rest of a longer format chunk and one "fact" chunk, and
// then requires "data". Nothing for a missing, truncated or lying file.
std::optional<WavSound> read_wav_file(const std::string& path);

}  // namespace rt

#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/sound.h"

namespace platform {

// The sound output's own mixer, free of any audio API: buffers are decoded
// once to 16-bit samples at their own rate and channel count, and resampled
// to the output rate while mixing. Thread-safe: the audio thread mixes while
// the game thread controls the buffers.
class PcmMixer : public std::enable_shared_from_this<PcmMixer> {
public:
    static constexpr int output_rate = 22050;

    static std::shared_ptr<PcmMixer> create();

    // A buffer with volume and pan controls when `with_controls` is set.
    // Nothing when the format is unsupported or there is not one whole frame.
    std::unique_ptr<SoundBuffer> create_buffer(const PcmFormat& format, std::span<const std::uint8_t> samples,
                                               bool with_controls);

    // Adds every playing buffer into interleaved stereo 16-bit output, saturating.
    void mix_into(std::span<std::int16_t> stereo);

    std::size_t buffer_count() const;

    struct Voice;

private:
    PcmMixer() = default;
    friend class MixerBuffer;
    void attach(Voice* voice);
    void detach(Voice* voice);

    mutable std::mutex mutex_;
    std::vector<Voice*> voices_;
    std::vector<float> accumulator_;
};

}  // namespace platform

#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/sound.h"

namespace platform {

// Stereo 16-bit samples at the output rate, played as they are queued (a
// movie's sound track). Samples beyond `max_queued_frames` are dropped.
class PcmStream {
public:
    static constexpr std::size_t max_queued_frames = 22050 * 8;
    virtual ~PcmStream() = default;
    virtual void push(std::span<const std::int16_t> stereo) = 0;
    virtual void clear() = 0;
    virtual std::size_t queued_frames() const = 0;
};

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

    // A stream mixed in until it is destroyed.
    std::unique_ptr<PcmStream> open_stream();

    // Adds every playing buffer into interleaved stereo 16-bit output, saturating.
    void mix_into(std::span<std::int16_t> stereo);

    std::size_t buffer_count() const;

    struct Voice;
    struct StreamQueue;

private:
    PcmMixer() = default;
    friend class MixerBuffer;
    friend class MixerStream;
    void attach(Voice* voice);
    void detach(Voice* voice);

    mutable std::mutex mutex_;
    std::vector<Voice*> voices_;
    std::vector<StreamQueue*> streams_;
    std::vector<float> accumulator_;
};

}  // namespace platform

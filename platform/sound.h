#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/output_follower.h"

namespace platform {

// Layout of the PCM samples handed to a sound buffer. Samples are unsigned
// at 8 bits and signed little-endian at 16, 24 and 32 bits; each frame is
// `block_align` bytes, of which the first `channels` samples are used.
struct PcmFormat {
    int channels = 2;  // 1 or 2
    int samples_per_second = 22050;
    int bits_per_sample = 16;
    int block_align = 4;
};

// Formats every sound device accepts: 1 or 2 channels, 8/16/24/32 bits,
// 100..200000 Hz, and a block that holds all channels of a frame.
bool pcm_format_supported(const PcmFormat& format);

// Volume and pan are in hundredths of a decibel: 0 is full level, -10000 silent.
inline constexpr int silent_millibels = -10000;
inline constexpr int pan_left = -10000;
inline constexpr int pan_right = 10000;

// Linear gain of an attenuation in hundredths of a dB: 10^(mB / 2000).
// Values at or below -10000 give exactly 0; values above 0 count as 0.
float gain_for_millibels(int millibels);

struct StereoGain {
    float left;
    float right;
};
// A negative pan attenuates the right side by |pan| mB, a positive pan the left.
StereoGain gain_for_volume_and_pan(int volume_millibels, int pan);

struct BufferStatus {
    bool playing = false;
    bool lost = false;
};

// One playable copy of a sound. Play starts from the current position and
// runs once to the end, after which the position is back at the start.
class SoundBuffer {
public:
    virtual ~SoundBuffer() = default;
    virtual bool play() = 0;
    virtual bool stop() = 0;
    // Position in bytes of the buffer's own format.
    virtual bool set_position(std::uint32_t byte_offset) = 0;
    // Nothing when the status cannot be read.
    virtual std::optional<BufferStatus> status() = 0;
    // Brings back a lost buffer; false when it cannot be.
    virtual bool restore() = 0;
    // Both fail (and change nothing) on a buffer made without controls.
    virtual bool set_volume(int millibels) = 0;
    virtual bool set_pan(int pan) = 0;
    // Another playable copy sharing these samples, with its own position,
    // state and controls. Nothing when it cannot be made.
    virtual std::unique_ptr<SoundBuffer> duplicate() = 0;
};

// The sound output: 22050 Hz, 16-bit stereo, our buffers mixed into it.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Opens the output once; false when no audio device can be had.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // A buffer holding a copy of `samples`. `with_controls` asks for volume
    // and pan. Nothing when the device is closed, the format is not supported
    // or the samples do not hold a single frame.
    virtual std::unique_ptr<SoundBuffer> create_buffer(const PcmFormat& format, std::span<const std::uint8_t> samples,
                                                       bool with_controls) = 0;
    // Follows the system's devices (called every frame): when the device in
    // use goes away, buffers and music carry on through the default device,
    // or silently until one appears. `now_ms` is the caller's clock.
    virtual OutputChange follow_output_device(double now_ms) {
        (void)now_ms;
        return OutputChange::none;
    }
};

}  // namespace platform

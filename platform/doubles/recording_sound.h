#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace platform::doubles {

// What a test can see of, and script for, one buffer of the recording device.
struct RecordedBuffer {
    int id = 0;
    int duplicate_of = -1;  // id of the buffer whose samples it shares
    PcmFormat format;
    std::shared_ptr<const std::vector<std::uint8_t>> samples;
    bool with_controls = true;
    bool released = false;

    // State the test may change to stand in for the device.
    bool playing = false;
    bool lost = false;
    bool status_fails = false;
    bool restore_succeeds = true;
    bool play_fails = false;

    std::uint32_t position = 0;
    int volume = 0;
    int pan = 0;
    int plays = 0;
};

// A sound device that mixes nothing: it records every call in `events`
// ("play 3", "stop 3", "position 3 0", "volume 3 -5000", "pan 3 0",
// "duplicate 0 -> 3", "release 3") and keeps every buffer it made.
class RecordingSoundDevice final : public SoundDevice {
public:
    bool open() override;
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }
    std::unique_ptr<SoundBuffer> create_buffer(const PcmFormat& format, std::span<const std::uint8_t> samples,
                                               bool with_controls) override;

    // The buffer with this id (ids count up from 0 in creation order).
    RecordedBuffer& buffer(int id) { return *buffers.at(static_cast<std::size_t>(id)); }
    int live_buffers() const;

    bool available = true;           // open() succeeds
    bool controls_available = true;  // buffers with volume and pan can be made
    bool buffers_available = true;   // any buffer can be made
    int opens = 0;
    std::vector<std::shared_ptr<RecordedBuffer>> buffers;
    std::vector<std::string> events;

private:
    friend class RecordingBuffer;
    std::shared_ptr<RecordedBuffer> add_buffer(RecordedBuffer prototype);
    bool open_ = false;
};

}  // namespace platform::doubles

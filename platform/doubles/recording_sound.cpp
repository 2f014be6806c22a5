#include "platform/doubles/recording_sound.h"

#include <algorithm>

namespace platform::doubles {

class RecordingBuffer final : public SoundBuffer {
public:
    RecordingBuffer(RecordingSoundDevice& device, std::shared_ptr<RecordedBuffer> state)
        : device_(device), state_(std::move(state)) {}
    ~RecordingBuffer() override {
        state_->released = true;
        state_->playing = false;
        record("release");
    }
    RecordingBuffer(const RecordingBuffer&) = delete;
    RecordingBuffer& operator=(const RecordingBuffer&) = delete;

    bool play() override {
        record("play");
        if (state_->play_fails) return false;
        state_->playing = true;
        ++state_->plays;
        return true;
    }
    bool stop() override {
        record("stop");
        state_->playing = false;
        return true;
    }
    bool set_position(std::uint32_t byte_offset) override {
        record("position", static_cast<int>(byte_offset));
        state_->position = byte_offset;
        return true;
    }
    std::optional<BufferStatus> status() override {
        if (state_->status_fails) return std::nullopt;
        return BufferStatus{state_->playing, state_->lost};
    }
    bool restore() override {
        record("restore");
        if (!state_->restore_succeeds) return false;
        state_->lost = false;
        return true;
    }
    bool set_volume(int millibels) override {
        record("volume", millibels);
        if (!state_->with_controls) return false;
        state_->volume = millibels;
        return true;
    }
    bool set_pan(int pan) override {
        record("pan", pan);
        if (!state_->with_controls) return false;
        state_->pan = pan;
        return true;
    }
    std::unique_ptr<SoundBuffer> duplicate() override {
        RecordedBuffer copy;
        copy.duplicate_of = state_->id;
        copy.format = state_->format;
        copy.samples = state_->samples;
        copy.with_controls = state_->with_controls;
        auto state = device_.add_buffer(std::move(copy));
        device_.events.push_back("duplicate " + std::to_string(state_->id) + " -> " + std::to_string(state->id));
        return std::make_unique<RecordingBuffer>(device_, std::move(state));
    }

private:
    void record(const std::string& what) { device_.events.push_back(what + " " + std::to_string(state_->id)); }
    void record(const std::string& what, int value) {
        device_.events.push_back(what + " " + std::to_string(state_->id) + " " + std::to_string(value));
    }

    RecordingSoundDevice& device_;
    std::shared_ptr<RecordedBuffer> state_;
};

bool RecordingSoundDevice::open() {
    ++opens;
    open_ = available;
    return open_;
}

std::unique_ptr<SoundBuffer> RecordingSoundDevice::create_buffer(const PcmFormat& format,
                                                                 std::span<const std::uint8_t> samples,
                                                                 bool with_controls) {
    if (!open_ || !buffers_available || (with_controls && !controls_available)) return nullptr;
    if (!pcm_format_supported(format) || samples.size() < static_cast<std::size_t>(format.block_align)) return nullptr;
    RecordedBuffer prototype;
    prototype.format = format;
    prototype.samples = std::make_shared<const std::vector<std::uint8_t>>(samples.begin(), samples.end());
    prototype.with_controls = with_controls;
    auto state = add_buffer(std::move(prototype));
    events.push_back("create " + std::to_string(state->id));
    return std::make_unique<RecordingBuffer>(*this, std::move(state));
}

int RecordingSoundDevice::live_buffers() const {
    return static_cast<int>(std::count_if(buffers.begin(), buffers.end(), [](const auto& b) { return !b->released; }));
}

std::shared_ptr<RecordedBuffer> RecordingSoundDevice::add_buffer(RecordedBuffer prototype) {
    prototype.id = static_cast<int>(buffers.size());
    buffers.push_back(std::make_shared<RecordedBuffer>(std::move(prototype)));
    return buffers.back();
}

}  // namespace platform::doubles

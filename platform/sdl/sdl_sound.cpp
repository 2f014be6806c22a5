#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

class SdlSoundDevice final : public SoundDevice {
public:
    bool open() override {
        if (!output_) output_ = SdlAudioOutput::acquire();
        return output_ != nullptr;
    }
    // Buffers still alive stay valid but fall silent once the output closes.
    void close() override { output_.reset(); }
    bool is_open() const override { return output_ != nullptr; }

    std::unique_ptr<SoundBuffer> create_buffer(const PcmFormat& format, std::span<const std::uint8_t> samples,
                                               bool with_controls) override {
        if (!output_) return nullptr;
        return output_->mixer().create_buffer(format, samples, with_controls);
    }

    OutputChange follow_output_device(double now_ms) override {
        return output_ ? output_->follow_devices(now_ms) : OutputChange::none;
    }

private:
    std::shared_ptr<SdlAudioOutput> output_;
};

}  // namespace

std::unique_ptr<SoundDevice> make_sdl_sound() { return std::make_unique<SdlSoundDevice>(); }

}  // namespace platform

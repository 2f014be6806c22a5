#pragma once
// The one SDL audio output, shared inside platform/sdl by the sound device
// and the music player: the music library's device at 22050 Hz, 16-bit
// stereo, with our own sound mixer added after the music.
#include <memory>

#include "platform/pcm_mixer.h"

namespace platform {

class SdlAudioOutput {
public:
    // The open output, opening it on first use; nothing when no audio
    // device can be had. It closes when the last holder lets go.
    static std::shared_ptr<SdlAudioOutput> acquire();

    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    PcmMixer& mixer() { return *mixer_; }
    const std::shared_ptr<PcmMixer>& shared_mixer() const { return mixer_; }

private:
    SdlAudioOutput();
    bool opened_ = false;
    std::shared_ptr<PcmMixer> mixer_;
};

}  // namespace platform

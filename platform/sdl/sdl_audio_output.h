#pragma once
// The one SDL audio output, shared inside platform/sdl by the sound device
// and the music player: the music library's device at 22050 Hz, 16-bit
// stereo, with our own sound mixer added after the music.
#include <memory>
#include <vector>

#include "platform/output_follower.h"
#include "platform/pcm_mixer.h"

namespace platform {

class SdlAudioOutput final : private OutputFollower::Output {
public:
    // Told around a move to another device (the music library forgets its
    // pieces when its device closes).
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void before_device_closes() = 0;
        virtual void after_device_opens() = 0;
    };

    // The open output, opening it on first use; nothing when no audio
    // device can be had. It closes when the last holder lets go.
    static std::shared_ptr<SdlAudioOutput> acquire();

    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    PcmMixer& mixer() { return *mixer_; }
    void add_listener(Listener* listener) { listeners_.push_back(listener); }
    void remove_listener(Listener* listener) { std::erase(listeners_, listener); }
    // Takes the system's device events and moves to another device when
    // needed. Our sounds keep playing from where they were.
    OutputChange follow_devices(double now_ms);
    bool silent() const { return follower_.silent(); }
    const std::shared_ptr<PcmMixer>& shared_mixer() const { return mixer_; }

private:
    SdlAudioOutput();
    void close_device() override;
    bool open_default_device() override;

    bool opened_ = false;
    bool device_open_ = false;
    OutputFollower follower_;
    std::vector<Listener*> listeners_;
    std::shared_ptr<PcmMixer> mixer_;
};

}  // namespace platform

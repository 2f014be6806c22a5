#include "platform/sdl/sdl_audio_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl/sdl_backend.h"

namespace platform {
namespace {

constexpr int output_channels = 2;
constexpr int chunk_frames = 1024;

void add_sound_effects(void* user_data, Uint8* stream, int length) {
    auto* mixer = static_cast<PcmMixer*>(user_data);
    mixer->mix_into({reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(length) / sizeof(std::int16_t)});
}

}  // namespace

std::shared_ptr<SdlAudioOutput> SdlAudioOutput::acquire() {
    static std::weak_ptr<SdlAudioOutput> current;
    if (auto open = current.lock()) return open;
    std::shared_ptr<SdlAudioOutput> output(new SdlAudioOutput());
    if (!output->opened_) return nullptr;
    current = output;
    return output;
}

SdlAudioOutput::SdlAudioOutput() : mixer_(PcmMixer::create()) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
    if (!open_default_device()) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    opened_ = true;
}

SdlAudioOutput::~SdlAudioOutput() {
    if (!opened_) return;
    close_device();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::open_default_device() {
    // No format changes allowed: SDL converts to whatever the hardware wants.
    if (Mix_OpenAudioDevice(PcmMixer::output_rate, AUDIO_S16SYS, output_channels, chunk_frames, nullptr, 0) != 0) {
        return false;
    }
    Mix_SetPostMix(add_sound_effects, mixer_.get());
    device_open_ = true;
    for (Listener* listener : listeners_) listener->after_device_opens();
    return true;
}

void SdlAudioOutput::close_device() {
    if (!device_open_) return;
    for (Listener* listener : listeners_) listener->before_device_closes();
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    device_open_ = false;
}

OutputChange SdlAudioOutput::follow_devices(double now_ms) {
    SDL_Event events[16];
    for (;;) {
        const int count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED);
        for (int i = 0; i < count; ++i) {
            if (events[i].adevice.iscapture != 0) continue;
            // Only opened devices report their removal: ours is the only one.
            if (events[i].type == SDL_AUDIODEVICEREMOVED) follower_.device_removed();
            if (events[i].type == SDL_AUDIODEVICEADDED) follower_.device_added();
        }
        if (count < 16) break;
    }
    return follower_.update(now_ms, *this);
}

void push_audio_device_event(bool added) {
    SDL_Event event{};
    event.type = added ? SDL_AUDIODEVICEADDED : SDL_AUDIODEVICEREMOVED;
    event.adevice.which = added ? 0 : 2;
    SDL_PushEvent(&event);
}

}  // namespace platform

#include "platform/sdl/sdl_audio_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

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
    // No format changes allowed: SDL converts to whatever the hardware wants.
    if (Mix_OpenAudioDevice(PcmMixer::output_rate, AUDIO_S16SYS, output_channels, chunk_frames, nullptr, 0) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_SetPostMix(add_sound_effects, mixer_.get());
    opened_ = true;
}

SdlAudioOutput::~SdlAudioOutput() {
    if (!opened_) return;
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform

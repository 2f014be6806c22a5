#include <SDL_mixer.h>

#include <algorithm>

#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

constexpr int normal_level = 1000;

struct MusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};

// The music library plays one piece at a time; this player owns it.
class SdlMusicPlayer final : public MusicPlayer {
public:
    ~SdlMusicPlayer() override { close(); }

    bool open(const std::string& path) override {
        close();
        if (!output_) output_ = SdlAudioOutput::acquire();
        if (!output_) return false;
        music_.reset(Mix_LoadMUS(native_path(path).c_str()));
        return music_ != nullptr;
    }

    void close() override {
        music_.reset();  // halts it when playing
        state_ = State::stopped;
    }

    bool is_open() const override { return music_ != nullptr; }

    std::optional<double> length_ms() override {
        if (!music_) return std::nullopt;
        const double seconds = Mix_MusicDuration(music_.get());
        if (seconds <= 0.0) return std::nullopt;
        return seconds * 1000.0;
    }

    bool play() override {
        if (!music_) return false;
        if (state_ == State::paused) {
            Mix_ResumeMusic();
        } else if (state_ == State::stopped || Mix_PlayingMusic() == 0) {
            if (Mix_PlayMusic(music_.get(), 0) != 0) return false;
        }
        state_ = State::playing;
        return true;
    }

    bool seek_to_start() override {
        if (!music_) return false;
        if (state_ == State::playing && Mix_PlayingMusic() != 0) {
            Mix_RewindMusic();
        } else {
            // The next play starts from the beginning.
            Mix_HaltMusic();
            state_ = State::stopped;
        }
        return true;
    }

    bool stop() override {
        if (!music_) return false;
        if (state_ == State::playing && Mix_PlayingMusic() != 0) {
            Mix_PauseMusic();
            state_ = State::paused;
        } else {
            state_ = State::stopped;
        }
        return true;
    }

    bool set_volume(int level) override {
        if (!output_) return false;
        Mix_VolumeMusic(std::clamp(level, 0, normal_level) * MIX_MAX_VOLUME / normal_level);
        return true;
    }

private:
    enum class State { stopped, playing, paused };

    std::shared_ptr<SdlAudioOutput> output_;
    std::unique_ptr<Mix_Music, MusicDeleter> music_;
    State state_ = State::stopped;
};

}  // namespace

std::unique_ptr<MusicPlayer> make_sdl_music() { return std::make_unique<SdlMusicPlayer>(); }

}  // namespace platform

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/midi_length.h"

#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

constexpr int normal_level = 1000;

// General MIDI sound fonts, best first. SDL_SOUNDFONTS, when set, is the only choice.
std::optional<std::string> find_sound_font() {
    if (const char* chosen = std::getenv("SDL_SOUNDFONTS")) {
        std::error_code error;
        if (std::filesystem::is_regular_file(chosen, error)) return std::string(chosen);
        return std::nullopt;
    }
    for (const char* candidate : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                  "/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/soundfonts/default.sf2",
                                  "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return std::string(candidate);
    }
    return std::nullopt;
}

std::vector<std::uint8_t> read_head_or_all(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    char c = 0;
    while (bytes.size() < limit && in.get(c)) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

// MIDI files are played from a sound font; the music library cannot tell
// their length, so it is read from the file. Nothing when it is no MIDI file.
struct MidiInfo {
    bool is_midi = false;
    std::optional<double> length_ms;
};
MidiInfo inspect_midi(const std::string& path) {
    constexpr std::size_t largest_midi = 16 << 20;
    if (!is_midi_file(read_head_or_all(path, 4))) return {};
    const std::vector<std::uint8_t> bytes = read_head_or_all(path, largest_midi);
    return {true, midi_length_ms(bytes)};
}

struct MusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};

// The music library plays one piece at a time; this player owns it.
class SdlMusicPlayer final : public MusicPlayer, private SdlAudioOutput::Listener {
public:
    ~SdlMusicPlayer() override {
        close();
        if (output_) output_->remove_listener(this);
    }

    bool open(const std::string& path) override {
        close();
        if (!output_) {
            output_ = SdlAudioOutput::acquire();
            if (output_) output_->add_listener(this);
        }
        if (!output_) return false;
        const std::string file = native_path(path);
        const MidiInfo midi = inspect_midi(file);
        if (midi.is_midi) {
            const auto font = find_sound_font();
            if (!font) return false;
            Mix_SetSoundFonts(font->c_str());
        }
        music_.reset(Mix_LoadMUS(file.c_str()));
        midi_length_ms_ = midi.length_ms;
        path_ = file;
        return music_ != nullptr;
    }

    void close() override {
        path_.clear();
        music_.reset();  // halts it when playing
        state_ = State::stopped;
    }

    bool is_open() const override { return music_ != nullptr; }

    std::optional<double> length_ms() override {
        if (!music_) return std::nullopt;
        if (midi_length_ms_) return midi_length_ms_;
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

    // The music library forgets its pieces with its device: the piece is
    // opened again on the new one and goes on from where it was.
    void before_device_closes() override {
        resume_at_ = music_ ? Mix_GetMusicPosition(music_.get()) : -1.0;
        music_.reset();
    }
    void after_device_opens() override {
        if (path_.empty() || music_) return;
        music_.reset(Mix_LoadMUS(path_.c_str()));
        if (!music_ || state_ == State::stopped) return;
        if (Mix_PlayMusic(music_.get(), 0) != 0) {
            state_ = State::stopped;
            return;
        }
        if (resume_at_ > 0.0) Mix_SetMusicPosition(resume_at_);
        if (state_ == State::paused) Mix_PauseMusic();
    }

    std::string path_;
    double resume_at_ = -1.0;

    std::shared_ptr<SdlAudioOutput> output_;
    std::unique_ptr<Mix_Music, MusicDeleter> music_;
    State state_ = State::stopped;
    std::optional<double> midi_length_ms_;
};

}  // namespace

std::unique_ptr<MusicPlayer> make_sdl_music() { return std::make_unique<SdlMusicPlayer>(); }

}  // namespace platform

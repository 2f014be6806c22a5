#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/music.h"

namespace platform::doubles {

// A music player that plays nothing and records every call in `events`
// ("open aud/x.mp3", "close", "play", "seek start", "stop", "volume 250").
class RecordingMusicPlayer final : public MusicPlayer {
public:
    bool open(const std::string& path) override;
    void close() override;
    bool is_open() const override { return open_; }
    std::optional<double> length_ms() override { return open_ ? length : std::nullopt; }
    bool play() override;
    bool seek_to_start() override;
    bool stop() override;
    bool set_volume(int level) override;

    // Scripted answers.
    bool opens_succeed = true;
    std::optional<double> length = 180'000.0;

    std::vector<std::string> events;
    int volume = 1000;
    bool playing = false;

    // How many times the piece was started from its beginning.
    int starts_from_beginning = 0;
    // Called after every play(), for tests that act when the music (re)starts.
    std::function<void()> on_play;

private:
    bool open_ = false;
    bool at_start_ = true;
};

}  // namespace platform::doubles

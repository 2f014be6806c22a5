#pragma once
#include <optional>
#include <string>

namespace platform {

// Plays one piece of music (MP3, WAV, ...) in the background. Playing does
// not loop: the runtime restarts the piece itself.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Opens a file, replacing (and stopping) whatever was open. False when
    // there is no audio output or the file cannot be decoded.
    virtual bool open(const std::string& path) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Length of the open piece in milliseconds; nothing when unknown.
    virtual std::optional<double> length_ms() = 0;
    // Plays from the current position; a piece that is already playing goes on.
    virtual bool play() = 0;
    virtual bool seek_to_start() = 0;
    // Stops at the current position.
    virtual bool stop() = 0;
    // 1000 is the normal level, 0 silent; the player clamps what it cannot give.
    virtual bool set_volume(int level) = 0;
};

}  // namespace platform

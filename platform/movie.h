#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

// One decoded picture of a movie: RGBA rows from the top, `width` pixels each.
struct MoviePicture {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> rgba;
};

// Plays a movie file: pictures are handed to the caller, who shows them;
// the sound track goes to the sound output by itself. Time is the caller's:
// the movie is asked for the picture due at a position, so a slow caller
// skips pictures instead of slowing the movie down.
class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;
    // Opens a file with a video stream, replacing whatever was open. False
    // when it cannot be opened or holds no pictures.
    virtual bool open(const std::string& path) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Size of the pictures in pixels (square pixels: the sample aspect applied).
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Length in milliseconds; 0 when the file does not tell.
    virtual double length_ms() const = 0;
    // Decodes up to `position_ms` from the start and returns the latest
    // picture due by then when it differs from the one returned before.
    // Sound is decoded alongside and queued for output.
    virtual std::optional<MoviePicture> picture_at(double position_ms) = 0;
    // True once the file has no more pictures to give.
    virtual bool ended() = 0;
    // Back to the beginning; queued sound is dropped.
    virtual bool rewind() = 0;
};

}  // namespace platform

#pragma once
// The movie decoder over the FFmpeg libraries: demuxes a file (or bytes in
// memory), decodes its first video stream to RGBA pictures and its first
// audio stream to 16-bit stereo at the sound output's rate.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/movie.h"

namespace platform {

// An interface, so that the program can use a decoder made by the movie
// module it loaded at run time (see movie_module.h) without linking the
// FFmpeg libraries itself.
class MovieDecoder {
public:
    // Interleaved stereo samples at `sound_rate`.
    using SoundSink = std::function<void(std::span<const std::int16_t>)>;
    static constexpr int sound_rate = 22050;
    // Larger pictures are refused: they are no movie a game would show.
    static constexpr int max_side = 8192;

    // Nothing when the data cannot be demuxed or holds no decodable video.
    static std::unique_ptr<MovieDecoder> open_file(const std::string& path);
    // Reads from `bytes`, which must outlive the decoder.
    static std::unique_ptr<MovieDecoder> open_bytes(std::span<const std::uint8_t> bytes);

    virtual ~MovieDecoder() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual double length_ms() const = 0;
    virtual void set_sound_sink(SoundSink sink) = 0;

    // Time from the start in ms of the picture after the current one,
    // decoding it when needed; nothing at the end of the stream.
    virtual std::optional<double> next_picture_time() = 0;
    // Makes that picture the current one.
    virtual void advance() = 0;
    // The current picture converted to RGBA at width x height (black before
    // the first). Valid until the next call of any member.
    virtual MoviePicture convert_current() = 0;
    virtual bool rewind() = 0;
};

}  // namespace platform

// Feeds arbitrary bytes to the movie decoder as if they were a movie file:
// container probing and demuxing, both decoders, picture conversion and
// sound resampling, and a rewind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/ffmpeg/movie_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoder = platform::MovieDecoder::open_bytes({data, size});
    if (!decoder) return 0;
    if (decoder->width() <= 0 || decoder->height() <= 0) std::abort();
    decoder->set_sound_sink([](std::span<const std::int16_t> samples) {
        if (samples.size() % 2 != 0) std::abort();
    });
    for (int pass = 0; pass < 2; ++pass) {
        for (int picture = 0; picture < 32 && decoder->next_picture_time(); ++picture) {
            decoder->advance();
            const platform::MoviePicture shown = decoder->convert_current();
            if (shown.rgba.size() != static_cast<std::size_t>(shown.width) * shown.height * 4) std::abort();
        }
        if (!decoder->rewind()) break;
    }
    return 0;
}

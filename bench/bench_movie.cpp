// CPU time per second of movie for a 640 x 480 H.264 clip with sound, made
// with ffmpeg: decoding and converting alone, and played through the runtime's
// movie command in a headless window (decoding, upload, drawing, swaps).
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "platform/ffmpeg/movie_decoder.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/movie.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/sprites.h"

namespace {

constexpr double clip_seconds = 6.0;

double cpu_seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

double decode_only(const std::string& clip) {
    const auto decoder = platform::MovieDecoder::open_file(clip);
    if (!decoder) return -1.0;
    decoder->set_sound_sink([](std::span<const std::int16_t>) {});
    const double start = cpu_seconds();
    while (decoder->next_picture_time()) {
        decoder->advance();
        decoder->convert_current();
    }
    return cpu_seconds() - start;
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "marlowick-bench-movie";
    std::filesystem::create_directories(dir);
    const std::string clip = (dir / "clip640.mp4").string();
    const std::string make = "ffmpeg -v error -y -f lavfi -i testsrc2=size=640x480:rate=30:duration=" +
                             std::to_string(clip_seconds) + " -f lavfi -i sine=frequency=440:duration=" +
                             std::to_string(clip_seconds) + " -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest " + clip;
    if (std::system(make.c_str()) != 0) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    const double decoding = decode_only(clip);
    std::printf("decode + convert: %.1f ms CPU per second of 640x480 movie\n", decoding * 1000.0 / clip_seconds);

    platform::install_sdl_services();
    rt::runtime_settings().debug_mode = 1;
    rt::runtime_init("movie bench", 1);
    rt::clear_screen();
    const double start = cpu_seconds();
    const double result = rt::play_movie(clip);
    const double playing = cpu_seconds() - start;
    std::printf("play_movie (decode, upload, draw, swap at 60 fps): %.1f ms CPU per second of movie (result %.0f)\n",
                playing * 1000.0 / clip_seconds, result);
    rt::runtime_shutdown();
    std::filesystem::remove_all(dir);
    return 0;
}

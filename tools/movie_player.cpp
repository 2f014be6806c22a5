// Plays a movie file in a window through the runtime's own movie command,
// to try how a file shows. Any key or mouse button stops it.
// Usage: marlowick-movie FILE [--loop]; the exit code is the command's result
// (0 played, 3 the file could not be opened, 2 bad usage).
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/audio/movie.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/sprites.h"

int main(int argc, char** argv) {
    std::string file;
    bool loop = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--loop") {
            loop = true;
        } else if (file.empty() && !argument.starts_with("--")) {
            file = argument;
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: marlowick-movie FILE [--loop]\n");
        return 2;
    }
    // The runtime works in its program directory; the user's name is relative to here.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (!error) file = absolute.string();

    platform::install_sdl_services();
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.debug_mode = 0;
    settings.exclusive_mouse = 0;
    settings.fullscreen = 0;
    rt::runtime_init("Marlowick movie", 10);
    rt::clear_screen();
    const double result = loop ? rt::play_movie_looped(file) : rt::play_movie(file);
    rt::runtime_shutdown();
    platform::services() = {};
    return static_cast<int>(result);
}

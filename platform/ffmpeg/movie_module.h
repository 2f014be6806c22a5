#pragma once
// Movies are decoded in a module of their own, loaded on the first movie:
// the FFmpeg libraries and the hundred more they pull in would otherwise be
// loaded, relocated and kept in memory by every start of every game.
#include <memory>
#include <string>

#include "platform/ffmpeg/movie_decoder.h"

namespace platform {

struct MovieModule {
    int version = 0;
    std::unique_ptr<MovieDecoder> (*open_file)(const std::string& path) = nullptr;
};

inline constexpr int movie_module_version = 1;
inline constexpr const char* movie_module_file = "marlowick-movies.so";
// The name under which the module exports its MovieModule.
inline constexpr const char* movie_module_symbol = "marlowick_movie_module";

// The loaded module's table, loading it on the first call; nullptr when it
// cannot be found or loaded (said once on standard error). Looked for at
// $MARLOWICK_MOVIE_MODULE when set, else beside the executable, else in the
// installed library folder relative to it.
const MovieModule* movie_module();

}  // namespace platform

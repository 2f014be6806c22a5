// The movie module's entry point: the table the program looks up by name.
#include "platform/ffmpeg/movie_module.h"

extern "C" __attribute__((visibility("default"))) const platform::MovieModule marlowick_movie_module{
    platform::movie_module_version, &platform::MovieDecoder::open_file};

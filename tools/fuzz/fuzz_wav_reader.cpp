// Feeds arbitrary bytes to the WAV reader as a file on disk (it reads by
// path) and checks that whatever it accepts is playable and lies inside the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/audio/wav_reader.h"

namespace {

const std::string& scratch_path() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("marlowick-fuzz-" + std::to_string(getpid()) + ".wav")).string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        // A new file each time: rewriting one in place makes some file systems flush it on close.
        std::filesystem::remove(scratch_path());
        std::ofstream out(scratch_path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const auto sound = rt::read_wav_file(scratch_path());
    if (!sound) return 0;
    const platform::PcmFormat& format = sound->format;
    if (format.channels != 1 && format.channels != 2) std::abort();
    if (format.block_align == 0 || format.samples_per_second < 0) std::abort();
    // 36 bytes of head and 8 of chunk header come before any sample.
    if (sound->samples.empty() || sound->samples.size() + 44 > size) std::abort();
    return 0;
}

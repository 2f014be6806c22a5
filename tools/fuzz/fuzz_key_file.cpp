// Feeds arbitrary bytes to the key-file parser, then checks that writing the
// result and parsing it again gives the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "runtime/files/key_file.h"

namespace {

std::string written(const rt::KeyFile& keys) {
    std::ostringstream out;
    keys.write(out);
    return out.str();
}

// Lines longer than a line read would be split on the way back in.
bool all_lines_short(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end - start >= 1000) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    rt::KeyFile keys;
    keys.load(in);
    keys.get("Main", "speed");
    keys.put("main", "Speed", "5");
    if (keys.get("MAIN", "SPEED") != "5") std::abort();

    const std::string first = written(keys);
    if (!all_lines_short(first)) return 0;
    std::istringstream again(first);
    rt::KeyFile reloaded;
    reloaded.load(again);
    if (written(reloaded) != first) std::abort();
    return 0;
}

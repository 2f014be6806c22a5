// Checks text_to_number against the C library's strtod: the same number for
// every decimal text, and 0 where strtod would read hexadecimal, "inf" or "nan".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/core/rt_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // read up to the first zero
    const double number = rt::text_to_number(text.c_str());

    char* end = nullptr;
    const double library = std::strtod(text.c_str(), &end);
    const std::string read(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
    if (read.find_first_of("xXiInN") != std::string::npos) {
        if (number != 0.0) std::abort();
    } else if (std::memcmp(&number, &library, sizeof number) != 0) {
        std::abort();
    }
    return 0;
}

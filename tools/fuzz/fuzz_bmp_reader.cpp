#include <cstddef>
#include <cstdint>

#include "runtime/gfx/picture_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rt::RgbaImage image;
    if (rt::decode_bmp_image(image, {data, size}, rt::default_color_key)) {
        // Touch every pixel so a wrong size shows up as an overflow.
        volatile std::uint32_t sum = 0;
        for (const std::uint8_t byte : image.pixels) sum = sum + byte;
        if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4) __builtin_trap();
    }
    return 0;
}

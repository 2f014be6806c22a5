#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace media_tools {

// A straight-alpha RGBA picture, rows from the top.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4

    std::uint8_t* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    const std::uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Reads any 8- or 16-bit PNG into RGBA; throws std::runtime_error on failure.
Rgba read_png(const std::string& path);
// Writes 8-bit RGBA, non-interlaced; throws std::runtime_error on failure.
void write_png(const std::string& path, const Rgba& image);

}  // namespace media_tools

#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "tests/support/headless.h"

namespace gfx_test {

using Rgba = std::array<std::uint8_t, 4>;
using Rgb = std::array<int, 3>;

// A picture given row by row from the top, one colour per pixel.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    Picture(int w, int h, Rgba fill = {0, 0, 0, 255}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgba& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

// Independent little writers for test inputs (the 24-bit BMP ignores alpha).
void write_bmp24(const std::filesystem::path& path, const Picture& picture);
void write_png_rgba(const std::filesystem::path& path, const Picture& picture);

Rgb screen_pixel(int x, int y);

// Expects each listed screen pixel to have its colour.
struct PixelAt {
    int x, y;
    Rgb colour;
};
void expect_pixels(std::initializer_list<PixelAt> pixels);

// Width and height, as the game asks for them.
std::pair<double, double> sprite_size(int slot);
std::pair<double, double> font_char_size();

// A real headless window (offscreen SDL driver, virtual clock) brought up by
// runtime_init with the program directory in a private temporary folder.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path file(const std::string& name) const { return temp_.path() / name; }
    std::string media(const std::string& name, const Picture& picture, bool png = false);
    // Loads a picture into a slot through the media lookup.
    void load(int slot, const Picture& picture, bool png = false);

    testing_support::TempDir temp_;
};

}  // namespace gfx_test

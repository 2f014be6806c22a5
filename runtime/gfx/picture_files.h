#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/core/default_init_allocator.h"

namespace rt {

struct TextureBuffer;

// A decoded picture: 4 bytes per pixel (red, green, blue, alpha), rows from
// the top down. The buffer is kept between decodes and only grows.
struct RgbaImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    ByteBuffer pixels;

    std::size_t capacity() const { return pixels.capacity(); }
    // Sets the size and zeroes all pixels, reusing the buffer when it is large enough.
    void reset(std::int32_t new_width, std::int32_t new_height);
    // Sets the size for a decoder that writes every pixel; what the buffer held is left.
    void reset_for_overwrite(std::int32_t new_width, std::int32_t new_height);
    // Width, height and buffer all released.
    void clear();
    std::uint8_t* pixel(std::int32_t x, std::int32_t y) {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
    }
    const std::uint8_t* pixel(std::int32_t x, std::int32_t y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
    }
};

// A colour key is red + 256 * green + 65536 * blue, or no_color_key.
inline constexpr std::int32_t no_color_key = -1;
inline constexpr std::int32_t default_color_key = 0x008000FF;  // red 255, green 0, blue 128

// Pictures claiming more than this many pixels are refused before any
// allocation, so a forged header cannot exhaust memory.
inline constexpr std::int64_t max_picture_pixels = 16 * 1024 * 1024;
inline constexpr std::int32_t max_picture_side = 16384;

bool read_bmp_image(RgbaImage& image, const std::string& file, std::int32_t key);
bool read_png_image(RgbaImage& image, const std::string& file, std::int32_t key);
// read_bmp_image, and when that fails read_png_image, over one read of the file.
// When `texture` is given and the picture was decoded ahead of time, it also
// receives the picture's texture texels as make_texture builds them for a
// whole, filtered picture; else it is left empty.
bool read_picture_image(RgbaImage& image, const std::string& file, std::int32_t key,
                        TextureBuffer* texture = nullptr);
// The same decoders over bytes already in memory ("name" only for messages).
bool decode_bmp_image(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key);
// Quiet decodes say nothing of a format they refuse (the decoding ahead of
// time on a second thread: the game's own load says it when it comes).
enum class PngMessages { printed, quiet };
bool decode_png_image(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key,
                      const std::string& name, PngMessages messages = PngMessages::printed);
// decode_bmp_image, and when that fails decode_png_image.
bool decode_picture(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key, const std::string& name,
                    PngMessages messages = PngMessages::printed);

using Rgb = std::array<std::uint8_t, 3>;

// Writes pixels read back from GL (3 bytes per pixel, red, green, blue, bottom
// row first) as a picture file: PNG when the name ends in ".png" (any case,
// name longer than 4 characters), else a 24-bit BMP. Pixels showing key_look
// become transparent in a PNG and the default key colour in a BMP.
bool write_image_file(const std::string& file, std::span<const std::uint8_t> pixels, std::int32_t width,
                      std::int32_t height, std::optional<Rgb> key_look);
// write_image_file after measuring how the sprite colour key looks on screen;
// needs the current GL context.
bool save_image_file(const std::string& file, std::span<const std::uint8_t> pixels, std::int32_t width,
                     std::int32_t height);

}  // namespace rt

#pragma once
#include <cstdint>
#include <vector>

#include "runtime/gfx/picture_files.h"

namespace rt {

// RGBA texels of a power-of-two texture, row 0 at the bottom of the picture.
struct TextureBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> texels;

    std::uint8_t* texel(int x, int y) {
        return texels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
    }
};

// A zeroed texture_width x texture_height buffer holding the image's rectangle
// upside down (its bottom row becomes row 0); parts outside the image stay 0.
TextureBuffer copy_upside_down(const RgbaImage& image, int x, int y, int width, int height, int texture_width,
                               int texture_height);
// Gives fully transparent texels the average colour of their visible
// neighbours, so linear filtering at a picture's edge does not pull in black.
void bleed_colors(TextureBuffer& buffer);
// Blue read as height; see load_normal_map.
void convert_to_normal_map(TextureBuffer& buffer);
// Replaces the buffer's level by the next smaller one (sizes halved, never
// below 1) with the program's own integer filter, in place.
void next_mip_level(TextureBuffer& buffer);

}  // namespace rt

#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/core/default_init_allocator.h"

#include "runtime/gfx/picture_files.h"

namespace rt {

// Columns [left, right) and rows [bottom, top) of a texture.
struct TexelRect {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
    bool empty() const { return right <= left || top <= bottom; }
};

// RGBA texels of a power-of-two texture, row 0 at the bottom of the picture.
struct TextureBuffer {
    int width = 0;
    int height = 0;
    ByteBuffer texels;
    // Every texel outside this rectangle is 0, 0, 0, 0; nothing means anywhere.
    std::optional<TexelRect> filled;

    std::uint8_t* texel(int x, int y) {
        return texels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
    }
};

// A zeroed texture_width x texture_height buffer holding the image's rectangle
// upside down (its bottom row becomes row 0); parts outside the image stay 0.
TextureBuffer copy_upside_down(const RgbaImage& image, int x, int y, int width, int height, int texture_width,
                               int texture_height);
// The same into an existing buffer, whose storage is reused.
void copy_upside_down_into(TextureBuffer& buffer, const RgbaImage& image, int x, int y, int width, int height,
                           int texture_width, int texture_height);
// Gives fully transparent texels the average colour of their visible
// neighbours, so linear filtering at a picture's edge does not pull in black.
// Only the filled rectangle and the ring around it can change, so only they
// are visited; the filled rectangle grows by that ring.
void bleed_colors(TextureBuffer& buffer);
// Blue read as height; see load_normal_map.
void convert_to_normal_map(TextureBuffer& buffer);
// The texels a texture is made from: the rectangle copied upside down into the
// padded size, colours bled unless filtering is nearest, and for a normal map
// turned into normals.
void build_texels(TextureBuffer& buffer, const RgbaImage& image, int x, int y, int width, int height,
                  int texture_width, int texture_height, bool nearest, bool normal_map);
// Replaces the buffer's level by the next smaller one (sizes halved, never
// below 1) with the program's own integer filter, in place.
void next_mip_level(TextureBuffer& buffer);

}  // namespace rt

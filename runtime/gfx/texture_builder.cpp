#include "runtime/gfx/texture_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace rt {

TextureBuffer copy_upside_down(const RgbaImage& image, int x, int y, int width, int height, int texture_width,
                               int texture_height) {
    TextureBuffer buffer;
    buffer.width = texture_width;
    buffer.height = texture_height;
    buffer.texels.assign(static_cast<std::size_t>(texture_width) * static_cast<std::size_t>(texture_height) * 4, 0);
    const int columns = std::min({width, texture_width, image.width - x});
    for (int row = 0; row < height && row < texture_height; ++row) {
        const int source_y = y + height - 1 - row;
        if (source_y < 0 || source_y >= image.height || columns <= 0 || x < 0) continue;
        std::memcpy(buffer.texel(0, row), image.pixel(x, source_y), static_cast<std::size_t>(columns) * 4);
    }
    return buffer;
}

void bleed_colors(TextureBuffer& buffer) {
    const int w = buffer.width;
    const int h = buffer.height;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* texel = buffer.texel(x, y);
            if (texel[3] != 0) continue;
            int sum[3] = {0, 0, 0};
            int count = 0;
            for (int ny = std::max(y - 1, 1); ny <= std::min(y + 1, h - 2); ++ny) {
                for (int nx = std::max(x - 1, 1); nx <= std::min(x + 1, w - 2); ++nx) {
                    if (nx == x && ny == y) continue;
                    const std::uint8_t* neighbour = buffer.texel(nx, ny);
                    if (neighbour[3] == 0) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += neighbour[c];
                    ++count;
                }
            }
            for (int c = 0; c < 3; ++c) texel[c] = count == 0 ? 0 : static_cast<std::uint8_t>(sum[c] / count);
        }
    }
}

void convert_to_normal_map(TextureBuffer& buffer) {
    const int w = buffer.width;
    const int h = buffer.height;
    std::vector<float> height_map(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) height_map[static_cast<std::size_t>(y) * w + x] = buffer.texel(x, y)[2] / 255.0f;
    }
    const auto at = [&](int x, int y) {
        return height_map[static_cast<std::size_t>((y + h) % h) * w + static_cast<std::size_t>((x + w) % w)];
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float dx = (at(x + 1, y - 1) + 2.0f * at(x + 1, y) + at(x + 1, y + 1)) -
                             (at(x - 1, y - 1) + 2.0f * at(x - 1, y) + at(x - 1, y + 1));
            const float dy = (at(x - 1, y + 1) + 2.0f * at(x, y + 1) + at(x + 1, y + 1)) -
                             (at(x - 1, y - 1) + 2.0f * at(x, y - 1) + at(x + 1, y - 1));
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            const float normal[3] = {-dx / length, -dy / length, 1.0f / length};
            std::uint8_t* texel = buffer.texel(x, y);
            for (int c = 0; c < 3; ++c) {
                texel[c] = static_cast<std::uint8_t>(std::lround((normal[c] + 1.0f) * 127.5f));
            }
        }
    }
}

void next_mip_level(TextureBuffer& buffer) {
    const int old_w = buffer.width;
    const int new_w = std::max(old_w / 2, 1);
    const int new_h = std::max(buffer.height / 2, 1);
    std::uint8_t* data = buffer.texels.data();
    const auto p = [&](int x, int y, int c) {
        return static_cast<int>(data[(static_cast<std::size_t>(y) * old_w + x) * 4 + c]);
    };
    // Each new texel lies at or before every texel it reads, so the level can
    // be written over the start of the buffer in reading order.
    for (int y = 0; y < new_h; ++y) {
        const bool last_row = y == new_h - 1;
        for (int x = 0; x < new_w; ++x) {
            const bool last_column = x == new_w - 1;
            std::uint8_t* out = data + (static_cast<std::size_t>(y) * new_w + x) * 4;
            for (int c = 0; c < 4; ++c) {
                int value = 0;
                if (!last_column && !last_row) {
                    value = (4 * p(2 * x, 2 * y, c) + 2 * p(2 * x + 1, 2 * y, c) + 2 * p(2 * x + 1, 2 * y + 2, c) +
                             p(2 * x, 2 * y + 2, c)) /
                            9;
                } else if (!last_column) {
                    value = (2 * p(2 * x, 2 * y, c) + p(2 * x + 1, 2 * y, c)) / 3;
                } else if (!last_row) {
                    value = (2 * p(2 * x, 2 * y, c) + p(2 * x, 2 * y + 2, c)) / 3;
                } else {
                    value = p(2 * x, 2 * y, c);
                }
                out[c] = static_cast<std::uint8_t>(value);
            }
        }
    }
    buffer.width = new_w;
    buffer.height = new_h;
    buffer.texels.resize(static_cast<std::size_t>(new_w) * static_cast<std::size_t>(new_h) * 4);
}

}  // namespace rt

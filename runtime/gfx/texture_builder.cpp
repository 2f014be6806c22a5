#include "runtime/gfx/texture_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace rt {

TextureBuffer copy_upside_down(const RgbaImage& image, int x, int y, int width, int height, int texture_width,
                               int texture_height) {
    TextureBuffer buffer;
    copy_upside_down_into(buffer, image, x, y, width, height, texture_width, texture_height);
    return buffer;
}

void copy_upside_down_into(TextureBuffer& buffer, const RgbaImage& image, int x, int y, int width, int height,
                           int texture_width, int texture_height) {
    buffer.width = texture_width;
    buffer.height = texture_height;
    // Every byte is written once below: picture rows, then zeros around them.
    buffer.texels.resize(static_cast<std::size_t>(texture_width) * static_cast<std::size_t>(texture_height) * 4);
    const std::size_t row_bytes = static_cast<std::size_t>(texture_width) * 4;
    TexelRect filled;
    const int columns = std::min({width, texture_width, image.width - x});
    for (int row = 0; row < texture_height; ++row) {
        std::uint8_t* target = buffer.texel(0, row);
        std::size_t copied = 0;
        const int source_y = y + height - 1 - row;
        if (row < height && source_y >= 0 && source_y < image.height && columns > 0 && x >= 0) {
            copied = static_cast<std::size_t>(columns) * 4;
            std::memcpy(target, image.pixel(x, source_y), copied);
            if (filled.empty()) filled = {0, row, columns, row};
            filled.top = row + 1;
        }
        std::memset(target + copied, 0, row_bytes - copied);
    }
    buffer.filled = filled;
}

namespace {

bool visible(const std::uint8_t* texel) { return texel[3] != 0; }

// One transparent texel: the truncated average colour of
// its visible neighbours that lie strictly inside the texture, else black.
void bleed_texel(TextureBuffer& buffer, int x, int y) {
    const int w = buffer.width;
    const int h = buffer.height;
    int sum[3] = {0, 0, 0};
    int count = 0;
    for (int ny = std::max(y - 1, 1); ny <= std::min(y + 1, h - 2); ++ny) {
        for (int nx = std::max(x - 1, 1); nx <= std::min(x + 1, w - 2); ++nx) {
            if (nx == x && ny == y) continue;
            const std::uint8_t* neighbour = buffer.texel(nx, ny);
            if (!visible(neighbour)) continue;
            for (int c = 0; c < 3; ++c) sum[c] += neighbour[c];
            ++count;
        }
    }
    std::uint8_t* texel = buffer.texel(x, y);
    for (int c = 0; c < 3; ++c) texel[c] = count == 0 ? 0 : static_cast<std::uint8_t>(sum[c] / count);
}

}  // namespace

// True when none of the eight neighbours of an inner texel (one whose
// neighbours all lie strictly inside the texture) is visible: its bleed
// colour is then black. Reads only the alpha bytes, without branches.
bool no_visible_neighbour(const TextureBuffer& buffer, int x, int y) {
    const std::size_t stride = static_cast<std::size_t>(buffer.width) * 4;
    const std::uint8_t* middle = buffer.texels.data() + static_cast<std::size_t>(y) * stride +
                                 static_cast<std::size_t>(x) * 4 + 3;
    const std::uint8_t* above = middle + stride;
    const std::uint8_t* below = middle - stride;
    return (above[-4] | above[0] | above[4] | middle[-4] | middle[4] | below[-4] | below[0] | below[4]) == 0;
}

void bleed_colors(TextureBuffer& buffer) {
    // A transparent texel changes only when it has a visible neighbour or a
    // colour of its own; outside the filled rectangle and its ring it has neither.
    // Bleeding never changes alpha, so the order of visits does not matter.
    const TexelRect filled = buffer.filled.value_or(TexelRect{0, 0, buffer.width, buffer.height});
    if (filled.empty()) return;
    const TexelRect area{std::max(filled.left - 1, 0), std::max(filled.bottom - 1, 0),
                         std::min(filled.right + 1, buffer.width), std::min(filled.top + 1, buffer.height)};
    for (int y = area.bottom; y < area.top; ++y) {
        std::uint8_t* row = buffer.texel(0, y);
        const bool inner_row = y >= 2 && y <= buffer.height - 3;
        for (int x = area.left; x < area.right; ++x) {
            std::uint8_t* texel = row + static_cast<std::size_t>(x) * 4;
            if (visible(texel)) continue;
            // Most transparent texels of a picture lie amid others.
            if (inner_row && x >= 2 && x <= buffer.width - 3 && no_visible_neighbour(buffer, x, y)) {
                texel[0] = texel[1] = texel[2] = 0;
                continue;
            }
            bleed_texel(buffer, x, y);
        }
    }
    buffer.filled = area;
}

void build_texels(TextureBuffer& buffer, const RgbaImage& image, int x, int y, int width, int height,
                  int texture_width, int texture_height, bool nearest, bool normal_map) {
    copy_upside_down_into(buffer, image, x, y, width, height, texture_width, texture_height);
    if (!nearest) bleed_colors(buffer);
    if (normal_map) convert_to_normal_map(buffer);
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
    buffer.filled.reset();  // flat areas get a normal too
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
    buffer.filled.reset();
    buffer.texels.resize(static_cast<std::size_t>(new_w) * static_cast<std::size_t>(new_h) * 4);
}

}  // namespace rt

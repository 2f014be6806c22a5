
#include <algorithm>

#include "runtime/core/frame_loop.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/texture_builder.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

namespace fs = std::filesystem;

// Colour bleeding as plainly written: every texel of the texture visited.
void bleed_every_texel(rt::TextureBuffer& buffer) {
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
                    const std::uint8_t* n = buffer.texel(nx, ny);
                    if ((nx == x && ny == y) || n[3] == 0) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += n[c];
                    ++count;
                }
            }
            for (int c = 0; c < 3; ++c) texel[c] = count == 0 ? 0 : static_cast<std::uint8_t>(sum[c] / count);
        }
    }
}

std::vector<fs::path> pictures_in(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".png" || ext == ".bmp")) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Whole pictures as sprites get them, and tile cuts that run past the
// picture's edges as tiled screens get them, under both colour keys.
void expect_same_bleeding(const fs::path& file, int& compared) {
    for (const std::int32_t key : {rt::default_color_key, rt::no_color_key}) {
        rt::RgbaImage image;
        if (!rt::read_picture_image(image, file.string(), key)) return;
        const int w = image.width, h = image.height;
        const int cuts[][4] = {{0, 0, w, h}, {w / 2, h / 3, 16, 16}, {0, h - 3, 8, 8}, {w - 1, 0, 4, 2}};
        for (const auto& cut : cuts) {
            const int tw = rt::texture_size_for(cut[2]), th = rt::texture_size_for(cut[3]);
            rt::TextureBuffer expected = rt::copy_upside_down(image, cut[0], cut[1], cut[2], cut[3], tw, th);
            rt::TextureBuffer actual = expected;
            bleed_every_texel(expected);
            rt::bleed_colors(actual);
            ASSERT_EQ(actual.texels, expected.texels) << file << " key " << key << " cut at " << cut[0] << ","
                                                      << cut[1];
            ++compared;
        }
    }
}

// The load's buffer is reused from picture to picture and not cleared
// first: nothing of the last picture may survive around the next one.
TEST(TextureIdentity, AReusedBufferKeepsNothingOfTheLastPicture) {
    rt::RgbaImage large;
    large.reset(60, 30);
    std::fill(large.pixels.begin(), large.pixels.end(), std::uint8_t{0xEE});
    rt::TextureBuffer buffer;
    rt::copy_upside_down_into(buffer, large, 0, 0, 60, 30, 64, 32);
    rt::RgbaImage small;
    small.reset(5, 3);
    std::fill(small.pixels.begin(), small.pixels.end(), std::uint8_t{0x11});
    rt::copy_upside_down_into(buffer, small, 0, 0, 5, 3, 64, 32);

    ASSERT_EQ(buffer.texels.size(), 64u * 32u * 4u);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t expected = x < 5 && y < 3 ? 0x11 : 0;
            for (int c = 0; c < 4; ++c) ASSERT_EQ(buffer.texel(x, y)[c], expected) << x << "," << y;
        }
    }
}

TEST(TextureIdentity, BleedingNearThePictureEqualsBleedingEveryTexel) {
    const fs::path game_pictures = fs::path(MARLOWICK_BIN_DIR).parent_path() / "media/files/gfx";
    const fs::path suites = MARLOWICK_TESTDATA;
    int folders = 0;
    int compared = 0;
    for (const fs::path& folder : {game_pictures, suites / "pngsuite", suites / "bmpsuite"}) {
        const auto files = pictures_in(folder);
        if (files.empty()) continue;
        ++folders;
        for (const fs::path& file : files) expect_same_bleeding(file, compared);
    }
    if (folders == 0) GTEST_SKIP() << "no game pictures and no conformance suites found";
    EXPECT_GT(compared, 100);
}

class TextureReuse : public gfx_test::GlTest {};

rt::ByteBuffer texture_texels(std::uint32_t texture, int width, int height) {
    rt::ByteBuffer texels(static_cast<std::size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// A load that refills a freed texture must leave nothing of the old picture,
// and the twin built on first use must match the one built from the picture.
TEST_F(TextureReuse, RefilledTextureHoldsOnlyTheNewPicture) {
    gfx_test::Picture wide(60, 20, {200, 10, 10, 255});
    gfx_test::Picture narrow(33, 17, {10, 200, 10, 255});
    narrow.at(5, 5) = {255, 0, 128, 255};  // keyed: bled from its neighbours
    load(1, wide);
    const std::uint32_t first_texture = rt::graphics().sprites[1].texture;
    load(1, narrow);
    const rt::SpriteSlot& s = rt::graphics().sprites[1];
    EXPECT_EQ(s.texture, first_texture);  // the same storage, refilled
    ASSERT_EQ(s.texture_width, 64);
    ASSERT_EQ(s.texture_height, 32);

    rt::RgbaImage image;
    ASSERT_TRUE(rt::read_picture_image(image, file("slot1.bmp").string(), rt::default_color_key));
    rt::TextureBuffer expected = rt::copy_upside_down(image, 0, 0, 33, 17, 64, 32);
    bleed_every_texel(expected);
    EXPECT_EQ(texture_texels(s.texture, 64, 32), expected.texels);

    EXPECT_EQ(s.mip_texture, 0u);
    const std::uint32_t twin = rt::sprite_mip_texture(1);
    ASSERT_NE(twin, 0u);
    EXPECT_EQ(texture_texels(twin, 64, 32), expected.texels);
    rt::TextureBuffer level = expected;
    rt::next_mip_level(level);
    rt::ByteBuffer level1(level.texels.size());
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1.data());
    EXPECT_EQ(level1, level.texels);
    EXPECT_EQ(rt::sprite_mip_texture(rt::first_font_slot), 0u);
}

// A freed texture serves another slot's load of its size within the same
// frame; once the frame is shown, storage nobody holds is given back.
TEST_F(TextureReuse, FreedStorageServesTheFrameThenIsGivenUp) {
    load(1, gfx_test::Picture(60, 20, {200, 10, 10, 255}));
    const std::uint32_t freed = rt::graphics().sprites[1].texture;
    rt::free_sprite_slot(1);
    load(2, gfx_test::Picture(50, 30, {10, 200, 10, 255}));
    EXPECT_EQ(rt::graphics().sprites[2].texture, freed) << "same 64 x 32 storage, taken from the spares";

    rt::free_sprite_slot(2);
    ASSERT_EQ(rt::graphics().spare_textures.size(), 1u);
    rt::present_frame();
    EXPECT_TRUE(rt::graphics().spare_textures.empty());
    EXPECT_FALSE(glIsTexture(freed));
    load(3, gfx_test::Picture(60, 20, {10, 10, 200, 255}));
    EXPECT_NE(rt::graphics().sprites[3].texture, 0u);
}

}  // namespace

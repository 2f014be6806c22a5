// Pictures decoded on the second thread reach a load only when the load's
// file holds the very bytes decoded and asks for the same colour key.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "runtime/files/archive_format.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/picture_read_ahead.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PictureReadAhead : public ::testing::Test {
protected:
    void SetUp() override {
        gfx_test::Picture keyed(3, 2, {10, 20, 30, 255});
        keyed.at(1, 1) = {255, 0, 128, 255};  // the default key: transparent after decoding
        gfx_test::write_bmp24(temp_.path() / "keyed.bmp", keyed);
        gfx_test::write_png_rgba(temp_.path() / "plain.png", gfx_test::Picture(2, 2, {1, 2, 3, 255}));
        keyed_ = file_bytes(temp_.path() / "keyed.bmp");
        plain_ = file_bytes(temp_.path() / "plain.png");
        const auto archive = rt::archive::build_archive(
            {{"keyed.bmp", keyed_}, {"plain.png", plain_}, {"broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3}}}, 0,
            rt::archive::OffsetBase::file_start);
        std::ofstream(archive_path(), std::ios::binary)
            .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    }
    void TearDown() override { rt::end_picture_read_ahead(); }

    std::string archive_path() const { return (temp_.path() / "media.gfx").string(); }
    static bool take(const Bytes& bytes, std::int32_t key, rt::RgbaImage& image,
                     rt::TextureBuffer* texture = nullptr) {
        return rt::take_picture_read_ahead(bytes, key, image, texture);
    }

    testing_support::TempDir temp_;
    Bytes keyed_, plain_;
};

TEST_F(PictureReadAhead, HandsOverTheDecodedPictureOnceForTheSameBytesAndKey) {
    rt::read_pictures_ahead(archive_path(), {"gfx/keyed.bmp", "gfx/plain.png", "gfx/broken.png", "gfx/absent.png"},
                            rt::default_color_key);
    rt::wait_for_picture_read_ahead();

    rt::RgbaImage expected;
    ASSERT_TRUE(rt::decode_bmp_image(expected, keyed_, rt::default_color_key));
    rt::RgbaImage image;
    EXPECT_FALSE(take(keyed_, rt::no_color_key, image)) << "decoded with another key";
    ASSERT_TRUE(take(keyed_, rt::default_color_key, image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, expected.pixels);
    EXPECT_EQ(image.pixel(1, 1)[3], 0) << "the key colour is transparent, as the load's own decode makes it";
    EXPECT_FALSE(take(keyed_, rt::default_color_key, image)) << "a second load decodes for itself";

    // The texels come ready for a filtered texture: flipped, padded, colours bled.
    rt::TextureBuffer texture;
    ASSERT_TRUE(take(plain_, rt::default_color_key, image, &texture));
    rt::TextureBuffer built;
    rt::copy_upside_down_into(built, image, 0, 0, 2, 2, 2, 2);
    rt::bleed_colors(built);
    EXPECT_EQ(texture.width, 2);
    EXPECT_EQ(texture.texels, built.texels);

    Bytes changed = plain_;
    changed.back() ^= 1;
    EXPECT_FALSE(take(changed, rt::default_color_key, image)) << "a loose file with other bytes";
    EXPECT_FALSE(take({0x89, 'P', 'N', 'G', 1, 2, 3}, rt::default_color_key, image)) << "refused by the decoders";

}

// Each of these holds more than the read-ahead may keep waiting at once: the
// second thread goes on only as the loads take what it decoded.
TEST_F(PictureReadAhead, LargePicturesAreHandedOverOneAfterAnother) {
    std::vector<rt::archive::PackEntry> entries;
    std::vector<std::string> names;
    for (std::uint8_t shade : {40, 80, 120, 160}) {
        const std::string name = "large" + std::to_string(shade) + ".png";
        gfx_test::write_png_rgba(temp_.path() / name, gfx_test::Picture(1024, 768, {shade, 0, 0, 255}));
        entries.push_back({name, file_bytes(temp_.path() / name)});
        names.push_back("gfx/" + name);
    }
    const auto archive = rt::archive::build_archive(entries, 0, rt::archive::OffsetBase::file_start);
    std::ofstream(archive_path(), std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));

    rt::read_pictures_ahead(archive_path(), names, rt::default_color_key);
    rt::wait_for_picture_read_ahead();
    for (const auto& [name, bytes] : entries) {
        rt::RgbaImage image;
        rt::TextureBuffer texture;
        ASSERT_TRUE(take(bytes, rt::default_color_key, image, &texture)) << name;
        rt::RgbaImage expected;
        ASSERT_TRUE(rt::decode_png_image(expected, bytes, rt::default_color_key, name));
        EXPECT_EQ(image.pixels, expected.pixels) << name;
        EXPECT_EQ(texture.width, 1024) << name;
    }
}

TEST_F(PictureReadAhead, ALoadBeforeTheDecodeStartsOrWithoutAnArchiveDecodesForItself) {
    rt::read_pictures_ahead((temp_.path() / "missing.gfx").string(), {"gfx/keyed.bmp"}, rt::default_color_key);
    rt::RgbaImage image;
    EXPECT_FALSE(take(keyed_, rt::default_color_key, image));

    // Claimed by the load, whether or not the second thread got to it first:
    // afterwards no copy of it is left behind.
    rt::read_pictures_ahead(archive_path(), {"gfx/keyed.bmp"}, rt::default_color_key);
    take(keyed_, rt::default_color_key, image);
    rt::wait_for_picture_read_ahead();
    EXPECT_FALSE(take(keyed_, rt::default_color_key, image));

    rt::read_pictures_ahead(archive_path(), {"gfx/keyed.bmp"}, rt::default_color_key);
    rt::wait_for_picture_read_ahead();
    rt::end_picture_read_ahead();
    EXPECT_FALSE(take(keyed_, rt::default_color_key, image)) << "nothing is handed over after the end";
}

}  // namespace

// The decoders against the PNG and BMP conformance suites (expected pixels
// from ImageMagick, run at test time, and from the suites' dumps), and
// against pictures written here.
#include <png.h>

#include <fstream>
#include <optional>

#include "runtime/gfx/picture_files.h"
#include "tests/support/headless.h"
#include "tests/support/testdata.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> files_in(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == extension) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// RGBA bytes of a picture as ImageMagick decodes it, or nothing when it refuses.
std::optional<std::vector<std::uint8_t>> magick_rgba(const fs::path& picture, const fs::path& scratch) {
    const fs::path out = scratch / "magick.rgba";
    fs::remove(out);
    const std::string command =
        "convert '" + picture.string() + "' -set colorspace sRGB -depth 8 rgba:'" + out.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(out)) return std::nullopt;
    const std::string data = testing_support::read_file(out);
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

// Compares decoded pixels with expected RGBA; colours of fully transparent
// pixels do not count. tolerance allows for 16-to-8-bit rounding differences.
::testing::AssertionResult same_pixels(const rt::RgbaImage& image, const std::vector<std::uint8_t>& expected,
                                       int tolerance, bool compare_alpha = true) {
    if (expected.size() != image.pixels.size()) {
        return ::testing::AssertionFailure() << "size " << image.width << "x" << image.height << " vs "
                                             << expected.size() / 4 << " pixels";
    }
    for (std::size_t i = 0; i < expected.size(); i += 4) {
        const bool transparent = compare_alpha && expected[i + 3] == 0;
        for (int c = 0; c < (compare_alpha ? 4 : 3); ++c) {
            if (transparent && c < 3) continue;
            if (std::abs(int(image.pixels[i + c]) - int(expected[i + c])) > tolerance) {
                return ::testing::AssertionFailure()
                       << "pixel " << i / 4 << " channel " << c << ": " << int(image.pixels[i + c]) << " vs "
                       << int(expected[i + c]);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The channels of a pixel picked by `which` ("rgba" order indices).
std::vector<int> channels(const rt::RgbaImage& image, int x, int y, std::initializer_list<int> which) {
    std::vector<int> values;
    for (int c : which) values.push_back(image.pixel(x, y)[c]);
    return values;
}

// ---- PNG -------------------------------------------------------------------

// What libpng reads from a file's head: grey with alpha (an alpha channel or
// tRNS), 16-bit samples.
struct PngFacts {
    bool grey_with_alpha = false;
    bool sixteen_bits = false;
};

PngFacts png_facts(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    png_image_free(&image);
    return {(image.format & PNG_FORMAT_FLAG_COLOR) == 0 && (image.format & PNG_FORMAT_FLAG_ALPHA) != 0,
            (image.format & PNG_FORMAT_FLAG_LINEAR) != 0};
}

class PictureDecoding : public ::testing::Test {
protected:
    testing_support::TempDir temp_;
};

TEST_F(PictureDecoding, PngSuiteDecodesRightOrFailsCleanly) {
    MARLOWICK_TESTDATA_FOLDER(suite, "pngsuite");
    int decoded = 0, refused = 0;
    std::vector<fs::path> all = files_in(suite, ".png");
    for (const auto& p : files_in(suite / "go_sng", ".png")) all.push_back(p);
    for (const fs::path& path : all) {
        SCOPED_TRACE(path.string());
        const PngFacts facts = png_facts(path);
        const bool corrupt = path.filename().string()[0] == 'x';
        rt::RgbaImage image;
        testing::internal::CaptureStdout();
        const bool ok = rt::read_png_image(image, path.string(), rt::no_color_key);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // refusals are silent
        EXPECT_FALSE(rt::read_bmp_image(image, path.string(), rt::no_color_key));
        if (corrupt || facts.grey_with_alpha) {
            EXPECT_FALSE(ok);
            ++refused;
            continue;
        }
        ASSERT_TRUE(ok);
        ASSERT_TRUE(rt::read_png_image(image, path.string(), rt::no_color_key));
        ++decoded;
        const int tolerance = facts.sixteen_bits ? 1 : 0;
        const auto magick = magick_rgba(path, temp_.path());
        ASSERT_TRUE(magick.has_value());
        EXPECT_TRUE(same_pixels(image, *magick, tolerance));
    }
    EXPECT_GT(decoded, 150);
    EXPECT_GT(refused, 20);
}

TEST_F(PictureDecoding, BrokenPngFilesNeverDecodeToWrongPixels) {
    MARLOWICK_TESTDATA_FOLDER(suite, "pngsuite");
    for (const fs::path& path : files_in(suite / "go_invalid", ".png")) {
        SCOPED_TRACE(path.string());
        rt::RgbaImage image;
        image.reset(3, 3);
        image.pixel(1, 1)[0] = 42;
        if (!rt::read_png_image(image, path.string(), rt::no_color_key)) {
            EXPECT_EQ(image.width, 3);  // a failed decode leaves the image as it was
            EXPECT_EQ(image.pixel(1, 1)[0], 42);
            continue;
        }
        const auto magick = magick_rgba(path, temp_.path());
        if (magick) {
            EXPECT_TRUE(same_pixels(image, *magick, 0));
        }
    }
}

// A 2x1 picture written by libpng: the key colour (red 255, blue 128), then grey.
fs::path libpng_picture(const fs::path& dir, const char* name, std::uint32_t format, std::uint8_t alpha) {
    const std::uint8_t rgba[] = {255, 0, 128, alpha, 90, 90, 90, alpha};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 2;
    image.height = 1;
    image.format = format;
    std::uint8_t pixels[8];
    const int channels = PNG_IMAGE_PIXEL_CHANNELS(format);
    for (int i = 0; i < 2; ++i) std::copy_n(rgba + 4 * i, channels, pixels + channels * i);
    const fs::path path = dir / name;
    EXPECT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels, 0, nullptr)) << image.message;
    return path;
}

TEST_F(PictureDecoding, PngColourKeyAppliesToFilesWithoutAlphaOnly) {
    rt::RgbaImage image;
    const fs::path rgb = libpng_picture(temp_.path(), "rgb.png", PNG_FORMAT_RGB, 255);
    ASSERT_TRUE(rt::read_png_image(image, rgb.string(), rt::default_color_key));
    EXPECT_EQ(channels(image, 0, 0, {0, 3}), (std::vector{0, 0}));
    EXPECT_EQ(channels(image, 1, 0, {0, 3}), (std::vector{90, 255}));
    ASSERT_TRUE(rt::read_png_image(image, rgb.string(), rt::no_color_key));
    EXPECT_EQ(image.pixel(0, 0)[3], 255);
    const fs::path rgba = libpng_picture(temp_.path(), "rgba.png", PNG_FORMAT_RGBA, 200);
    ASSERT_TRUE(rt::read_png_image(image, rgba.string(), rt::default_color_key));
    EXPECT_EQ(channels(image, 0, 0, {0, 3}), (std::vector{255, 200}));
}

// Inputs the fuzzers once found trouble with are refused cleanly.
TEST_F(PictureDecoding, EarlierFuzzFindingsAreRefused) {
    const fs::path kept = fs::path(MARLOWICK_SOURCE_DIR) / "tools" / "fuzz" / "regressions";
    for (const fs::path& path : files_in(kept / "fuzz_png_reader", ".png")) {
        SCOPED_TRACE(path.string());
        rt::RgbaImage image;
        EXPECT_FALSE(rt::read_png_image(image, path.string(), rt::no_color_key));
        EXPECT_EQ(image.width, 0);
    }
}

// ---- BMP -------------------------------------------------------------------

struct BmpFacts {
    std::uint32_t header_size = 0, bits = 0, compression = 0;
    std::int32_t height = 0;
    bool default_masks = false;
};

BmpFacts bmp_facts(const std::string& d) {
    const auto u = [&](std::size_t i, int n) {
        std::uint32_t v = 0;
        for (int k = n - 1; k >= 0; --k) v = v << 8 | std::uint8_t(d[i + k]);
        return v;
    };
    BmpFacts f;
    if (d.size() < 66) return f;
    f.header_size = u(14, 4);
    if (f.header_size == 12) {
        f.bits = u(24, 2);
        f.height = std::int32_t(u(20, 2));
    } else {
        f.bits = u(28, 2);
        f.compression = u(30, 4);
        f.height = std::int32_t(u(22, 4));
        f.default_masks = u(54, 4) == 0xFF0000 && u(58, 4) == 0xFF00 && u(62, 4) == 0xFF;
    }
    return f;
}

std::vector<std::uint8_t> flipped(const std::vector<std::uint8_t>& rgba, int width, int height) {
    std::vector<std::uint8_t> out(rgba.size());
    const std::size_t row = std::size_t(width) * 4;
    for (int y = 0; y < height; ++y) std::copy_n(&rgba[y * row], row, &out[(height - 1 - y) * row]);
    return out;
}

TEST_F(PictureDecoding, BmpSuiteDecodesRightOrFailsCleanly) {
    MARLOWICK_TESTDATA_FOLDER(suite, "bmpsuite");
    int matched = 0;
    for (const char* group : {"g", "q", "b", "x"}) {
        for (const fs::path& path : files_in(suite / group, ".bmp")) {
            SCOPED_TRACE(path.string());
            const BmpFacts f = bmp_facts(testing_support::read_file(path));
            rt::RgbaImage image;
            const bool ok = rt::read_bmp_image(image, path.string(), rt::no_color_key);
            if (!ok) {
                EXPECT_EQ(image.width, 0);
                EXPECT_EQ(image.capacity(), 0U);
            }
            const bool plain_layout = (f.bits == 8 || f.bits == 24 || f.bits == 32) &&
                                      (f.compression == 0 || (f.compression == 3 && f.default_masks)) &&
                                      (f.header_size == 12 || f.header_size == 40 || f.header_size >= 108);
            if (std::string(group) == "g") {
                if (plain_layout) {
                    EXPECT_TRUE(ok);
                }
                if (f.bits != 8 && f.bits != 24 && f.bits != 32) {
                    EXPECT_FALSE(ok);
                }
            }
            if (!ok || !plain_layout || std::string(group) == "b") continue;
            const auto magick = magick_rgba(path, temp_.path());
            if (!magick) continue;
            // Rows are always taken bottom-up, so a top-down file comes out upside down.
            const auto expected = f.height < 0 ? flipped(*magick, image.width, image.height) : *magick;
            EXPECT_TRUE(same_pixels(image, expected, 0, false));
            for (std::size_t i = 3; i < image.pixels.size(); i += 4) ASSERT_EQ(image.pixels[i], 255);
            ++matched;
        }
    }
    EXPECT_GT(matched, 15);
}

// A BMP written here byte by byte: header, optional palette, then rows.
std::string handmade_bmp(int width, int height, int bits, const std::vector<std::uint8_t>& rows,
                         int palette_entries = 0) {
    std::string d = "BM";
    const auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) d.push_back(char(v >> (8 * i)));
    };
    const std::uint32_t offset = 54 + 4 * palette_entries, entries = std::uint32_t(palette_entries);
    for (const auto& [value, size] : {std::pair{offset + std::uint32_t(rows.size()), 4}, {0u, 4}, {offset, 4},
                                     {40u, 4}, {std::uint32_t(width), 4}, {std::uint32_t(height), 4}, {1u, 2},
                                     {std::uint32_t(bits), 2}, {0u, 4}, {0u, 4}, {0u, 4},
                                     {0u, 4}, {entries, 4}, {0u, 4}}) {
        put(value, size);
    }
    for (int i = 0; i < palette_entries; ++i) put(std::uint32_t(i * 0x010203), 4);  // blue 3i, green 2i, red i
    d.append(rows.begin(), rows.end());
    return d;
}

// Palette indices past the stored palette (skipped by the suite comparison).
TEST_F(PictureDecoding, BmpPaletteIndicesPastThePaletteShowBlack) {
    const auto decode = [&](const std::vector<std::uint8_t>& rows, rt::RgbaImage& image) {
        std::ofstream(temp_.path() / "t.bmp", std::ios::binary) << handmade_bmp(6, 2, 8, rows, 10);
        return rt::read_bmp_image(image, (temp_.path() / "t.bmp").string(), rt::no_color_key);
    };
    rt::RgbaImage image;
    // 6 wide: 8-byte rows, bottom row first.
    std::vector<std::uint8_t> rows(16, 0);
    rows[8 + 5] = 4;
    rows[8 + 4] = 200;
    ASSERT_TRUE(decode(rows, image));
    EXPECT_EQ(channels(image, 5, 0, {0, 1, 2}), (std::vector{4, 8, 12}));
    EXPECT_EQ(channels(image, 4, 0, {0, 3}), (std::vector{0, 255}));
    rows.pop_back();  // one byte short of the last row
    EXPECT_FALSE(decode(rows, image));
    EXPECT_EQ(image.width, 0);
}

}  // namespace

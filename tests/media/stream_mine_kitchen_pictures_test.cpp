// The pictures from the stream path to the chateau kitchen (a23 to a34, also
// shown at a26, a31 and a40): every picture the game loads there is built,
// outdoor pictures leave the sky to the backdrop, indoor ones cover the
// screen, overlays fit where the game draws them, and the bands where the
// game prints text stay calm.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Image read_picture(const std::string& name) {
    const fs::path path = fs::path(MARLOWICK_BIN_DIR) / ".." / "media" / "files" / "gfx" / (name + ".png");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    Image img;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        ADD_FAILURE() << path << ": " << png.message;
        return img;
    }
    png.format = PNG_FORMAT_RGBA;
    img.rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, img.rgba.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << png.message;
        return Image{};
    }
    img.width = static_cast<int>(png.width);
    img.height = static_cast<int>(png.height);
    return img;
}

// Pixels in a rectangle that are fully transparent / neither 0 nor 255 / the colour key.
struct Census {
    long clear = 0;
    long partial = 0;
    long colour_key = 0;
    long total = 0;
};

Census census(const Image& img, int x0, int y0, int x1, int y1) {
    Census c;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = img.at(x, y);
            c.clear += p[3] == 0;
            c.partial += p[3] != 0 && p[3] != 255;
            c.colour_key += p[0] == 255 && p[1] == 0 && p[2] == 128;
            ++c.total;
        }
    return c;
}

double brightness_spread(const Image& img, int x0, int y0, int x1, int y1) {
    double sum = 0, sum_sq = 0;
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = img.at(x, y);
            const double v = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            sum += v, sum_sq += v * v, ++n;
        }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, sum_sq / n - mean * mean));
}

// A main picture with the rectangle where its location prints text (the
// description and the left part of the menu), and whether the sky backdrop
// shows through there.
struct MainPicture {
    const char* name;
    bool over_sky;
    int text_x1, text_y1;  // text band from (0, 0)
    int menu_y0, menu_y1;  // menu rows, left 300 px
};

const MainPicture main_pictures[] = {
    {"a23", true, 640, 70, 150, 250},  {"a24", true, 640, 70, 150, 250},  {"a25", true, 640, 70, 150, 270},
    {"a27", false, 640, 70, 130, 230}, {"a28", false, 640, 150, 210, 290}, {"a29", false, 640, 130, 170, 290},
    {"a30", false, 640, 50, 110, 250}, {"a32", true, 330, 70, 130, 230},  {"a32a", false, 640, 70, 0, 0},
    {"a33", false, 640, 90, 110, 230}, {"a34", false, 640, 50, 70, 190},
};

TEST(StreamMineKitchenPictures, MainPicturesCoverWhatTheirBackdropLeaves) {
    for (const MainPicture& m : main_pictures) {
        SCOPED_TRACE(m.name);
        const Image img = read_picture(m.name);
        ASSERT_EQ(img.width, 640);
        ASSERT_EQ(img.height, 480);
        const Census all = census(img, 0, 0, 640, 480);
        EXPECT_EQ(all.partial, 0) << "alpha must be 0 or 255";
        EXPECT_EQ(all.colour_key, 0);
        if (m.over_sky) {
            // The sky is the backdrop's: the text band is see-through, the ground is not.
            const Census band = census(img, 0, 0, m.text_x1, m.text_y1);
            EXPECT_EQ(band.clear, band.total);
            EXPECT_EQ(census(img, 0, 440, 640, 480).clear, 0);
        } else {
            EXPECT_EQ(all.clear, 0) << "a picture without a backdrop must cover the screen";
            EXPECT_LT(brightness_spread(img, 0, 0, m.text_x1, m.text_y1), 24.0);
            if (m.menu_y1 > m.menu_y0) {
                EXPECT_LT(brightness_spread(img, 0, m.menu_y0, 300, m.menu_y1), 24.0);
            }
        }
    }
}

struct Overlay {
    const char* name;
    int x, y;
};

// Positions as the locations draw them.
const Overlay overlays[] = {
    {"a25a", 99, 371},  {"a25b", 198, 270}, {"a25c", 425, 271}, {"a29a", 300, 400}, {"a29b", 380, 340},
    {"a30a", 201, 311}, {"a33a", 186, 206}, {"a33b", 133, 244}, {"a33c", 97, 248},
};

TEST(StreamMineKitchenPictures, OverlaysAreCutOutsThatFitWhereTheyAreDrawn) {
    for (const Overlay& o : overlays) {
        SCOPED_TRACE(o.name);
        const Image img = read_picture(o.name);
        ASSERT_GT(img.width, 0);
        EXPECT_LE(o.x + img.width, 640);
        EXPECT_LE(o.y + img.height, 480);
        const Census all = census(img, 0, 0, img.width, img.height);
        EXPECT_EQ(all.partial, 0);
        EXPECT_EQ(all.colour_key, 0);
        EXPECT_GT(all.clear, 0) << "an overlay leaves its surroundings transparent";
        EXPECT_LT(all.clear, all.total) << "overlay is empty";
        // Nothing is cut off at the canvas edge: the outermost rows and
        // columns hold at most the outline's rim.
        EXPECT_GT(census(img, 0, 0, img.width, 1).clear, img.width / 3);
        EXPECT_GT(census(img, 0, img.height - 1, img.width, img.height).clear, img.width / 3);
    }
}

}  // namespace

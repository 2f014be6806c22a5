// The pictures from the corridor to the end of the beam (b21 to b43): each
// exists in the built media with the size and transparency its screen needs,
// every overlay fits on screen at each position it is drawn at, and the band
// where the description is printed stays calm.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path gfx_dir = fs::path(MARLOWICK_BIN_DIR) / ".." / "media" / "files" / "gfx";

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    std::uint8_t alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    double luma(int x, int y) const {
        const std::uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    }
};

Picture load(const std::string& name) {
    const fs::path path = gfx_dir / (name + ".png");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture pic;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return pic;
    }
    image.format = PNG_FORMAT_RGBA;
    pic.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pic.rgba.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << image.message;
        return Picture{};
    }
    pic.width = static_cast<int>(image.width);
    pic.height = static_cast<int>(image.height);
    return pic;
}

// How a picture is drawn: alone over the whole screen, over the sky backdrop
// (its sky left out), or as an overlay at one or more positions.
enum class Drawn { alone, over_sky, overlay };

struct Entry {
    const char* name;
    Drawn drawn;
    std::vector<std::pair<int, int>> at;  // overlay positions
};

const std::vector<Entry> entries = {
    {"b21", Drawn::alone, {}},           {"b21a", Drawn::alone, {}},
    {"b22", Drawn::alone, {}},           {"b22a", Drawn::overlay, {{440, 316}}},
    {"b23", Drawn::alone, {}},           {"b23a", Drawn::overlay, {{450, 310}, {537, 295}}},
    {"b23b", Drawn::overlay, {{453, 374}}}, {"b23c", Drawn::overlay, {{75, 170}}},
    {"b25", Drawn::alone, {}},           {"b25a", Drawn::overlay, {{46, 270}}},
    {"b25b", Drawn::overlay, {{240, 420}}}, {"b25c", Drawn::overlay, {{535, 370}}},
    {"b26", Drawn::alone, {}},           {"b26a", Drawn::overlay, {{370, 255}}},
    {"b27", Drawn::alone, {}},           {"b27a", Drawn::overlay, {{236, 220}}},
    {"b27b", Drawn::overlay, {{245, 225}}}, {"b27c", Drawn::overlay, {{442, 296}}},
    {"b30", Drawn::alone, {}},           {"b30a", Drawn::alone, {}},
    {"b31", Drawn::alone, {}},           {"b32", Drawn::alone, {}},
    {"b32a", Drawn::alone, {}},          {"b33", Drawn::alone, {}},
    {"b33a", Drawn::alone, {}},          {"b34", Drawn::alone, {}},
    {"b34a", Drawn::alone, {}},          {"b36", Drawn::over_sky, {}},
    {"b37", Drawn::alone, {}},           {"b38", Drawn::alone, {}},
    {"b38a", Drawn::alone, {}},          {"b38b", Drawn::alone, {}},
    {"b38c", Drawn::alone, {}},          {"b42", Drawn::over_sky, {}},
    {"b42a", Drawn::overlay, {{30, 330}}}, {"b43", Drawn::alone, {}},
    {"b43a", Drawn::alone, {}},
};

TEST(MediaMuseumAndObservatoryPictures, FitTheirScreensWithHardAlphaAndNoColourKey) {
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        const Picture pic = load(e.name);
        ASSERT_GT(pic.width, 0);
        long opaque = 0, clear = 0, partial = 0, colour_key = 0;
        for (size_t i = 0; i < pic.rgba.size(); i += 4) {
            const std::uint8_t* p = &pic.rgba[i];
            opaque += p[3] == 255;
            clear += p[3] == 0;
            partial += p[3] != 0 && p[3] != 255;
            colour_key += p[0] == 255 && p[1] == 0 && p[2] == 128;
        }
        EXPECT_EQ(partial, 0);
        EXPECT_EQ(colour_key, 0);
        EXPECT_GT(opaque, 0);
        switch (e.drawn) {
            case Drawn::alone:
                EXPECT_EQ(pic.width, 640);
                EXPECT_EQ(pic.height, 480);
                EXPECT_EQ(clear, 0) << "drawn without a backdrop, so it must cover the screen";
                break;
            case Drawn::over_sky: {
                EXPECT_EQ(pic.width, 640);
                EXPECT_EQ(pic.height, 480);
                long sky = 0;  // the text band must show the sky backdrop
                for (int y = 0; y < 90; ++y)
                    for (int x = 0; x < 640; ++x) sky += pic.alpha(x, y) == 0;
                EXPECT_EQ(sky, 640L * 90);
                break;
            }
            case Drawn::overlay:
                EXPECT_GT(clear, 0) << "an overlay keeps its surroundings transparent";
                for (const auto& [x, y] : e.at) {
                    EXPECT_LE(x + pic.width, 640) << "at " << x << "," << y;
                    EXPECT_LE(y + pic.height, 480) << "at " << x << "," << y;
                }
                break;
        }
    }
}

double brightness_spread(const Picture& pic, int x0, int y0, int x1, int y1) {
    double sum = 0, sum_sq = 0;
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double l = pic.luma(x, y);
            sum += l, sum_sq += l * l, ++n;
        }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, sum_sq / n - mean * mean));
}

TEST(MediaMuseumAndObservatoryPictures, KeepTheTextBandCalm) {
    // Descriptions and messages take up to four lines from y 10.
    for (const Entry& e : entries) {
        if (e.drawn != Drawn::alone) continue;
        SCOPED_TRACE(e.name);
        const Picture pic = load(e.name);
        ASSERT_EQ(pic.height, 480);
        EXPECT_LT(brightness_spread(pic, 0, 0, 640, 80), 24.0);
    }
}

}  // namespace

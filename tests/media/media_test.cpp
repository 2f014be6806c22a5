// Checks the media the build makes as the player meets them: every picture
// the game's code loads is built, packed and hard-edged (the renderer drops
// texels at or below 0.05 and never blends) without colour-key pixels; every
// screen the gallery composes (pictures where the game draws them, the text
// it prints) fits, covers the screen and keeps its text over calm ground;
// font glyphs are measurable; music loops without a click.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "runtime/audio/wav_reader.h"
#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;

// Every media file is made here first, then packed beside the executable.
const fs::path media_dir = fs::path(MARLOWICK_BIN_DIR) / ".." / "media" / "files";
const fs::path bin_dir = MARLOWICK_BIN_DIR;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Picture read_png(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture pic;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        image.format = PNG_FORMAT_RGBA;
        pic.rgba.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, pic.rgba.data(), 0, nullptr)) {
            return {static_cast<int>(image.width), static_cast<int>(image.height), std::move(pic.rgba)};
        }
    }
    ADD_FAILURE() << path << ": " << image.message;
    return {};
}

const Picture& load(const std::string& name) {
    static std::map<std::string, Picture> loaded;
    if (auto it = loaded.find(name); it != loaded.end()) return it->second;
    return loaded[name] = read_png(media_dir / "gfx" / (name + ".png"));
}

// Alpha only 0 or 255, no colour-key pixels, something drawn.
void expect_hard_edged(const Picture& pic) {
    long partial = 0, colour_key = 0, opaque = 0;
    for (size_t i = 0; i < pic.rgba.size(); i += 4) {
        const std::uint8_t* p = &pic.rgba[i];
        partial += p[3] != 0 && p[3] != 255;
        opaque += p[3] == 255;
        colour_key += p[0] == 255 && p[1] == 0 && p[2] == 128;
    }
    EXPECT_EQ(partial, 0) << "alpha must be 0 or 255";
    EXPECT_EQ(colour_key, 0) << "red 255, green 0, blue 128 is the colour key";
    EXPECT_GT(opaque, 0) << "picture is empty";
}

// The packer's own listing of an archive: one entry name per line.
std::set<std::string> archive_listing(const fs::path& archive, const testing_support::TempDir& temp) {
    const fs::path listing = temp.path() / "listing.txt";
    const std::string command = bin_dir.string() + "/mwpack list " + archive.string() + " > " + listing.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::set<std::string> names;
    std::ifstream in(listing);
    for (std::string line; std::getline(in, line);) names.insert(line.substr(0, line.find('\t')));
    return names;
}

// Every picture name the game's code loads: the sets of the locations and
// the single load_picture calls.
std::set<std::string> pictures_the_game_loads() {
    std::set<std::string> names;
    const std::regex set_list(R"(load_set\([^{]*\{([^}]*)\})");
    const std::regex single(R"(load_picture\("([^"]+)\")");
    const std::regex quoted("\"([^\"]+)\"");
    for (const auto& entry : fs::directory_iterator(fs::path(MARLOWICK_SOURCE_DIR) / "game")) {
        if (entry.path().extension() != ".cpp") continue;
        const std::string code = testing_support::read_file(entry.path());
        for (std::sregex_iterator it(code.begin(), code.end(), set_list), end; it != end; ++it) {
            const std::string list = (*it)[1];
            for (std::sregex_iterator q(list.begin(), list.end(), quoted); q != end; ++q) names.insert((*q)[1]);
        }
        for (std::sregex_iterator it(code.begin(), code.end(), single), end; it != end; ++it) names.insert((*it)[1]);
    }
    return names;
}

// The game's kerning scan: the glyph over a white square, then from the
// column right of the cell leftwards, every second row, to the first pixel
// that is not pure white. Transparent texels are dropped by the renderer.
int measured_advance(const Picture& strip, int cell, int frame) {
    const int per_row = strip.width / cell;
    const int cx = (frame % per_row) * cell, cy = (frame / per_row) * cell;
    auto white = [&](int x, int y) {
        if (x >= cell) return true;
        const std::uint8_t* p = strip.at(cx + x, cy + y);
        return p[3] <= 12 || (p[0] == 255 && p[1] == 255 && p[2] == 255);
    };
    int x = cell, y = 0;
    while (x > 0 && white(x, y)) {
        y += 2;
        if (y == cell) --x, y = 0;
    }
    return x + 2;
}

int text_width(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) width += c == ' ' ? 20 : measured_advance(load("fontpc"), 20, c - 32);
    return width;
}

struct Rect {
    int x0, y0, x1, y1;
};

// The rows a wrapped paragraph takes from y: broken at the last space before
// the line reaches max_width, the way the game wraps.
std::vector<Rect> wrapped_lines(std::string text, int y, int max_width) {
    std::vector<Rect> lines;
    while (!text.empty()) {
        size_t cut = 0, i = 0;
        int width = 0;
        for (; width < max_width && i < text.size(); ++i) {
            if (text[i] == ' ') cut = i;
            width += text_width(text.substr(i, 1));
        }
        if (i == text.size() && width < max_width) cut = text.size();
        lines.push_back({0, y, text_width(text.substr(0, cut)), y + 20});
        text = cut < text.size() ? text.substr(cut + 1) : "";
        y += 20;
    }
    return lines;
}

// Spread of brightness over a rectangle: small where text can be read easily.
double brightness_spread(const Picture& pic, const Rect& r) {
    double sum = 0, sum_sq = 0;
    long n = 0;
    for (int y = std::max(r.y0, 0); y < std::min(r.y1, pic.height); ++y)
        for (int x = std::max(r.x0, 0); x < std::min(r.x1, pic.width); ++x) {
            const std::uint8_t* p = pic.at(x, y);
            const double l = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            sum += l, sum_sq += l * l, ++n;
        }
    const double mean = n ? sum / n : 0;
    return n ? std::sqrt(std::max(0.0, sum_sq / n - mean * mean)) : 0;
}

TEST(MediaPictures, EveryPictureTheGameLoadsIsBuiltAndHardEdged) {
    const std::set<std::string> names = pictures_the_game_loads();
    ASSERT_GT(names.size(), 150u);  // both parts' locations, the screens and the shared pictures
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        expect_hard_edged(load(name));
    }
    // Pointer and touch target are drawn at their hot spot minus 15 and 2.
    EXPECT_EQ(load("mouse").at(15, 15)[3], 255);
    EXPECT_EQ(load("f200targ").at(2, 2)[3], 255);
}

// The hardening step of the pipeline: alpha below half is dropped, the rest
// made opaque, and the colour key nudged off.
TEST(MediaPipeline, HardeningSplitsAlphaAtHalfAndAvoidsTheKey) {
    const testing_support::TempDir temp;
    const std::uint8_t soft[] = {9, 9, 9, 127, 9, 9, 9, 128, 9, 9, 9, 249, 255, 0, 128, 255};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 4;
    image.height = 1;
    image.format = PNG_FORMAT_RGBA;
    const fs::path in = temp.path() / "soft.png", out = temp.path() / "hard.png";
    ASSERT_TRUE(png_image_write_to_file(&image, in.c_str(), 0, soft, 0, nullptr));
    const std::string command = bin_dir.string() + "/../tools/media/media_harden " + in.string() + " " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::vector<std::uint8_t> rgba = read_png(out).rgba;
    ASSERT_EQ(rgba.size(), 16u);
    EXPECT_EQ((std::array{rgba[3], rgba[7], rgba[11], rgba[15]}), (std::array<std::uint8_t, 4>{0, 255, 255, 255}));
    EXPECT_EQ(rgba[14], 127);
}

// Every screen of the gallery's list, composed as the game draws it: each
// picture fits where it is placed, together they (or the fill) cover the
// screen, and the ground under the description (the first paragraph) is
// calm; menus, prompts and later messages may stand over the picture.
TEST(MediaScreens, PicturesFitCoverTheScreenAndLeaveTextOnCalmGround) {
    std::ifstream in(fs::path(MARLOWICK_SOURCE_DIR) / "tools" / "media" / "screens.txt");
    ASSERT_TRUE(in);
    std::set<std::string> placed;
    std::string screen_name;
    Picture screen;
    std::vector<std::pair<std::string, Rect>> texts;
    auto check_screen = [&] {
        if (screen_name.empty()) return;
        SCOPED_TRACE(screen_name);
        long uncovered = 0;
        for (size_t i = 3; i < screen.rgba.size(); i += 4) uncovered += screen.rgba[i] == 0;
        EXPECT_EQ(uncovered, 0) << "the screen shows through";
        for (const auto& [text, band] : texts) EXPECT_LT(brightness_spread(screen, band), 24.0) << text;
        texts.clear();
    };
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string op;
        if (!(words >> op) || op[0] == '#') continue;
        if (op == "screen") {
            check_screen();
            words >> screen_name;
            screen = Picture{640, 480, std::vector<std::uint8_t>(640 * 480 * 4)};
        } else if (op == "fill") {
            int r = 0, g = 0, b = 0;
            words >> r >> g >> b;
            for (size_t i = 0; i < screen.rgba.size(); i += 4)
                screen.rgba[i] = r, screen.rgba[i + 1] = g, screen.rgba[i + 2] = b, screen.rgba[i + 3] = 255;
        } else if (op == "picture") {
            std::string name;
            int x = 0, y = 0;
            words >> name >> x >> y;
            SCOPED_TRACE(screen_name + " " + name);
            const Picture& pic = load(name);
            placed.insert(name);
            if (x == -1) x = (640 - pic.width) / 2;
            ASSERT_GE(std::min(x, y), 0);
            ASSERT_LE(x + pic.width, 640);
            ASSERT_LE(y + pic.height, 480);
            for (int j = 0; j < pic.height; ++j)
                for (int i = 0; i < pic.width; ++i)
                    if (pic.at(i, j)[3] > 12) std::copy_n(pic.at(i, j), 4, &screen.rgba[((y + j) * 640 + x + i) * 4]);
        } else if (op == "wrap") {
            int y = 0, max_width = 640;
            words >> y >> max_width;
            std::string text;
            std::getline(words >> std::ws, text);
            if (!texts.empty()) continue;  // later messages may stand over the picture
            for (const Rect& r : wrapped_lines(text, y, max_width)) texts.push_back({text, r});
        }
    }
    check_screen();
    // The pointer and the touch target follow the player, not a screen.
    for (const std::string& name : pictures_the_game_loads())
        EXPECT_TRUE(placed.contains(name) || name == "mouse" || name == "f200targ") << name << " is on no screen";
}

void check_font_strip(const char* name, int cell) {
    SCOPED_TRACE(name);
    const Picture& strip = load(name);
    ASSERT_EQ(strip.width % cell, 0);
    ASSERT_GE((strip.width / cell) * (strip.height / cell), 96) << "96 frames, codes 32 to 127";
    expect_hard_edged(strip);
    const int per_row = strip.width / cell;
    auto column_pixels = [&](int frame, int column) {
        int count = 0;
        for (int y = 0; y < cell; ++y)
            count += strip.at((frame % per_row) * cell + column, (frame / per_row) * cell + y)[3] != 0;
        return count;
    };
    int space = 0;
    for (int x = 0; x < cell; ++x) space += column_pixels(0, x);
    EXPECT_EQ(space, 0) << "the space is empty";
    for (int f = 1; f < 95; ++f) {  // the printable characters 33 to 126
        SCOPED_TRACE(std::string(1, static_cast<char>(f + 32)));
        EXPECT_GT(column_pixels(f, 0), 0) << "a glyph starts at the left edge of its cell";
        const int advance = measured_advance(strip, cell, f);
        EXPECT_GT(advance, 2) << "the kerning scan must find every glyph";
        EXPECT_LE(advance, cell + 2);
    }
    EXPECT_LT(measured_advance(strip, cell, 'i' - 32), measured_advance(strip, cell, 'W' - 32));
}

TEST(MediaFonts, StripsAreMeasurableHardEdgedGlyphs) {
    check_font_strip("fontpc", 20);
    check_font_strip("fontgp", 10);
}

// The game's own sound loader takes only PCM with its data right after the format.
TEST(MediaSound, JingleLoadsAsSixteenBitPcmOfOneToSixSeconds) {
    const auto wav = rt::read_wav_file((media_dir / "aud" / "thames.wav").string());
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(wav->format.bits_per_sample, 16);
    const double seconds =
        static_cast<double>(wav->samples.size()) / (wav->format.samples_per_second * wav->format.block_align);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);
}

// Music decoded with sox (the pipeline's own tool) to 16-bit mono samples.
TEST(MediaMusic, PiecesLastHalfAMinuteToNinetySecondsAndLoopQuietly) {
    const testing_support::TempDir temp;
    constexpr int rate = 22050;
    for (const std::string name : {"title", "ingame"}) {
        SCOPED_TRACE(name);
        const fs::path raw = temp.path() / (name + ".raw");
        const std::string command = "sox \"" + (media_dir / "aud" / (name + ".mp3")).string() +
                                    "\" -t raw -e signed-integer -b 16 -c 1 -r 22050 \"" + raw.string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string bytes = testing_support::read_file(raw);
        const size_t count = bytes.size() / 2;
        auto rms = [&](size_t from, size_t n) {
            double sum = 0;
            for (size_t i = from; i < from + n; ++i) {
                const double s = static_cast<std::int16_t>(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8);
                sum += s * s;
            }
            return std::sqrt(sum / n) / 32768.0;
        };
        EXPECT_GE(count, 30u * rate);
        EXPECT_LE(count, 90u * rate);
        EXPECT_GT(rms(0, count), 0.05) << "a real piece, not near silence";
        // Both ends of the loop are quiet, so the jump from end to start cannot click.
        EXPECT_LT(rms(0, rate / 20), 0.01);
        EXPECT_LT(rms(count - rate / 20, rate / 20), 0.01);
    }
}

// The test programs play the game from the archives, so the build packs:
// pictures, fonts and the jingle in media.gfx, the music in media.aud, and no
// loose copies that would win over them.
TEST(MediaLayout, EveryFileIsPackedIntoItsArchive) {
    const testing_support::TempDir temp;
    const std::set<std::string> graphics = archive_listing(bin_dir / "media.gfx", temp);
    const std::set<std::string> music = archive_listing(bin_dir / "media.aud", temp);
    for (const auto& entry : fs::directory_iterator(media_dir / "gfx"))
        EXPECT_TRUE(graphics.contains(entry.path().filename().string())) << entry.path();
    EXPECT_TRUE(graphics.contains("thames.wav"));
    EXPECT_TRUE(music.contains("title.mp3") && music.contains("ingame.mp3"));
    EXPECT_FALSE(fs::exists(bin_dir / "gfx"));
}

}  // namespace

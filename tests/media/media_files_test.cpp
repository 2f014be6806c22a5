// Checks the media the build produces against what the game needs of them:
// sizes that fit their drawing positions, hard-edged alpha (the renderer
// drops texels at or below 0.05 and never blends), no colour-key pixels,
// calm room where text is printed, measurable font glyphs, and music that
// loops without a click.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/headless.h"

namespace {

namespace fs = std::filesystem;

// Every media file is made here first; loose builds copy them beside the executable.
const fs::path media_dir = fs::path(MARLOWICK_BIN_DIR) / ".." / "media" / "files";

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Picture load(const std::string& name) {
    const fs::path path = media_dir / "gfx" / (name + ".png");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture pic;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return pic;
    }
    image.format = PNG_FORMAT_RGBA;
    pic.width = static_cast<int>(image.width);
    pic.height = static_cast<int>(image.height);
    pic.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pic.rgba.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << image.message;
        pic = Picture{};
    }
    return pic;
}

struct AlphaCount {
    long opaque = 0;
    long clear = 0;
    long partial = 0;
    long colour_key = 0;
};

AlphaCount count_alpha(const Picture& pic) {
    AlphaCount n;
    for (size_t i = 0; i < pic.rgba.size(); i += 4) {
        const std::uint8_t* p = &pic.rgba[i];
        if (p[3] == 255) ++n.opaque;
        else if (p[3] == 0) ++n.clear;
        else ++n.partial;
        if (p[0] == 255 && p[1] == 0 && p[2] == 128) ++n.colour_key;
    }
    return n;
}

// Spread of brightness over a rectangle: small where text can be read easily.
double brightness_spread(const Picture& pic, int x0, int y0, int x1, int y1) {
    double sum = 0, sum_sq = 0;
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = pic.at(x, y);
            const double l = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            sum += l, sum_sq += l * l, ++n;
        }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, sum_sq / n - mean * mean));
}

enum class Cover { opaque, with_holes };

struct Expected {
    const char* name;
    int width;   // 0: checked by the fit rule below
    int height;
    Cover cover;
};

// Full pictures drawn first must cover the screen; the others are drawn over
// something and keep transparent parts.
const Expected pictures[] = {
    {"gfxsky", 640, 480, Cover::opaque},    {"gfxdark", 640, 480, Cover::opaque},
    {"gfxdngn", 640, 480, Cover::opaque},   {"gfxfall2", 640, 480, Cover::opaque},
    {"gfxfall", 640, 480, Cover::with_holes}, {"compo", 640, 480, Cover::opaque},
    {"brinco", 640, 480, Cover::opaque},    {"vxtitle", 640, 480, Cover::opaque},
    {"story01a", 640, 480, Cover::opaque},  {"story01b", 640, 480, Cover::with_holes},
    {"story02a", 640, 480, Cover::opaque},  {"b44", 640, 480, Cover::opaque},
    {"mouse", 31, 31, Cover::with_holes},   {"f200targ", 5, 5, Cover::with_holes},
    {"biglogo", 416, 0, Cover::with_holes}, {"tesh", 0, 0, Cover::with_holes},
    {"vx", 0, 0, Cover::with_holes},        {"story02b", 0, 0, Cover::with_holes},
    // Part One from the clearing to the stream: outdoor scenes leave their sky
    // out, the hut's inside and the moat (no backdrop) cover the screen.
    {"a01", 640, 480, Cover::with_holes},   {"a02", 640, 480, Cover::with_holes},
    {"a04", 640, 480, Cover::with_holes},   {"a07", 640, 480, Cover::with_holes},
    {"a08", 640, 480, Cover::with_holes},   {"a11", 640, 480, Cover::opaque},
    {"a14", 640, 480, Cover::with_holes},   {"a15", 640, 480, Cover::with_holes},
    {"a15a", 640, 480, Cover::with_holes},  {"a16", 640, 480, Cover::opaque},
    {"a17", 640, 480, Cover::with_holes},   {"a17a", 640, 480, Cover::with_holes},
    {"a18", 640, 480, Cover::with_holes},   {"a19", 640, 480, Cover::with_holes},
    {"a01a", 0, 0, Cover::with_holes},      {"a02a", 0, 0, Cover::with_holes},
    {"a02b", 0, 0, Cover::with_holes},      {"a02c", 0, 0, Cover::with_holes},
    {"a02d", 0, 0, Cover::with_holes},      {"a04a", 0, 0, Cover::with_holes},
    {"a04b", 0, 0, Cover::with_holes},      {"a11a", 0, 0, Cover::with_holes},
    // Part One, from the tower stair to the vault: indoor rooms cover the
    // screen, outdoor ones leave the sky out, a51b leaves the dungeon out.
    {"a35", 640, 480, Cover::opaque},       {"a38", 640, 480, Cover::opaque},
    {"a41", 640, 480, Cover::opaque},       {"a43", 640, 480, Cover::with_holes},
    {"a44", 640, 480, Cover::opaque},       {"a45", 640, 480, Cover::with_holes},
    {"a46", 640, 480, Cover::with_holes},   {"a46a", 640, 480, Cover::with_holes},
    {"a47", 640, 480, Cover::with_holes},   {"a48", 640, 480, Cover::with_holes},
    {"a49", 640, 480, Cover::opaque},       {"a49a", 640, 480, Cover::opaque},
    {"a50", 640, 480, Cover::opaque},       {"a51", 640, 480, Cover::opaque},
    {"a51a", 640, 480, Cover::opaque},      {"a51b", 640, 480, Cover::with_holes},
    {"a38a", 0, 0, Cover::with_holes},      {"a41a", 0, 0, Cover::with_holes},
    {"a41b", 0, 0, Cover::with_holes},      {"a44a", 0, 0, Cover::with_holes},
    {"a44b", 0, 0, Cover::with_holes},      {"a44c", 0, 0, Cover::with_holes},
};

TEST(MediaPictures, HaveTheirSizesHardEdgedAlphaAndNoColourKey) {
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.name);
        const Picture pic = load(e.name);
        ASSERT_GT(pic.width, 0);
        if (e.width) {
            EXPECT_EQ(pic.width, e.width);
        }
        if (e.height) {
            EXPECT_EQ(pic.height, e.height);
        }
        const AlphaCount n = count_alpha(pic);
        EXPECT_EQ(n.partial, 0) << "alpha must be 0 or 255";
        EXPECT_EQ(n.colour_key, 0) << "red 255, green 0, blue 128 is the colour key";
        EXPECT_GT(n.opaque, 0) << "picture is empty";
        if (e.cover == Cover::opaque) {
            EXPECT_EQ(n.clear, 0) << "a backdrop must cover the screen";
        } else {
            EXPECT_GT(n.clear, 0) << "an overlay must leave its surroundings transparent";
        }
    }
}

TEST(MediaPictures, FitWhereTheGameDrawsThem) {
    // The logo at (112, 24) is centred on the screen.
    const Picture logo = load("biglogo");
    EXPECT_EQ(112 + logo.width + 112, 640);
    EXPECT_LE(24 + logo.height, 480);
    // Part selection: "vx" at y 25 above "tesh" at y 100, which ends above
    // the gate message printed at y 320 (and the menu at y 350).
    const Picture vx = load("vx");
    const Picture tesh = load("tesh");
    EXPECT_LE(vx.width, 640);
    EXPECT_LE(25 + vx.height, 100);
    EXPECT_LE(tesh.width, 640);
    EXPECT_LE(100 + tesh.height, 320);
    // The trapdoor at (140, 330) stays on screen and clear of the prompt at y 460.
    const Picture trap = load("story02b");
    EXPECT_LE(140 + trap.width, 640);
    EXPECT_LE(330 + trap.height, 460);
    // Pointer and touch target are drawn at their hot spot minus 15 and 2.
    const Picture mouse = load("mouse");
    const Picture target = load("f200targ");
    EXPECT_EQ(mouse.at(15, 15)[3], 255);
    EXPECT_EQ(target.at(2, 2)[3], 255);
    // The outdoor picture over the sky leaves the sky transparent at the top.
    const Picture airfield = load("story01b");
    long clear_top = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 640; ++x) clear_top += airfield.at(x, y)[3] == 0;
    EXPECT_EQ(clear_top, 640L * 150);
}

TEST(MediaPictures, PartOneOverlaysFitWhereTheirLocationsDrawThem) {
    struct Placed {
        const char* name;
        int x, y;
    };
    const Placed overlays[] = {
        {"a01a", 320, 220}, {"a02a", 323, 446}, {"a02b", 265, 432}, {"a02c", 215, 438},
        {"a02d", 351, 456}, {"a04a", 500, 220}, {"a04b", 500, 220}, {"a11a", 602, 239},
    };
    for (const Placed& o : overlays) {
        SCOPED_TRACE(o.name);
        const Picture pic = load(o.name);
        ASSERT_GT(pic.width, 0);
        EXPECT_LE(o.x + pic.width, 640);
        EXPECT_LE(o.y + pic.height, 480);
    }
    // The sky backdrop shows through where outdoor text starts.
    for (const char* name : {"a01", "a02", "a04", "a07", "a08", "a14", "a15", "a15a", "a17", "a17a", "a18", "a19"}) {
        SCOPED_TRACE(name);
        const Picture pic = load(name);
        ASSERT_EQ(pic.width, 640);
        long clear_top = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 100; x < 540; ++x) clear_top += pic.at(x, y)[3] == 0;
        EXPECT_EQ(clear_top, 440L * 10);
    }
}

// Part Two, the dungeon to the secret room: where each picture is drawn and what
// it is drawn over. Full pictures over a backdrop keep holes; the others cover
// the screen. Every overlay must fit where its location draws it.
struct Placed {
    const char* name;
    int x, y;
    Cover cover;
};
const Placed part_two_dungeon_to_library[] = {
    {"b01", 0, 0, Cover::with_holes},     {"b01a", 453, 421, Cover::with_holes}, {"b01b", 345, 430, Cover::with_holes},
    {"b01c", 557, 439, Cover::with_holes}, {"b03", 0, 0, Cover::opaque},         {"b03a", 0, 0, Cover::opaque},
    {"b04", 250, 259, Cover::with_holes}, {"b04a", 250, 259, Cover::with_holes}, {"b05", 0, 0, Cover::opaque},
    {"b05a", 301, 320, Cover::with_holes}, {"b05b", 179, 320, Cover::with_holes}, {"b05c", 480, 370, Cover::with_holes},
    {"b06", 0, 0, Cover::opaque},         {"b06a", 140, 270, Cover::with_holes}, {"b06b", 30, 320, Cover::with_holes},
    {"b08", 0, 0, Cover::opaque},         {"b10", 0, 0, Cover::opaque},          {"b10a", 0, 0, Cover::opaque},
    {"b10b", 360, 220, Cover::with_holes}, {"b10c", 518, 304, Cover::with_holes}, {"b10d", 456, 315, Cover::with_holes},
    {"b10e", 483, 361, Cover::with_holes}, {"b12", 0, 0, Cover::opaque},          {"b12a", 480, 201, Cover::with_holes},
    {"b12b", 460, 201, Cover::with_holes}, {"b12c", 510, 380, Cover::with_holes}, {"b14", 0, 0, Cover::opaque},
    {"b15", 0, 0, Cover::with_holes},     {"b17", 0, 0, Cover::opaque},          {"b17a", 6, 428, Cover::with_holes},
    {"b17b", 197, 369, Cover::with_holes}, {"b17c", 408, 410, Cover::with_holes}, {"b18", 0, 0, Cover::opaque},
    {"b19", 0, 0, Cover::opaque},         {"b19a", 0, 0, Cover::opaque},         {"b20", 0, 0, Cover::opaque},
    {"b20a", 292, 426, Cover::with_holes},
};

TEST(MediaPictures, PartTwoDungeonToLibraryFitWhereTheyAreDrawn) {
    for (const Placed& e : part_two_dungeon_to_library) {
        SCOPED_TRACE(e.name);
        const Picture pic = load(e.name);
        ASSERT_GT(pic.width, 0);
        if (e.x == 0 && e.y == 0) {
            EXPECT_EQ(pic.width, 640);
            EXPECT_EQ(pic.height, 480);
        } else {
            EXPECT_LE(e.x + pic.width, 640);
            EXPECT_LE(e.y + pic.height, 480);
        }
        const AlphaCount n = count_alpha(pic);
        EXPECT_EQ(n.partial, 0);
        EXPECT_EQ(n.colour_key, 0);
        EXPECT_GT(n.opaque, pic.width * pic.height / 20) << "too little drawn to read";
        if (e.cover == Cover::opaque) {
            EXPECT_EQ(n.clear, 0);
        } else {
            EXPECT_GT(n.clear, 0);
        }
    }
    // Over the dungeon backdrop the text column stays the backdrop's; over the
    // sky the courtyard starts below the text and menu.
    auto clear_rows = [](const Picture& pic, int x0, int x1, int y0, int y1) {
        long clear = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) clear += pic.at(x, y)[3] == 0;
        return clear == static_cast<long>(x1 - x0) * (y1 - y0);
    };
    EXPECT_TRUE(clear_rows(load("b01"), 0, 340, 0, 480));
    EXPECT_TRUE(clear_rows(load("b15"), 0, 640, 0, 140));
}

// Transparent pixels in a rectangle; -1 when the picture does not reach it.
long clear_pixels(const Picture& pic, int x0, int y0, int x1, int y1) {
    if (pic.width < x1 || pic.height < y1) return -1;
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += pic.at(x, y)[3] == 0;
    return n;
}

TEST(MediaPictures, TowerToVaultPicturesFitWhereTheGameDrawsThem) {
    struct Placement {
        const char* name;
        int x, y;
    };
    // Overlays at the positions their locations draw them.
    const Placement overlays[] = {
        {"a38a", 5, 363},   {"a41a", 464, 357}, {"a41b", 160, 433},
        {"a44a", 143, 352}, {"a44b", 143, 352}, {"a44c", 129, 233},
    };
    for (const Placement& o : overlays) {
        SCOPED_TRACE(o.name);
        const Picture pic = load(o.name);
        EXPECT_LE(o.x + pic.width, 640);
        EXPECT_LE(o.y + pic.height, 480);
    }
    // The two switch positions replace each other in one place.
    const Picture up = load("a44a");
    const Picture down = load("a44b");
    EXPECT_EQ(up.width, down.width);
    EXPECT_EQ(up.height, down.height);
    // Over the sky, the band the descriptions are printed in is sky only.
    for (const char* name : {"a45", "a46", "a46a", "a47", "a48"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(clear_pixels(load(name), 0, 0, 640, 90), 640L * 90);
    }
    // The cage keeps right of the text the end of Part One prints beside it
    // (wrapped at 400 from y 50, the teaser line at y 270) and of Part Two's
    // (wrapped at 440 from y 10): the dungeon shows there untouched.
    EXPECT_EQ(clear_pixels(load("a51b"), 0, 0, 468, 300), 468L * 300);
}

TEST(MediaPictures, LeaveCalmRoomWhereTextIsPrinted) {
    struct Band {
        const char* name;
        int x0, y0, x1, y1;
    };
    // Regions where paragraphs, prompts or headings are printed over the picture.
    const Band bands[] = {
        {"vxtitle", 0, 436, 640, 480},  {"story01a", 0, 256, 640, 480}, {"story02a", 0, 0, 640, 110},
        {"b44", 180, 190, 460, 230},    {"gfxsky", 0, 0, 640, 130},     {"gfxdngn", 0, 0, 440, 100},
        {"gfxdark", 0, 0, 640, 200},    {"gfxfall2", 100, 0, 540, 100},
        // Opaque Part One pictures: the hut's wall and the dusk over the moat.
        {"a11", 0, 30, 240, 250},       {"a16", 0, 0, 640, 120},
        {"b03", 0, 50, 640, 100},       {"b03a", 0, 50, 640, 100},      {"b08", 0, 0, 640, 110},
        {"b14", 0, 40, 480, 100},       {"b12", 0, 0, 640, 50},         {"b18", 0, 0, 640, 70},
        {"a35", 280, 90, 500, 210},     {"a38", 0, 0, 640, 95},         {"a41", 0, 0, 640, 90},
        {"a43", 0, 180, 640, 250},      {"a44", 0, 0, 640, 80},         {"a49", 0, 0, 640, 80},
        {"a49a", 0, 0, 640, 80},        {"a50", 0, 0, 640, 96},         {"a51", 0, 0, 640, 90},
        {"a51a", 0, 0, 400, 100},
    };
    for (const Band& b : bands) {
        SCOPED_TRACE(b.name);
        EXPECT_LT(brightness_spread(load(b.name), b.x0, b.y0, b.x1, b.y1), 24.0);
    }
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

void check_font_strip(const char* name, int cell) {
    SCOPED_TRACE(name);
    const Picture strip = load(name);
    ASSERT_EQ(strip.width % cell, 0);
    ASSERT_GE((strip.width / cell) * (strip.height / cell), 96) << "96 frames, codes 32 to 127";
    const AlphaCount n = count_alpha(strip);
    EXPECT_EQ(n.partial, 0);
    EXPECT_EQ(n.colour_key, 0);

    const int per_row = strip.width / cell;
    auto cell_pixels = [&](int frame, int column) {
        int count = 0;
        for (int y = 0; y < cell; ++y)
            count += strip.at((frame % per_row) * cell + column, (frame / per_row) * cell + y)[3] != 0;
        return count;
    };
    int space = 0;
    for (int x = 0; x < cell; ++x) space += cell_pixels(0, x);
    EXPECT_EQ(space, 0) << "the space is empty";

    for (int f = 1; f < 95; ++f) {  // the printable characters 33 to 126
        SCOPED_TRACE(std::string(1, static_cast<char>(f + 32)));
        EXPECT_GT(cell_pixels(f, 0), 0) << "a glyph starts at the left edge of its cell";
        const int advance = measured_advance(strip, cell, f);
        EXPECT_GT(advance, 2) << "the kerning scan must find every glyph";
        EXPECT_LE(advance, cell + 2);
    }
    EXPECT_LT(measured_advance(strip, cell, 'i' - 32), measured_advance(strip, cell, 'W' - 32));
    EXPECT_LT(measured_advance(strip, cell, '.' - 32), measured_advance(strip, cell, 'M' - 32));
}

TEST(MediaFonts, StripsAreMeasurableHardEdgedGlyphs) {
    check_font_strip("fontpc", 20);
    check_font_strip("fontgp", 10);
}

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(MediaSound, JingleIsPlainPcmWavWithItsDataAfterTheFormat) {
    const std::vector<std::uint8_t> wav = read_bytes(media_dir / "aud" / "thames.wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(wav[20] | wav[21] << 8, 1) << "PCM";
    const int channels = wav[22] | wav[23] << 8;
    const std::uint32_t rate = le32(wav, 24);
    const int bits = wav[34] | wav[35] << 8;
    EXPECT_EQ(bits, 16);
    // The sound loader expects the data chunk right after the format chunk.
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    const std::uint32_t data = le32(wav, 40);
    EXPECT_LE(44u + data, wav.size());
    const double seconds = static_cast<double>(data) / (rate * channels * bits / 8);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);
}

// Decodes music with sox (the pipeline's own tool) to 16-bit mono samples.
std::vector<std::int16_t> decode(const fs::path& file, int rate, const testing_support::TempDir& temp) {
    const fs::path raw = temp.path() / (file.stem().string() + ".raw");
    const std::string command = "sox \"" + file.string() + "\" -t raw -e signed-integer -b 16 -c 1 -r " +
                                std::to_string(rate) + " \"" + raw.string() + "\"";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "sox could not decode " << file;
        return {};
    }
    const std::vector<std::uint8_t> bytes = read_bytes(raw);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}

double rms(const std::vector<std::int16_t>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / count) / 32768.0;
}

TEST(MediaMusic, PiecesLastHalfAMinuteToNinetySecondsAndLoopQuietly) {
    const testing_support::TempDir temp;
    constexpr int rate = 22050;
    for (const char* name : {"title.mp3", "ingame.mp3"}) {
        SCOPED_TRACE(name);
        const std::vector<std::int16_t> s = decode(media_dir / "aud" / name, rate, temp);
        ASSERT_FALSE(s.empty());
        const double seconds = static_cast<double>(s.size()) / rate;
        EXPECT_GE(seconds, 30.0);
        EXPECT_LE(seconds, 90.0);
        EXPECT_GT(rms(s, 0, s.size()), 0.05) << "a real piece, not near silence";
        // Both ends of the loop are quiet, so the jump from end to start cannot click.
        const size_t edge = rate / 20;
        EXPECT_LT(rms(s, 0, edge), 0.01);
        EXPECT_LT(rms(s, s.size() - edge, edge), 0.01);
    }
}

// The packer's own listing of an archive: one entry name per line.
std::set<std::string> archive_listing(const fs::path& archive, const testing_support::TempDir& temp) {
    const fs::path listing = temp.path() / "listing.txt";
    const std::string command = std::string(MARLOWICK_BIN_DIR "/mwpack list ") + archive.string() + " > " +
                                listing.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::set<std::string> names;
    std::ifstream in(listing);
    for (std::string line; std::getline(in, line);) names.insert(line.substr(0, line.find('\t')));
    return names;
}

TEST(MediaLayout, EveryFileShipsBesideTheExecutableLooseOrPacked) {
    const fs::path bin = MARLOWICK_BIN_DIR;
    if (!fs::exists(bin / "media.gfx")) {
        for (const auto& entry : fs::recursive_directory_iterator(media_dir)) {
            if (!entry.is_regular_file()) continue;
            const fs::path name = fs::relative(entry.path(), media_dir);
            SCOPED_TRACE(name.string());
            ASSERT_TRUE(fs::exists(bin / name));
            EXPECT_EQ(fs::file_size(bin / name), entry.file_size());
        }
        return;
    }
    // Packed: pictures, fonts and the jingle in media.gfx, the music in media.aud, no loose copies.
    const testing_support::TempDir temp;
    const std::set<std::string> graphics = archive_listing(bin / "media.gfx", temp);
    const std::set<std::string> music = archive_listing(bin / "media.aud", temp);
    for (const auto& entry : fs::directory_iterator(media_dir / "gfx")) {
        EXPECT_TRUE(graphics.contains(entry.path().filename().string())) << entry.path();
    }
    EXPECT_TRUE(graphics.contains("thames.wav"));
    EXPECT_TRUE(music.contains("title.mp3"));
    EXPECT_TRUE(music.contains("ingame.mp3"));
    EXPECT_FALSE(music.contains("fontpc.png"));
    EXPECT_FALSE(fs::exists(bin / "gfx"));
}

}  // namespace

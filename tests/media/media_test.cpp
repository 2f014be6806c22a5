// Checks the media the build makes as the player meets them: every picture
// the game's code loads is built, packed and hard-edged (the renderer drops
// texels at or below 0.05 and never blends) without colour-key pixels; every
// screen the gallery composes (pictures where the game draws them, the text
// it prints) fits, covers the screen and keeps its text over calm ground;
// font glyphs are measurable; the game's texts fit; music loops without a
// click.
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
#include <string_view>
#include <sstream>
#include <vector>

#include "game/part_one_text.h"
#include "game/part_two_text.h"
#include "game/story_text.h"
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

// ---- The game's texts ---------------------------------------------------------
// Every text of both parts and the story screens fits where it is printed,
// measured with the desktop font strip, and uses only characters the font has.

namespace one = game::part_one_text;
namespace two = game::part_two_text;
namespace story = game::story;

// A paragraph printed from y and the y of whatever comes next below it.
struct Paragraph {
    std::string_view name;
    std::string_view text;
    int y;
    int limit;
    int maxkern = 640;
};

// Messages get at most six lines, so the picture stays visible.
constexpr int message_room = 140;

// One-line texts printed with print_text from x, which never wraps.
struct Line {
    std::string_view name;
    std::string_view text;
    int x;
};

bool printable(std::string_view text) {
    for (char c : text) {
        if (c < 32 || c > 126) return false;
    }
    return true;
}

constexpr int message_end = 10 + message_room;

// Where each paragraph is printed: P(text, y, limit[, maxkern]); M(text) is a
// message from y 10.
#define P(text, ...) Paragraph{#text, text, __VA_ARGS__}
#define T(text, ...) Paragraph{#text, text, 10, __VA_ARGS__}  // from the top
#define M(text) Paragraph{#text, text, 10, message_end}
#define L(text, x) Line{#text, text, x}

using namespace game::part_one_text;
const std::vector<Paragraph> paragraphs{
        T(a01, 330), T(a03, 90), T(a04, 110), P(a04_owl, 110, 270, 400), T(a05_key, 190), T(a05_no_key, 150),
        M(a06_view), T(a07, 150), P(a08, 180, 250), P(a09, 180, 250), P(a10, 180, 230),
        P(a10_rope, 170, 170 + message_room), T(a11_garlic, 150), T(a11, 110), P(a12, 40, 100), T(a13, 90),
        M(a13_flee), T(a14, 110), T(a15, 110), M(a15_splash), M(a16_moat), T(a17_ashore, 150), T(a17_afloat, 150),
        M(a17_stuck), M(a17_launch), T(a18, 110), M(a18_logs), T(a19, 110),
        // The compass line below the lost-forest texts comes at y 260.
        P(a20, 180, 260), P(a21, 180, 260), P(a22, 180, 260), P(compass_ahead, 260, 300), T(a23, 150), T(a24, 150),
        M(a24_ring), T(a25, 50), T(a26, 110), T(a27_dark, 90), T(a27_lit, 130), T(a28_fall, 110),
        P(a28_light, 110, 210), T(a29, 110), P(a29_coin_and_bucket, 110, 170), P(a29_bucket, 110, 170),
        P(a29_coin, 110, 170), T(a30, 110), T(a30_happy, 110), M(a30_flee), T(a31, 110), T(a32, 130), M(a32_jump),
        M(a32_climb), T(a33_heading, 30), T(a34_awake, 70), M(a34_leap), M(a34_flask), T(a34_asleep, 70),
        M(a36_chute), T(a37, 90), M(a37_flee), T(a38_feather, 170), T(a38, 170), M(a38_take), M(a39_gust),
        M(a40_pass), T(a41, 110), T(a42, 90), P(a43, 180, 280), P(a43_ignore, 180, 180 + message_room),
        P(a43_flask, 180, 180 + message_room), T(a44, 110), M(a44_shock), T(a45, 170), P(a45_hot, 170, 210),
        P(a45_chilly, 170, 210), M(a45_sluggish), T(a46, 110), M(a46_run), M(a46_shake), T(a47, 110), M(a47_milk),
        M(a47_herring), T(a48, 130), M(a48_bottle), M(a48_bucket), T(a49, 110), M(a49_menace), M(a49_garlic),
        M(a49_water), T(a49_remains, 110), T(a50, 170), T(a51, 110), M(a51_rattle), M(a51_locks), M(a51_number),
        T(a51_net, 10 + message_room, 400), P(a51_cage, 50, 270, 400), T(a52, 130),
        // Story screens: the continue prompt stands at y 460.
        P(story::intro_summons, 260, 460), P(story::intro_beam_opening, 260, 330), P(story::intro_beam, 330, 460),
        P(story::intro_warning, 260, 460), P(story::intro_forest, 260, 460), T(story::intro_accept, 120),
        M(story::intro_landing), P(story::ending_call, 260, 300), P(story::ending_congratulations, 300, 460),
        P(story::ending_escape, 260, 460),
        // The intro: story screens from y 10; the cage and lock screens wrap at 440.
        M(two::intro_mission), M(two::intro_beam), M(two::intro_trap), M(two::intro_task),
        T(two::intro_cage, message_end, 440), T(two::intro_open, message_end, 440), T(two::b01, 110, 440),
        T(two::b02, 150, 440), P(two::b03, 50, 130), T(two::b04_locked, 130), T(two::b04_open, 130),
        M(two::b04_padlock), M(two::b04_cut), T(two::b05, 50), T(two::b06, 110), T(two::b07, 90),
        T(two::b07_again, 70), M(two::b07_ignore), M(two::b07_thread), T(two::b08, 110), M(two::b09_fall),
        // The coffin cellar wraps at 600: the peg line from 70 leaves 60 for itself,
        // the heading stands at 90 or 130 with the list 20 below it.
        T(two::b10, 70, 600), P(two::b10_stink, 70, 70 + message_room, 600), P(two::b10_pegs, 70, 130, 600),
        P(two::b10_heading, 90, 110, 600), T(two::b11_snoring, 170, 600), T(two::b11_cape, 170, 600),
        T(two::b11_empty, 130, 600), T(two::b11_duck, 90, 600), P(two::b11_duck_rings, 90, 90 + message_room, 600),
        P(two::b11_duck_flees, 90, 90 + message_room, 600), M(two::b11_trapdoor), T(two::b12_shut_thread, 130),
        T(two::b12_shut, 110), T(two::b12_open_thread, 150), T(two::b12_open, 130), T(two::b13, 110),
        M(two::b13_lever), P(two::b14, 40, 160, 480), T(two::b15, 110), T(two::b16, 90), T(two::b17, 70),
        T(two::b18, 130), M(two::b18_look_down), T(two::b19_shut, 90), T(two::b19_open, 130), M(two::b19_book),
        M(two::b19_crack), M(two::b19_swing), M(two::b19_lamp), T(two::b20_map, 130), T(two::b20, 110),
        M(two::b20_explore), T(two::b21, 130), M(two::b21_panel), T(two::b22_nailed, 110), T(two::b22_open, 70),
        M(two::b22_no_tool), M(two::b22_pliers), T(two::b23_ladder, 130), T(two::b23, 110), M(two::b23_nailed),
        T(two::b24_grate, 90), T(two::b24_ladder, 110),
        // The piano line stands at y 80.
        T(two::b25, 80), M(two::b25_too_heavy), T(two::b26_key, 150), T(two::b26, 130), M(two::b26_jump),
        M(two::b26_fingers), M(two::b26_tongs), T(two::b27_hissing, 190), T(two::b27, 130), M(two::b27_snake),
        M(two::b28_trumpet), M(two::b28_cymbals), M(two::b28_flute), M(two::b28_no_basket), M(two::b28_basket),
        T(two::b29_egg, 90), T(two::b29, 70), T(two::b30, 130), T(two::b30_bones, 130), T(two::b31, 110),
        T(two::b32, 130), M(two::b32_glide), M(two::b32_crash), T(two::b33, 110), M(two::b33_done), T(two::b34, 150),
        M(two::b34_crash), M(two::b34_jump), M(two::b34_rope), T(two::b35, 130), M(two::b35_stiff), M(two::b35_knife),
        M(two::b36_falling), M(two::b36_straw), T(two::b37, 110), T(two::b37_map, 110), M(two::b38), M(two::b39),
        T(two::b40, 110), M(two::b40_locked), T(two::b41, 130), M(two::b41_nothing), M(two::b41_fire),
        M(two::b41_hint), M(two::b41_hum), M(two::b41_stop), T(two::b42, 110), T(two::b42_mirror, 130),
        M(two::b42_blown_off), M(two::b43_explosion), M(two::b43_pudding),
};

const std::vector<Line> lines{
        L(one::a02_heading, 0), L(one::a25_heading, 0), L(one::a35_lines[0], 280), L(one::a35_lines[1], 280),
        L(one::a35_lines[2], 280), L(one::a35_lines[3], 280), L(one::a35_lines[4], 280),
        L(one::a35_lines[5], 280), L(one::a51_teaser, 0), L(story::title_line, 0), L(two::b25_piano, 0),
};

TEST(GameText, UsesOnlyCharactersTheFontHas) {
    for (const Paragraph& p : paragraphs) EXPECT_TRUE(printable(p.text)) << p.name;
    for (const Line& l : lines) EXPECT_TRUE(printable(l.text)) << l.name;
}

TEST(GameText, ParagraphsEndAboveWhatFollowsWithALineSpareAndLinesStayOnScreen) {
    for (const Paragraph& p : paragraphs) {
        const int room = (p.limit - p.y) / 20 - 1;
        const int used = static_cast<int>(wrapped_lines(std::string(p.text), p.y, p.maxkern).size());
        if (room >= 1) {
            EXPECT_LE(used, room) << p.name << " needs " << used << " lines, has room for " << room;
        } else {  // no line to spare: the one line must fit with a margin instead
            EXPECT_EQ(used, 1) << p.name;
            EXPECT_LE(text_width(std::string(p.text)), p.maxkern * 9 / 10) << p.name;
        }
    }
    for (const Line& l : lines) EXPECT_LE(text_width(std::string(l.text)), (640 - l.x) * 9 / 10) << l.name;
}

}  // namespace

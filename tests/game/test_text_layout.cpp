// The game's own text printing: kerning measured from the font strip in the
// back buffer, centring and word wrapping, checked by where the glyphs land.
#include <gtest/gtest.h>

#include <array>

#include "game/globals.h"
#include "game/text.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/sprites.h"
#include "tests/game/started_game.h"

namespace {

using frame_test::drawn_by;
using frame_test::Screen;
using frame_test::StartedGame;

constexpr int font_slot = 50;

double width_of(char c) { return game::kern[c - 32]; }

// Writes a font strip of 16 × 6 cells in which the glyph of code c + 32 is a
// solid bar from column 0 to ink_to[c] (-1: an empty cell), and loads it as
// the font.
void load_bar_font(const std::filesystem::path& file, int cell, const std::array<int, 96>& ink_to) {
    const int width = 16 * cell;
    const int height = 6 * cell;
    const rt::Rgb key{255, 0, 128};
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int glyph = (y / cell) * 16 + x / cell;
            const bool ink = x % cell <= ink_to[static_cast<std::size_t>(glyph)];
            const std::size_t at = (static_cast<std::size_t>(height - 1 - y) * width + x) * 3;  // bottom row first
            const rt::Rgb colour = ink ? rt::Rgb{30, 20, 40} : key;
            std::copy(colour.begin(), colour.end(), rgb.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    ASSERT_TRUE(rt::write_image_file(file.string(), rgb, width, height, key));
    rt::load_animation(file.string(), font_slot, cell, cell);
}

// Every character 10 layout pixels wide, so line breaks can be worked out by hand.
void monospace_kerning() {
    for (int i = 0; i < 96; ++i) game::kern[i] = 10;
}

// The lines as print_text would put them from x = 0, 20 apart.
Screen lines_at(const std::vector<std::string>& lines, double y) {
    return drawn_by([&] {
        for (const std::string& line : lines) {
            game::print_text(line, 0, y);
            y += 20;
        }
    });
}

// The desktop font has 20-pixel cells; the handheld's 10-pixel cells are
// measured in layout pixels, two to a screen pixel.
struct FontCase {
    const char* command_line;
    int resx, cell, ink_to_b, ink_to_c, width_b, width_c;
};

class Kerning : public ::testing::TestWithParam<FontCase> {};

TEST_P(Kerning, MeasuredFromTheFontStripInLayoutPixels) {
    const FontCase& f = GetParam();
    StartedGame game(f.command_line);
    ASSERT_EQ(game::resx, f.resx);
    EXPECT_GT(width_of('W'), 12);  // more than a 10-pixel cell measured in screen pixels could give

    // A strip with known edges: an empty cell, a bar to a known column, a full cell.
    std::array<int, 96> ink_to{};
    ink_to.fill(f.cell / 5);
    ink_to['A' - 32] = -1;
    ink_to['B' - 32] = f.ink_to_b;
    ink_to['C' - 32] = f.ink_to_c;
    load_bar_font(game.driver.program_dir() / "bars.png", f.cell, ink_to);
    game::build_kerning();
    EXPECT_EQ(width_of(' '), 20);
    EXPECT_EQ(width_of('A'), 2);
    EXPECT_EQ(width_of('B'), f.width_b);
    EXPECT_EQ(width_of('C'), f.width_c);
    EXPECT_EQ(width_of('z'), 6);
}

INSTANTIATE_TEST_SUITE_P(DesktopAndHandheld, Kerning,
                         ::testing::Values(FontCase{"", 1, 20, 8, 19, 10, 21},
                                           FontCase{"--handheld=F100", 2, 10, 4, 9, 10, 20}));

TEST(PrintText, CentringTruncatesTheHalfPixel) {
    StartedGame game;
    game::kern['H' - 32] = 60;
    game::kern['i' - 32] = 41;  // 101 in all: (640 - 101) / 2 = 269.5
    const Screen centred = drawn_by([] { game::print_text("Hi", -1, 200); });
    ASSERT_TRUE(centred.has_ink(200, 20));
    EXPECT_EQ(centred, drawn_by([] { game::print_text("Hi", 269, 200); }));
    EXPECT_NE(centred, drawn_by([] { game::print_text("Hi", 270, 200); }));
    EXPECT_FALSE(drawn_by([] { game::print_text("", -1, 200); }).has_ink(0, 480));
}

TEST(PrintWrapped, BreaksAtTheLastSpaceBeforeMaxkern) {
    StartedGame game;
    monospace_kerning();
    game::maxkern = 400;
    // At 10 pixels a character a line holds at most 39 characters.
    const std::string text =
        "The beam came from the forest again tonight, and the Chief wants a full report on his desk by dawn.";
    EXPECT_EQ(drawn_by([&] { game::print_wrapped(text, 100); }),
              lines_at({"The beam came from the forest again", "tonight, and the Chief wants a full",
                        "report on his desk by dawn."},
                       100));

    // Reaching maxkern exactly with the last character still breaks; one short of it does not.
    game::maxkern = 90;
    EXPECT_EQ(drawn_by([] { game::print_wrapped("abcd efgh", 100); }), lines_at({"abcd", "efgh"}, 100));
    EXPECT_EQ(drawn_by([] { game::print_wrapped("abcd efg", 100); }), lines_at({"abcd efg"}, 100));

    // A word longer than a line is broken inside, nothing of it lost.
    game::maxkern = 50;
    EXPECT_EQ(drawn_by([] { game::print_wrapped("ab abcdefghij", 100); }),
              lines_at({"ab", "abcd", "efgh", "ij"}, 100));
    EXPECT_FALSE(drawn_by([] { game::print_wrapped("", 100); }).has_ink(0, 480));
}

}  // namespace


#include "runtime/core/frame_loop.h"
#include "runtime/gfx/fonts.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

using gfx_test::Picture;
using gfx_test::Rgb;
using gfx_test::expect_pixels;
using gfx_test::font_char_size;
using gfx_test::screen_pixel;

constexpr Rgb black{0, 0, 0};

class Fonts : public gfx_test::GlTest {
protected:
    // A font picture whose cells are solid colours: code c is (c, 255 - c, 7).
    std::string solid_font(const std::string& name, int width, int height) {
        const int rows = width >= height ? 8 : 16;
        const int cell_w = width / 16;
        const int cell_h = height / rows;
        Picture picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int code = (y / cell_h) * 16 + x / cell_w;
                picture.at(x, y) = {std::uint8_t(code), std::uint8_t(255 - code), 7, 255};
            }
        }
        return media(name, picture);
    }
    static Rgb code_colour(int code) { return {code, 255 - code, 7}; }
};

TEST_F(Fonts, MissingFileGivesTheBuiltInFontWithItsOutline) {
    rt::set_font(-3);
    EXPECT_EQ(rt::current_font(), 0);
    rt::load_font("missing.bmp", 99);  // font numbers stop at 31
    EXPECT_EQ(rt::current_font(), 31);
    EXPECT_EQ(font_char_size(), (std::pair{8.0, 8.0}));
    // "A" is .XXX. / .X.X. / .XXX. / .X.X. / .X.X., glyph pixel (0, 0) at cell pixel (1, 1).
    rt::draw_text("A", 40, 40);
    // White: the top bar, the middle bar, the right leg. Outline: the hole above the middle bar, between
    // the legs, left of and above the top bar. Black: diagonally off it (no outline there), column 7.
    expect_pixels({{43, 41, {255, 255, 255}}, {43, 43, {255, 255, 255}}, {44, 45, {255, 255, 255}}});
    expect_pixels({{43, 42, {8, 8, 8}}, {43, 44, {8, 8, 8}}, {41, 41, {8, 8, 8}}, {42, 40, {8, 8, 8}}});
    expect_pixels({{41, 40, black}, {47, 42, black}});
}

TEST_F(Fonts, CellsFollowOneAnotherFromTheRoundedUpPosition) {
    rt::load_font(solid_font("solid.bmp", 128, 64), 0);
    rt::draw_text("AB", 10.2, 20);
    expect_pixels({{10, 20, black}, {11, 20, code_colour('A')}, {18, 27, code_colour('A')},
                   {19, 20, code_colour('B')}, {26, 27, code_colour('B')}, {27, 20, black}, {15, 28, black}});

    rt::draw_text("\xE9", 100, 100);  // 128 characters: 0xE9 shows 0x69
    EXPECT_EQ(screen_pixel(103, 103), code_colour(0x69));
}

TEST_F(Fonts, GridFollowsThePictureShape) {
    rt::load_font(solid_font("wide.bmp", 256, 128), 1);
    EXPECT_EQ(font_char_size(), (std::pair{16.0, 16.0}));
    rt::draw_text("\xE9", 100, 100);
    EXPECT_EQ(screen_pixel(108, 108), code_colour(0x69));

    rt::load_font(solid_font("square.bmp", 256, 256), 2);  // as wide as high: still 8 rows
    EXPECT_EQ(font_char_size(), (std::pair{16.0, 32.0}));

    rt::load_font(solid_font("tall.bmp", 128, 256), 2);
    EXPECT_EQ(font_char_size(), (std::pair{8.0, 16.0}));
    rt::draw_text("\xE9", 200, 100);  // 256 characters
    EXPECT_EQ(screen_pixel(204, 108), code_colour(0xE9));
}

TEST_F(Fonts, BlackIsTheFontKeyUnlessChangedBeforeLoading) {
    Picture picture(128, 64, {0, 0, 0, 255});
    for (int y = 32; y < 40; ++y) {
        for (int x = 8; x < 16; ++x) picture.at(x, y) = {0, 0, 255, 255};  // cell of "A"
    }
    picture.at(12, 36) = {0, 0, 0, 255};
    const std::string name = media("keyed.bmp", picture);
    rt::draw_rect(0, 0, 200, 200, 0x00FF00);
    rt::load_font(name, 0);
    rt::draw_text("A", 10, 10);
    expect_pixels({{14, 14, {0, 255, 0}}, {13, 14, {0, 0, 255}}});

    rt::set_transparent_color(0xFF0000);  // blue is now the key
    rt::load_font(name, 0);
    rt::draw_text("A", 50, 10);
    expect_pixels({{53, 14, {0, 255, 0}}, {54, 14, black}});
}

TEST_F(Fonts, LongTextsAreDrawnWhole) {
    rt::load_font(solid_font("solid.bmp", 128, 64), 0);
    const std::string text(700, 'A');  // beyond the first vertex capacity
    rt::draw_text(text, -5000, 30);
    expect_pixels({{595, 33, code_colour('A')}, {600, 33, black}});
}

TEST_F(Fonts, StartUpPicksSmalfontWhenPresent) {
    solid_font("smalfont.bmp", 256, 128);
    rt::close_gl_window(rt::graphics());
    rt::runtime_init("again", 1);
    EXPECT_EQ(font_char_size(), (std::pair{16.0, 16.0}));
}

}  // namespace

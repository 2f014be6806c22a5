
#include <fstream>

#include "runtime/core/error_log.h"
#include "runtime/core/frame_loop.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

using gfx_test::Picture;
using gfx_test::Rgb;
using gfx_test::expect_pixels;
using gfx_test::screen_pixel;

constexpr Rgb black{0, 0, 0};
constexpr double blue_color = 200.0 * 65536;

class SpriteDrawing : public gfx_test::GlTest {};

TEST_F(SpriteDrawing, KeyColouredPixelIsNeverDrawnEvenWithSmoothing) {
    Picture picture(3, 3, {0, 255, 0, 255});
    picture.at(1, 1) = {255, 0, 128, 255};
    load(1, picture);
    rt::draw_rect(0, 0, 40, 40, blue_color);
    rt::draw_sprite(1, 10, 10);
    expect_pixels({{11, 11, {0, 0, 200}}, {10, 10, {0, 255, 0}}, {12, 12, {0, 255, 0}}});

    rt::set_transparent_color(-1);  // no key at all: the pixel loads opaque
    load(2, picture);
    rt::draw_sprite(2, 20, 20);
    EXPECT_EQ(screen_pixel(21, 21), (Rgb{255, 0, 128}));
}

TEST_F(SpriteDrawing, MipmapTwinHasEveryLevelAndTheIntegerFilter) {
    // red = column, green = 3 x row counted from the bottom (the texture's row).
    Picture picture(256, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x) picture.at(x, y) = {std::uint8_t(x), std::uint8_t(3 * (63 - y)), 0, 255};
    }
    load(5, picture);
    glBindTexture(GL_TEXTURE_2D, rt::sprite_mip_texture(5));
    const int expected[9][2] = {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
    for (int level = 0; level < 9; ++level) {
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        EXPECT_EQ(w, expected[level][0]) << level;
        EXPECT_EQ(h, expected[level][1]) << level;
    }
    std::vector<std::uint8_t> level1(128 * 32 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1.data());
    // Worked by hand from the weights 4, 2, 2, 1 (/9) and the edge rules (/3).
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 128; ++x) {
            const std::uint8_t* t = &level1[(y * 128 + x) * 4];
            const int red = x == 127 ? 254 : 2 * x;
            const int green = y == 31 ? 186 : 6 * y + 2;
            ASSERT_EQ(t[0], red) << x << "," << y;
            ASSERT_EQ(t[1], green) << x << "," << y;
            ASSERT_EQ(t[3], 255);
        }
    }
}

TEST_F(SpriteDrawing, NegativeStretchedWidthMirrorsToTheLeftOfX) {
    Picture picture(10, 4, {255, 0, 0, 255});
    for (int y = 0; y < 4; ++y) {
        for (int x = 5; x < 10; ++x) picture.at(x, y) = {0, 255, 0, 255};
    }
    load(1, picture);
    rt::draw_sprite_stretched(1, 199.6, 50, -100, 4);  // x rounds up to 200
    expect_pixels({{99, 51, black}, {200, 51, black}, {110, 51, {0, 255, 0}}, {190, 51, {255, 0, 0}}});

    // Mirrored on both axes is a half turn and stays visible.
    rt::draw_sprite_stretched(1, 300, 100, -10, -4);
    expect_pixels({{291, 97, {0, 255, 0}}, {298, 97, {255, 0, 0}}});
}

TEST_F(SpriteDrawing, FramesCountLeftToRightThenTopDown) {
    Picture sheet(30, 40);  // 3 frames a row, 4 rows of 10 x 10
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 30; ++x) sheet.at(x, y) = {std::uint8_t(40 * (x / 10) + 20), std::uint8_t(40 * (y / 10) + 20), 0, 255};
    }
    rt::load_animation(media("sheet.bmp", sheet), 7, 10, 10);
    rt::draw_frame(7, 5, 50, 50);
    expect_pixels({{50, 50, {100, 60, 0}}, {59, 59, {100, 60, 0}}, {60, 55, black}});

    rt::draw_frame_stretched(7, 10, 100, 100, 20, 20);  // column 1 of row 3
    EXPECT_EQ(screen_pixel(110, 110), (Rgb{60, 140, 0}));
    rt::draw_frame_stretched(7, 10, 200, 100, -20, 20);  // turned away and culled
    EXPECT_EQ(screen_pixel(190, 110), black);
}

TEST_F(SpriteDrawing, RotationTurnsCounterClockwiseOnScreen) {
    Picture arrow(20, 4, {255, 255, 255, 255});
    for (int y = 0; y < 4; ++y) {
        for (int x = 10; x < 20; ++x) arrow.at(x, y) = {255, 0, 0, 255};  // right half red
    }
    load(1, arrow);
    rt::set_smoothing(0);
    rt::draw_sprite_rotated(1, 100, 100, 90);  // centre (110, 102)
    expect_pixels({{110, 96, {255, 0, 0}}, {110, 108, {255, 255, 255}}});  // the red end points up

    rt::set_frame_size(1, 20, 4);
    rt::draw_frame_rotated(1, 0, 300, 100, 90, 1);
    expect_pixels({{310, 96, {255, 0, 0}}, {310, 108, {255, 255, 255}}});
}

TEST_F(SpriteDrawing, AlphaModesBlendAndEndWithTheFrame) {
    load(1, Picture(8, 8, {255, 0, 0, 255}));
    rt::draw_rect(0, 0, 100, 100, blue_color);
    rt::set_alpha_mode(-0.5);
    rt::draw_sprite(1, 10, 10);
    const Rgb half = screen_pixel(12, 12);
    EXPECT_NEAR(half[0], 128, 1);
    EXPECT_NEAR(half[2], 100, 1);

    rt::set_alpha_mode(2);
    rt::draw_sprite(1, 30, 30);
    EXPECT_EQ(screen_pixel(32, 32), (Rgb{255, 0, 200}));

    rt::present_frame();
    EXPECT_EQ(rt::graphics().current_alpha, 1.0f);
    rt::draw_rect(0, 0, 100, 100, blue_color);
    rt::draw_sprite(1, 10, 10);
    EXPECT_EQ(screen_pixel(12, 12), (Rgb{255, 0, 0}));
}

TEST_F(SpriteDrawing, AlphaAtOrBelowFivePercentNeverReachesTheScreen) {
    Picture picture(2, 1, {255, 255, 255, 12});  // 12 / 255 < 0.05
    picture.at(1, 0) = {255, 255, 255, 20};
    load(1, picture, true);
    rt::set_smoothing(0);
    for (double mode : {0.0, -1.0, 1.0}) {
        rt::set_alpha_mode(mode);
        rt::draw_sprite(1, 10, 10);
        EXPECT_EQ(screen_pixel(10, 10), black) << mode;
        EXPECT_NE(screen_pixel(11, 10), black) << mode;
    }
}

TEST_F(SpriteDrawing, NegativeRectangleSizesMoveTheEdge) {
    rt::draw_rect(100, 50, -10, -5, 255);
    expect_pixels({{91, 46, {255, 0, 0}}, {100, 50, {255, 0, 0}}, {90, 48, black}, {101, 48, black},
                   {95, 45, black}, {95, 51, black}});
}

TEST_F(SpriteDrawing, BackgroundScreenCarriesIntoTheNextFrames) {
    rt::draw_rect(10, 10, 20, 20, 0x00FF00);
    rt::keep_screen_as_background();
    rt::present_frame();
    EXPECT_EQ(screen_pixel(15, 15), (Rgb{0, 255, 0}));
    rt::present_frame();
    expect_pixels({{29, 29, {0, 255, 0}}, {30, 30, black}});

    rt::clear_screen();
    EXPECT_EQ(screen_pixel(15, 15), black);
    rt::present_frame();
    EXPECT_EQ(screen_pixel(15, 15), black);
}

TEST_F(SpriteDrawing, LoadBackgroundLogsAndDrawsAtOnce) {
    Picture picture(600, 400, {0, 0, 255, 255});
    rt::delete_error_log();  // start-up may have logged a device it could not have headless
    rt::load_background(media("back.bmp", picture));
    expect_pixels({{599, 399, {0, 0, 255}}, {610, 410, black}});
    EXPECT_EQ(testing_support::read_file(rt::error_log_path()), "Loadbmp\r\nUnpacking\r\nOK?\r\n");
    rt::present_frame();
    EXPECT_EQ(screen_pixel(10, 10), (Rgb{0, 0, 255}));

    rt::delete_error_log();
    rt::load_background("missing.bmp");
    EXPECT_EQ(screen_pixel(10, 10), black);
    EXPECT_EQ(testing_support::read_file(rt::error_log_path()), "Loadbmp\r\nUnpacking\r\nfailed\r\n");
}

TEST_F(SpriteDrawing, UnreadableFilesLeaveTheSlotEmpty) {
    load(1, Picture(4, 4, {1, 2, 3, 255}));
    std::ofstream(file("text.png")) << "not a picture\n";
    rt::load_sprite("text.png", 1);
    EXPECT_EQ(gfx_test::sprite_size(1), (std::pair{0.0, 0.0}));
    EXPECT_EQ(rt::graphics().sprites[1].texture, 0U);
    rt::draw_sprite(1, 0, 0);
    rt::draw_sprite_stretched(1, 0, 0, 50, 50);
    EXPECT_EQ(screen_pixel(10, 10), black);
    rt::load_sprite("x.bmp", 70000);  // out of range: ignored
    rt::draw_sprite(-5, 0, 0);
}

TEST_F(SpriteDrawing, PixelExactCollisionIgnoresTransparentCorners) {
    Picture diagonal(4, 4, {255, 0, 128, 255});  // all key colour ...
    for (int i = 0; i < 4; ++i) diagonal.at(i, i) = {255, 255, 255, 255};  // ... but the diagonal
    load(1, diagonal);
    load(2, Picture(2, 2, {255, 255, 255, 255}));
    EXPECT_EQ(rt::sprites_collide(1, 0, 0, 2, 2, 0), 0.0);  // box overlaps, pixels do not
    EXPECT_EQ(rt::sprites_collide(1, 0, 0, 2, 1, 0), 1.0);  // covers (1, 1)
    EXPECT_EQ(rt::sprites_collide(1, 0, 0, 2, 4, 4), 0.0);
    EXPECT_EQ(rt::sprites_collide(1, 0, 0, 3, 0, 0), 0.0);  // empty slot

    rt::set_frame_size(1, 2, 2);  // frame 3 = bottom-right quarter, opaque at (0,0) and (1,1)
    EXPECT_EQ(rt::frames_collide(1, 3, 10, 10, 1, 3, 11, 10), 0.0);
    EXPECT_EQ(rt::frames_collide(1, 3, 10, 10, 1, 3, 10, 10), 1.0);
    EXPECT_EQ(rt::frames_collide(1, 1, 10, 10, 1, 1, 10, 10), 0.0);  // top-right quarter is all key
}

TEST_F(SpriteDrawing, PolygonsAndPoints) {
    rt::add_polygon_vertex(10, 10, 0, 0, 0x0000FF);
    rt::add_polygon_vertex(10, 60, 0, 1, 0x0000FF);
    rt::add_polygon_vertex(60, 10, 1, 0, 0x0000FF);
    rt::draw_polygon(-1);
    expect_pixels({{15, 15, {255, 0, 0}}, {55, 55, black}});

    Picture picture(2, 2, {0, 255, 0, 255});
    picture.at(1, 0) = {0, 0, 255, 255};  // top right blue
    load(4, picture);
    rt::set_smoothing(0);
    for (auto [x, y, s, t] : {std::array{100.0, 100.0, 0.0, 0.0}, {100.0, 200.0, 0.0, 1.0}, {200.0, 200.0, 1.0, 1.0},
                              {200.0, 100.0, 1.0, 0.0}}) {
        rt::add_polygon_vertex(x, y, s, t, 0xFFFFFF);
    }
    rt::draw_polygon(4);
    expect_pixels({{190, 110, {0, 0, 255}}, {110, 190, {0, 255, 0}}});

    rt::draw_point(300.7, 20.2, 0x00FFFF);
    expect_pixels({{300, 20, {255, 255, 0}}, {301, 20, black}});
}

TEST_F(SpriteDrawing, SavedPicturesShowTheKeyAsKeyOrTransparency) {
    rt::draw_rect(0, 0, 10, 10, 0x00FF00);
    rt::draw_rect(1, 1, 1, 1, 0x8000FF);  // blending is off: the key colour is drawn as it is
    rt::save_screen(file("screen.bmp").string());
    const std::string bmp = testing_support::read_file(file("screen.bmp"));
    ASSERT_EQ(bmp.size(), 54U + 640 * 3 * 480);
    const std::size_t row_1 = 54 + std::size_t(478) * 640 * 3;  // rows are stored bottom-up
    EXPECT_EQ(bmp.substr(row_1 + 3, 3), std::string("\x80\x00\xFF", 3));
    EXPECT_EQ(bmp.substr(row_1 + 6, 3), std::string("\x00\xFF\x00", 3));
    EXPECT_EQ(screen_pixel(4, 4), (Rgb{0, 255, 0}));  // the key measurement put the pixel back

    rt::save_screen(file("screen.PNG").string());
    rt::RgbaImage image;
    ASSERT_TRUE(rt::read_png_image(image, file("screen.PNG").string(), rt::no_color_key));
    ASSERT_EQ(image.width, 640);
    EXPECT_EQ(image.pixel(1, 1)[3], 0);
    EXPECT_EQ(image.pixel(2, 1)[1], 255);
    EXPECT_EQ(image.pixel(2, 1)[3], 255);

    Picture picture(5, 3, {10, 20, 30, 255});
    picture.at(4, 2) = {40, 50, 60, 255};
    load(8, picture);
    rt::save_sprite(file("sprite.bmp").string(), 8);
    const std::string saved = testing_support::read_file(file("sprite.bmp"));
    ASSERT_EQ(saved.size(), 54U + 16 * 3);  // rows of 15 bytes padded to 16
    EXPECT_EQ(saved.substr(54, 3), "\x1e\x14\x0a");
    EXPECT_EQ(saved.substr(54 + 12, 3), "\x3c\x32\x28");  // bottom-right pixel comes first
}

}  // namespace

#include <functional>

#include "platform/screen_fit.h"
#include "runtime/core/frame_loop.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/fonts.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/sprites.h"
#include "tests/gfx/gfx_test_support.h"

namespace {

using platform::Placement;
using platform::Scaling;
using platform::Size;

struct WindowCase {
    Size window;
    Scaling scaling;
    Placement expected;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << c.window.width << "x" << c.window.height << " " << platform::scaling_name(c.scaling);
}

double block_colour(int column, int row) { return 40.0 * column + 256.0 * (50 * row + 20) + 65536.0 * 200; }

// The game's 640 x 480 screen in a window of another size: blocks of colour
// drawn on the canvas, the window's drawable read back.
class CanvasInWindow : public gfx_test::GlTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    void SetUp() override {
        const std::string path = (temp_.path() / "settings.ini").string();
        rt::write_display_settings(path, {false, GetParam().window, GetParam().scaling});
        rt::use_display_settings(path, {});
        GlTest::SetUp();
    }
    void TearDown() override {
        GlTest::TearDown();
        rt::use_display_settings("", {});
    }

    static gfx_test::Rgb window_pixel(const rt::WindowPicture& picture, int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(picture.size.height - 1 - y) * picture.size.width + x) * 3;
        return {picture.rgb[at], picture.rgb[at + 1], picture.rgb[at + 2]};
    }
};

TEST_P(CanvasInWindow, ScalesWithBarsAndReadBacksStayOnTheCanvas) {
    const WindowCase& c = GetParam();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) rt::draw_rect(column * 160, row * 120, 160, 120, block_colour(column, row));
    }
    const rt::WindowPicture shown = rt::read_window_picture();
    ASSERT_EQ(shown.size, c.window);
    const Placement p = platform::place_canvas({640, 480}, shown.size, c.scaling);
    EXPECT_EQ(p, c.expected);

    if (p.x > 0) {
        EXPECT_EQ(window_pixel(shown, p.x - 1, p.y + p.height / 2), (gfx_test::Rgb{0, 0, 0}));
    }
    if (p.y > 0) {
        EXPECT_EQ(window_pixel(shown, p.x + p.width / 2, p.y - 1), (gfx_test::Rgb{0, 0, 0}));
    }
    // Sharp scaling reproduces every canvas pixel; filtered scaling the inside of each block.
    const int step = p.whole_multiple ? 3 : 1;
    for (int y = 0; y < p.height; y += p.whole_multiple ? step : p.height / 8) {
        for (int x = 0; x < p.width; x += p.whole_multiple ? step : p.width / 8) {
            const platform::Point on_canvas = platform::window_to_canvas({p.x + x, p.y + y}, p, {640, 480});
            if (!p.whole_multiple && (on_canvas.x % 160 < 4 || on_canvas.x % 160 > 155 || on_canvas.y % 120 < 4 ||
                                      on_canvas.y % 120 > 115)) {
                continue;  // filtering blends neighbouring blocks at the edges
            }
            ASSERT_EQ(window_pixel(shown, p.x + x, p.y + y), gfx_test::screen_pixel(on_canvas.x, on_canvas.y))
                << "window " << p.x + x << "," << p.y + y;
        }
    }

    // The game's reads see the 640 x 480 canvas, whatever the window.
    EXPECT_EQ(rt::read_pixel(170, 130), block_colour(1, 1));
    rt::grab_sprite(9, 150, 110, 20, 20);
    EXPECT_EQ(gfx_test::sprite_size(9), (std::pair{20.0, 20.0}));
    rt::draw_sprite(9, 600, 440);
    EXPECT_EQ(rt::read_pixel(600, 440), block_colour(0, 0));
    EXPECT_EQ(rt::read_pixel(619, 459), block_colour(1, 1));
}

INSTANTIATE_TEST_SUITE_P(
    WindowSizes, CanvasInWindow,
    ::testing::Values(WindowCase{{640, 480}, Scaling::automatic, {0, 0, 640, 480, true}},
                      WindowCase{{1280, 960}, Scaling::automatic, {0, 0, 1280, 960, true}},
                      WindowCase{{1920, 1080}, Scaling::automatic, {320, 60, 1280, 960, true}},
                      WindowCase{{1366, 768}, Scaling::automatic, {171, 0, 1024, 768, false}},
                      WindowCase{{800, 600}, Scaling::automatic, {0, 0, 800, 600, false}},
                      WindowCase{{1366, 768}, Scaling::sharp, {363, 144, 640, 480, true}},
                      WindowCase{{1366, 768}, Scaling::stretch, {0, 0, 1366, 768, false}}));

TEST(PointerMapping, CornersAndBarsLandOnTheCanvas) {
    const Placement p = platform::place_canvas({640, 480}, {1920, 1080}, Scaling::automatic);
    const auto at = [&](int x, int y) {
        const platform::Point q = platform::window_to_canvas({x, y}, p, {640, 480});
        return std::pair{q.x, q.y};
    };
    EXPECT_EQ(at(10, 500), (std::pair{0, 220}));     // left bar
    EXPECT_EQ(at(1919, 0), (std::pair{639, 0}));     // top right corner of the screen
    EXPECT_EQ(at(-40, 2000), (std::pair{0, 479}));   // outside the window altogether
    const platform::Point back = platform::canvas_to_window({639, 479}, p, {640, 480});
    EXPECT_EQ(at(back.x, back.y), (std::pair{639, 479}));
    // Crossing the 1280 visible pixels moves the game's pointer across its 640.
    EXPECT_DOUBLE_EQ(platform::motion_scale(p, {640, 480}).x, 0.5);
    EXPECT_EQ(platform::initial_window_size({640, 480}, {2560, 1400}), (Size{1280, 960}));
    EXPECT_EQ(platform::initial_window_size({640, 480}, {800, 600}), (Size{640, 480}));
}

// Partial redraws leave exactly the pixels a full redraw leaves.
class PartialRedraw : public gfx_test::GlTest {
protected:
    std::vector<std::uint8_t> canvas() {
        std::vector<std::uint8_t> pixels(640 * 480 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    std::vector<std::vector<std::uint8_t>> run_menu_frames(bool partial) {
        rt::set_partial_redraw(partial);
        rt::clear_screen();
        rt::draw_rect(0, 0, 640, 300, 0x204060);
        rt::draw_text("Do you want to:", 10, 320);
        rt::keep_screen_as_background();
        rt::present_frame();
        std::vector<std::vector<std::uint8_t>> frames;
        for (int i = 0; i < 12; ++i) {
            frames.push_back(canvas());  // the restored background
            rt::draw_rect(0, 340 + 20 * (i % 3), 300, 20, 0x808080);
            rt::draw_text("Go north", 0, 340);
            rt::draw_sprite(5, 37 * i - 15, 23 * i - 15);  // the pointer, partly off the canvas
            if (i == 6) rt::draw_sprite_rotated(5, 300, 100, 30);
            frames.push_back(canvas());
            rt::present_frame();
        }
        return frames;
    }
};

TEST_F(PartialRedraw, MenuFramesMatchFullRedraws) {
    gfx_test::Picture pointer(30, 30, {250, 250, 0, 255});
    pointer.at(0, 0) = {255, 0, 128, 255};
    load(5, pointer);
    const auto full = run_menu_frames(false);
    const auto partial = run_menu_frames(true);
    ASSERT_EQ(full.size(), partial.size());
    for (std::size_t i = 0; i < full.size(); ++i) EXPECT_TRUE(full[i] == partial[i]) << "frame step " << i;
}

// A canvas holding nothing since its last whole clear is shown by clearing
// the window; whatever draws on it must end that, or the window stays black.
TEST_F(PartialRedraw, TheWindowShowsTheCanvasAfterEveryKindOfDrawing) {
    load(5, gfx_test::Picture(30, 30, {250, 250, 0, 255}));
    const auto window_matches_canvas = [this](const char* step) {
        const rt::WindowPicture shown = rt::read_window_picture();
        ASSERT_EQ(shown.size, (Size{640, 480})) << step;
        EXPECT_TRUE(shown.rgb == canvas()) << step;
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"nothing", [] {}},
        {"rectangle", [] { rt::draw_rect(10, 10, 50, 50, 0x204060); }},
        {"text", [] { rt::draw_text("Go north", 100, 100); }},
        {"sprite", [] { rt::draw_sprite(5, 200, 200); }},
        {"point", [] { rt::draw_point(300, 300, 0xFFFFFF); }},
        {"polygon",
         [] {
             rt::add_polygon_vertex(400, 400, 0, 0, 0x00FF00);
             rt::add_polygon_vertex(450, 400, 0, 0, 0x00FF00);
             rt::add_polygon_vertex(450, 450, 0, 0, 0x00FF00);
             rt::draw_polygon(-1);
         }},
    };
    for (const bool with_background : {false, true}) {
        rt::clear_screen();
        if (with_background) {
            rt::draw_rect(0, 0, 640, 480, 0x102030);
            rt::keep_screen_as_background();
        }
        rt::present_frame();
        for (const auto& [name, draw] : steps) {
            draw();
            window_matches_canvas(name);
            rt::present_frame();
            window_matches_canvas(name);
        }
    }
}

}  // namespace

#include "tests/gfx/gfx_test_support.h"

#include <png.h>

#include <fstream>

#include "platform/services.h"
#include "platform/sdl/sdl_backend.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"
#include "runtime/gfx/fonts.h"

namespace gfx_test {

namespace {
void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}
}  // namespace

void write_bmp24(const std::filesystem::path& path, const Picture& picture) {
    const int stride = (picture.width * 3 + 3) / 4 * 4;
    std::ofstream out(path, std::ios::binary);
    out << "BM";
    put(out, 54 + stride * picture.height, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, picture.width, 4);
    put(out, picture.height, 4);
    put(out, 1, 2);
    put(out, 24, 2);
    for (int i = 0; i < 6; ++i) put(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.pixels[std::size_t(y) * picture.width + x];
            out.put(char(p[2])).put(char(p[1])).put(char(p[0]));
        }
        for (int pad = picture.width * 3; pad < stride; ++pad) out.put(0);
    }
}

void write_png_rgba(const std::filesystem::path& path, const Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width;
    image.height = picture.height;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, picture.pixels.data(), 0, nullptr), 0);
}

Rgb screen_pixel(int x, int y) {
    const auto packed = static_cast<int>(rt::read_pixel(x, y));
    return {packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF};
}

void expect_pixels(std::initializer_list<PixelAt> pixels) {
    for (const PixelAt& p : pixels) EXPECT_EQ(screen_pixel(p.x, p.y), p.colour) << "pixel " << p.x << "," << p.y;
}

std::pair<double, double> sprite_size(int slot) {
    std::pair<double, double> size{-1, -1};
    rt::sprite_size(slot, size.first, size.second);
    return size;
}

std::pair<double, double> font_char_size() {
    std::pair<double, double> size{-1, -1};
    rt::font_char_size(size.first, size.second);
    return size;
}

void GlTest::SetUp() {
    platform::install_sdl_services();
    testing_support::install_test_services(temp_);
    testing_support::install_quiet_audio();
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.screen_width = 640;
    settings.screen_height = 480;
    settings.fullscreen = 0;
    settings.samples = 0;
    settings.frame_rate = 60;
    settings.debug_mode = 1;
    rt::runtime_init("gfx test", 1);
    ASSERT_TRUE(rt::graphics().gl_ready);
}

void GlTest::TearDown() {
    if (rt::has_graphics_context() && rt::graphics().window_open) rt::close_gl_window(rt::graphics());
}

std::string GlTest::media(const std::string& name, const Picture& picture, bool png) {
    if (png) {
        write_png_rgba(file(name), picture);
    } else {
        write_bmp24(file(name), picture);
    }
    return name;
}

void GlTest::load(int slot, const Picture& picture, bool png) {
    const std::string name = "slot" + std::to_string(slot) + (png ? ".png" : ".bmp");
    rt::load_sprite(media(name, picture, png), slot);
    ASSERT_NE(rt::graphics().sprites[slot].texture, 0U) << name;
}

}  // namespace gfx_test

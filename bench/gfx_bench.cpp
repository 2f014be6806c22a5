// Picture loading by stage and the cost of one typical frame.
// Run headless with SDL_VIDEODRIVER=offscreen.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/doubles/test_system.h"
#include "platform/doubles/virtual_clock.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/media_archive.h"
#include "runtime/gfx/fonts.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/texture_builder.h"

namespace {

namespace fs = std::filesystem;

const fs::path& bench_dir() {
    static const fs::path dir = fs::temp_directory_path() / "marlowick-gfx-bench";
    return dir;
}

// A 640 x 480 picture with smooth shading and some texture, like the game's art.
void write_picture(const std::string& name) {
    std::vector<std::uint8_t> rgb(640 * 480 * 3);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            std::uint8_t* p = &rgb[(std::size_t(y) * 640 + x) * 3];
            const double wave = std::sin(x * 0.05) * std::cos(y * 0.07);
            p[0] = std::uint8_t(128 + 100 * wave);
            p[1] = std::uint8_t((x * 255) / 640);
            p[2] = std::uint8_t(((x ^ y) & 15) * 8 + y / 4);
        }
    }
    rt::write_image_file((bench_dir() / name).string(), rgb, 640, 480, std::nullopt);
}

// A headless window driven by runtime_init, with a virtual clock so pacing waits no wall time.
void start_runtime() {
    static bool started = false;
    if (started) return;
    started = true;
    fs::create_directories(bench_dir());
    platform::install_sdl_services();
    platform::services().clock = std::make_unique<platform::doubles::VirtualClock>(0.25);
    platform::services().system = std::make_unique<platform::doubles::TestSystem>(
        bench_dir().string() + "/", (bench_dir() / "marlowick").string());
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.screen_width = 640;
    settings.screen_height = 480;
    settings.frame_rate = 60;
    settings.debug_mode = 1;
    rt::runtime_init("bench", 1);
    write_picture("picture.png");
}

void BM_LoadResolve(benchmark::State& state) {
    start_runtime();
    std::string path;
    for (auto _ : state) benchmark::DoNotOptimize(rt::resolve_media(rt::MediaMount::graphics, "picture.png", path));
}

void BM_LoadDecode(benchmark::State& state) {
    start_runtime();
    rt::RgbaImage image;
    for (auto _ : state) {
        // As a load does: the BMP reader is tried first.
        const bool ok = rt::read_bmp_image(image, "picture.png", rt::default_color_key) ||
                        rt::read_png_image(image, "picture.png", rt::default_color_key);
        benchmark::DoNotOptimize(ok);
    }
}

void BM_LoadTexture(benchmark::State& state) {
    start_runtime();
    rt::RgbaImage image;
    rt::read_png_image(image, "picture.png", rt::default_color_key);
    for (auto _ : state) {
        rt::store_image_in_slot(1, image, false);
        glFinish();
    }
}

void BM_TextureColourBleeding(benchmark::State& state) {
    start_runtime();
    rt::RgbaImage image;
    rt::read_png_image(image, "picture.png", rt::default_color_key);
    for (auto _ : state) {
        rt::TextureBuffer buffer = rt::copy_upside_down(image, 0, 0, 640, 480, 1024, 512);
        rt::bleed_colors(buffer);
        benchmark::DoNotOptimize(buffer.texels.data());
    }
}

void BM_TextureMipChain(benchmark::State& state) {
    start_runtime();
    rt::RgbaImage image;
    rt::read_png_image(image, "picture.png", rt::default_color_key);
    const rt::TextureBuffer level0 = rt::copy_upside_down(image, 0, 0, 640, 480, 1024, 512);
    for (auto _ : state) {
        rt::TextureBuffer buffer = level0;
        while (buffer.width > 1 || buffer.height > 1) rt::next_mip_level(buffer);
        benchmark::DoNotOptimize(buffer.texels.data());
    }
}

void BM_LoadSpriteWhole(benchmark::State& state) {
    start_runtime();
    for (auto _ : state) {
        rt::load_sprite("picture.png", 2);
        glFinish();
    }
}

// Background screen, about 120 glyph frames of a font sheet, one rectangle, swap.
void BM_TypicalFrame(benchmark::State& state) {
    start_runtime();
    rt::load_sprite("picture.png", 0);
    rt::draw_sprite(0, 0, 0);
    rt::keep_screen_as_background();
    std::vector<std::uint8_t> sheet(256 * 128 * 3, 255);
    rt::write_image_file((bench_dir() / "font.bmp").string(), sheet, 256, 128, std::nullopt);
    rt::load_animation("font.bmp", 40, 16, 16);
    for (auto _ : state) {
        for (int i = 0; i < 120; ++i) rt::draw_frame(40, i % 128, 20 + (i % 40) * 15, 300 + (i / 40) * 20);
        rt::draw_rect(10, 400, 620, 30, 0x404040);
        rt::present_frame();
    }
}

}  // namespace

BENCHMARK(BM_LoadResolve)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadTexture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextureColourBleeding)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextureMipChain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSpriteWhole)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

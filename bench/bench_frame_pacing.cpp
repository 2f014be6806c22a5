// CPU cost and steadiness of a static menu frame: the literal busy loop
// against the sleeping wait, with full and with partial redraws, in a
// 640 x 480 and a 1920 x 1080 window.
// Run headless: SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy bench_frame_pacing [seconds]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/doubles/recording_music.h"
#include "platform/doubles/recording_sound.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/core/clock.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx/canvas.h"
#include "runtime/gfx/display_settings.h"
#include "runtime/gfx/fonts.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"
#include "runtime/gfx/window.h"

namespace {

namespace fs = std::filesystem;

struct Mode {
    const char* name;
    bool busy_wait;
    bool partial_redraw;
    bool draw_menu;
};

struct Figures {
    double cpu_per_second = 0;  // share of one core
    double mean_interval_ms = 0;
    double jitter_ms = 0;       // standard deviation of the frame intervals
    double worst_late_ms = 0;   // largest interval beyond the nominal one
};

// A picture and a paragraph kept as background, as a location leaves them.
void draw_static_screen() {
    rt::clear_screen();
    for (int y = 0; y < 300; y += 4) rt::draw_rect(0, y, 640, 4, 0x101000 + (y / 4) * 0x020301);
    for (int line = 0; line < 6; ++line) rt::draw_text("The river runs brown and slow under the bridge.", 8, 310 + 12 * line);
    rt::keep_screen_as_background();
}

// One frame of a menu nobody touches: the heading, five options, the
// highlight under a resting pointer, the pointer.
void draw_menu_frame() {
    rt::draw_text("Do you want to:", 0, 390);
    rt::draw_rect(0, 410, 200, 12, 0x808080);
    for (int k = 0; k < 5; ++k) rt::draw_text("Walk along the river bank", 0, 410 + 12 * k);
    rt::draw_sprite(5, 100, 405);
}

Figures measure(const Mode& mode, double seconds) {
    rt::use_display_settings("", {std::nullopt, false, mode.busy_wait});
    rt::set_partial_redraw(mode.partial_redraw);
    for (int i = 0; i < 30; ++i) {
        if (mode.draw_menu) draw_menu_frame();
        rt::present_frame();
    }
    std::vector<double> stamps;
    const std::clock_t cpu_start = std::clock();
    const double start = rt::now_ms();
    while (rt::now_ms() - start < seconds * 1000.0) {
        if (mode.draw_menu) draw_menu_frame();
        rt::present_frame();
        stamps.push_back(rt::now_ms());
    }
    const double wall_s = (rt::now_ms() - start) / 1000.0;
    Figures f;
    f.cpu_per_second = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC / wall_s;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < stamps.size(); ++i) intervals.push_back(stamps[i] - stamps[i - 1]);
    if (intervals.empty()) return f;
    double sum = 0;
    for (double v : intervals) sum += v;
    f.mean_interval_ms = sum / intervals.size();
    double squares = 0;
    for (double v : intervals) squares += (v - f.mean_interval_ms) * (v - f.mean_interval_ms);
    f.jitter_ms = std::sqrt(squares / intervals.size());
    f.worst_late_ms = *std::max_element(intervals.begin(), intervals.end()) - 1000.0 / 60.0;
    return f;
}

void run_window(platform::Size window, double seconds, const fs::path& dir) {
    const std::string settings = (dir / "settings.ini").string();
    rt::write_display_settings(settings, {false, window, platform::Scaling::automatic});
    rt::use_display_settings(settings, {});
    rt::RuntimeSettings& s = rt::runtime_settings();
    s.screen_width = 640;
    s.screen_height = 480;
    s.debug_mode = 1;
    rt::runtime_init("pacing bench", 1);
    rt::set_screen_size(rt::graphics(), 640, 480);
    rt::draw_rect(0, 0, 30, 30, 0x00FFFF);
    rt::grab_sprite(5, 0, 0, 30, 30);
    draw_static_screen();

    std::printf("\nwindow %dx%d, canvas 640x480, %s\n", window.width, window.height,
                rt::canvas_active() ? "render target" : "no render target");
    std::printf("%-34s %10s %12s %12s %12s\n", "loop", "CPU/s", "interval ms", "jitter ms", "worst late");
    const Mode modes[] = {
        {"busy loop, full redraw (before)", true, false, true},
        {"sleeping wait, full redraw", false, false, true},
        {"sleeping wait, partial redraw", false, true, true},
        {"busy loop, nothing drawn", true, true, false},
        {"sleeping wait, nothing drawn", false, true, false},
    };
    for (const Mode& mode : modes) {
        const Figures f = measure(mode, seconds);
        std::printf("%-34s %9.1f%% %12.3f %12.3f %12.3f\n", mode.name, 100.0 * f.cpu_per_second, f.mean_interval_ms,
                    f.jitter_ms, f.worst_late_ms);
    }
    rt::close_gl_window(rt::graphics());
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 3.0;
    const fs::path dir = fs::temp_directory_path() / "marlowick-pacing-bench";
    fs::create_directories(dir);
    platform::install_sdl_services();
    platform::services().sound = std::make_unique<platform::doubles::RecordingSoundDevice>();
    platform::services().music = std::make_unique<platform::doubles::RecordingMusicPlayer>();
    for (const platform::Size window : {platform::Size{640, 480}, platform::Size{1920, 1080}}) {
        run_window(window, seconds, dir);
    }
    fs::remove_all(dir);
    return 0;
}

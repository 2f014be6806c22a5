// The real game driven headless (virtual clock, scripted clicks), each
// measurement a fresh process:
// - peak resident size over a full play of Part One then Part Two, against a
//   bare program holding the game's busiest picture set as plain textures;
// - the steady frame of a choice menu with pacing off, against the same
//   screen drawn the obvious way (background, glyph quads, bar, pointer,
//   swap) inside the same frames, so both share the machine's moment.
//   SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy build/bench/game_run_bench [rounds]
//   ... build/bench/game_run_bench --peak-detail   (one playthrough, what its peak was made of)
#include <SDL.h>
#include <SDL_opengl.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>

#include "bench/bench_common.h"
#include "game/globals.h"
#include "game/menu.h"
#include "platform/memory.h"
#include "platform/services.h"
#include "runtime/gfx/graphics_context.h"
#include "tests/game/route_part_one.h"
#include "tests/game/route_part_two.h"
#include "tests/support/game_driver.h"

namespace {

namespace fs = std::filesystem;
using testing_support::GameDriver;

constexpr long frame_limit = 40000;
constexpr int part_selection_menu_y = 350;

// Clicks through every screen that waits for a press and makes the route's
// choices, as the playthrough test does; stops at the part selection after
// the route's end.
class RoutePlayer {
public:
    RoutePlayer(std::span<const route::Step> steps, int part_choice) : steps_(steps), part_choice_(part_choice) {}

    bool operator()(GameDriver& driver) {
        if (driver.frame() >= frame_limit) return false;
        if (clicked_) {
            clicked_ = false;
            return true;
        }
        clicked_ = true;
        if (!driver.menu_shown()) {
            driver.click_anywhere();
            return true;
        }
        const bool selection = game::menu_y() == part_selection_menu_y && game::loc == 1 &&
                               game::screendrawn == 1 && game::part != 2 &&
                               (next_ == 0 || next_ == route::part_one.size() || next_ == steps_.size());
        if (selection) {
            if (next_ == steps_.size()) return false;
            driver.choose(part_choice_);
            return true;
        }
        if (next_ >= steps_.size() || game::loc != steps_[next_].loc) return false;
        driver.choose(steps_[next_++].option);
        return true;
    }
    bool finished() const { return next_ == steps_.size(); }

private:
    std::span<const route::Step> steps_;
    int part_choice_;
    std::size_t next_ = 0;
    bool clicked_ = false;
};

int run_playthrough(bool detail) {
    std::optional<bench::PeakComposition> composition;
    if (detail) composition.emplace();
    bool finished = true;
    {
        GameDriver driver;
        RoutePlayer player(route::part_one, 1);
        driver.run(std::ref(player));
        finished = finished && player.finished();
    }
    {
        GameDriver driver;
        std::ofstream(driver.program_dir() / "partone.vx", std::ios::binary) << "5190364\r\n";
        RoutePlayer player(route::part_two, 2);
        driver.run(std::ref(player));
        finished = finished && player.finished();
    }
    std::printf("FINISHED %d\nPEAK %ld\n", finished ? 1 : 0, bench::peak_rss_kb());
    if (composition) composition->print(256);
    return 0;
}

// As a player does it: Part One to the marker, then Part Two chosen at the
// title of the same session.
int run_one_session() {
    std::vector<route::Step> both(route::part_one.begin(), route::part_one.end());
    both.insert(both.end(), route::part_two.begin(), route::part_two.end());
    GameDriver driver;
    RoutePlayer player(both, 2);
    driver.run(std::ref(player));
    std::printf("FINISHED %d\nPEAK %ld\n", player.finished() ? 1 : 0, bench::peak_rss_kb());
    return 0;
}

// ---- The reference working set ----------------------------------------------

std::vector<std::uint8_t> decode_png(const fs::path& file, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

int power_of_two(int size) {
    int p = 2;
    while (p < size) p *= 2;
    return p;
}

// The shared pictures, seven full-screen pictures and the background, each a
// plain texture: what the game needs in memory at its busiest.
int run_reference_memory() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("reference", 0, 0, 640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr || SDL_GL_CreateContext(window) == nullptr) return 1;
    const fs::path gfx = bench::built_pictures(MARLOWICK_BUILD_DIR);
    std::vector<fs::path> files;
    for (const char* name : {"fontpc", "mouse", "f200targ", "gfxfall2", "gfxfall", "gfxdark", "gfxsky", "gfxdngn"}) {
        files.push_back(gfx / (std::string(name) + ".png"));
    }
    int full_screen = 0;
    for (const auto& entry : fs::directory_iterator(gfx)) {
        int w = 0, h = 0;
        if (full_screen < 7 && !decode_png(entry.path(), w, h).empty() && w == 640 && h == 480) {
            files.push_back(entry.path());
            ++full_screen;
        }
    }
    for (const fs::path& file : files) {
        int w = 0, h = 0;
        const auto pixels = decode_png(file, w, h);
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, power_of_two(w), power_of_two(h), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    GLuint background = 0;
    glGenTextures(1, &background);
    glBindTexture(GL_TEXTURE_2D, background);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 640, 480);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    glFinish();
    std::printf("PEAK %ld\n", bench::peak_rss_kb());
    return 0;
}

// ---- Steady menu frame --------------------------------------------------------

constexpr int measured_frames = 400;
constexpr int glyphs_per_frame = 120;  // about a heading and five options

// The menu screen drawn the obvious way, from a copy of the game's own screen.
class ReferenceFrame {
public:
    double draw() {
        const double start = bench::now_ms();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, background_);
        quad(0, 0, 640, 480, 0, 0, 640 / 1024.0f, 480 / 1024.0f);
        glEnable(GL_ALPHA_TEST);
        glBindTexture(GL_TEXTURE_2D, rt::graphics().sprites[50].texture);
        for (int i = 0; i < glyphs_per_frame; ++i) {
            const float x = 10.0f + (i % 30) * 20.0f, y = 350.0f + (i / 30) * 20.0f;
            quad(x, y, x + 20, y + 20, 0.0f, 0.0f, 0.05f, 0.1f);
        }
        glDisable(GL_TEXTURE_2D);
        glColor3ub(150, 150, 150);
        quad(0, 390, 300, 410, 0, 0, 0, 0);
        glColor3ub(255, 255, 255);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, rt::graphics().sprites[51].texture);
        quad(5, 400, 37, 432, 0, 0, 1, 1);
        glPopAttrib();
        glFinish();  // the frame is drawn before it is shown, as the game does
        platform::services().window->swap_buffers();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return bench::now_ms() - start;
    }

    void capture_screen() {
        glGenTextures(1, &background_);
        glBindTexture(GL_TEXTURE_2D, background_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 640, 480);
    }

private:
    static void quad(float l, float t, float r, float b, float s0, float t0, float s1, float t1) {
        glBegin(GL_QUADS);
        glTexCoord2f(s1, t1), glVertex2f(r, t);
        glTexCoord2f(s0, t1), glVertex2f(l, t);
        glTexCoord2f(s0, t0), glVertex2f(l, b);
        glTexCoord2f(s1, t0), glVertex2f(r, b);
        glEnd();
    }
    GLuint background_ = 0;
};

int run_menu_frames() {
    GameDriver driver;
    ReferenceFrame reference;
    std::vector<double> game_frames, reference_frames;
    bool measuring = false;
    bool clicked = false;
    double frame_start = 0.0;
    driver.run([&](GameDriver& d) {
        if (!measuring) {
            if (d.menu_shown() && game::loc == 1 && game::part == 1 && game::screendrawn == 1) {
                measuring = true;
                rt::graphics().frame_interval = 0.0;  // pacing off
                reference.capture_screen();
                d.input().move_pointer_to(5, static_cast<int>(game::menu_y()) + 50);
            } else if (!clicked) {
                d.click_anywhere();
            }
            clicked = !clicked;
            frame_start = bench::now_ms();
            return d.frame() < frame_limit;
        }
        glFinish();  // the game's drawing of this frame is the game's
        game_frames.push_back(bench::now_ms() - frame_start);
        reference_frames.push_back(reference.draw());
        frame_start = bench::now_ms();
        return game_frames.size() < measured_frames;
    });
    game_frames.erase(game_frames.begin());  // the first one ran before pacing was off
    std::printf("GAME %.4f\nREFERENCE %.4f\n", bench::median(game_frames), bench::median(reference_frames));
    return 0;
}

double line_value(const bench::ChildRun& run, const std::string& key) {
    for (const auto& [line, at] : run.line_ms) {
        if (line.rfind(key + " ", 0) == 0) return std::atof(line.c_str() + key.size() + 1);
    }
    return 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    // The game's children hold memory as the real program does from its first line.
    if (argc > 1 && std::strcmp(argv[1], "--child=reference-memory") != 0) platform::configure_heap_for_pictures();
    if (argc > 1 && std::strcmp(argv[1], "--child=playthrough") == 0) return run_playthrough(false);
    // One playthrough in this process, and what its resident size was made of at its largest.
    if (argc > 1 && std::strcmp(argv[1], "--peak-detail") == 0) return run_playthrough(true);
    if (argc > 1 && std::strcmp(argv[1], "--child=one-session") == 0) return run_one_session();
    if (argc > 1 && std::strcmp(argv[1], "--child=reference-memory") == 0) return run_reference_memory();
    if (argc > 1 && std::strcmp(argv[1], "--child=menu-frames") == 0) return run_menu_frames();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::vector<double> game_peak, session_peak, reference_peak, game_frame, reference_frame;
    bool finished = true;
    const double load_before = bench::load_average();
    for (int round = 0; round < rounds; ++round) {
        const bench::ChildRun play = bench::run_child(argv[0], "--child=playthrough");
        finished = finished && line_value(play, "FINISHED") == 1.0;
        game_peak.push_back(static_cast<double>(play.peak_rss_kb) / 1024.0);
        const bench::ChildRun session = bench::run_child(argv[0], "--child=one-session");
        finished = finished && line_value(session, "FINISHED") == 1.0;
        session_peak.push_back(static_cast<double>(session.peak_rss_kb) / 1024.0);
        reference_peak.push_back(static_cast<double>(bench::run_child(argv[0], "--child=reference-memory").peak_rss_kb) /
                                 1024.0);
        const bench::ChildRun frames = bench::run_child(argv[0], "--child=menu-frames");
        game_frame.push_back(line_value(frames, "GAME"));
        reference_frame.push_back(line_value(frames, "REFERENCE"));
    }
    std::printf("the game driven headless, medians of %d interleaved rounds (load average %.1f before, %.1f after)%s\n",
                rounds, load_before, bench::load_average(), finished ? "" : "  ROUTE NOT FINISHED");
    bench::print_row("peak RSS, Part One + Part Two", bench::median(game_peak), bench::median(reference_peak), "MB");
    bench::print_row("peak RSS, both parts in one session", bench::median(session_peak),
                     bench::median(reference_peak), "MB");
    bench::print_row("steady menu frame, pacing off", bench::median(game_frame), bench::median(reference_frame),
                     "ms");
    return 0;
}

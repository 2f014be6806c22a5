// Start-up of the real game against a bare program done the obvious way,
// each as a fresh process, interleaved: start to "Init OK" (the first
// presented frame) and start to the first frame of the compo screen (the
// first screen the player can act on). Medians over the rounds. A second
// reference draws one text-like quad before its "Init OK", as a first frame
// with words on it must.
//   SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy build/bench/startup_bench [rounds]
#include <SDL.h>
#include <SDL_opengl.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

#include "bench/bench_common.h"
#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/core/entry.h"
#include "runtime/files/archive_format.h"
#include "runtime/gfx/graphics_context.h"

namespace {

const std::string bin_dir = MARLOWICK_BIN_DIR;
constexpr const char* first_screen_line = "FIRST-SCREEN";

// ---- The game, with two watchers around the real services ------------------

// The program directory is the one holding the built game and its archives.
class ProgramInBinDir final : public platform::System {
public:
    explicit ProgramInBinDir(std::unique_ptr<platform::System> real) : real_(std::move(real)) {}
    std::string temp_dir() override { return real_->temp_dir(); }
    std::string program_path() override { return bin_dir + "/marlowick"; }
    std::string current_dir() override { return real_->current_dir(); }
    bool set_current_dir(const std::string& path) override { return real_->set_current_dir(path); }
    void write_stdout_line(std::string_view text) override { real_->write_stdout_line(text); }
    void beep() override { real_->beep(); }
    [[noreturn]] void exit_process(int code) override {
        real_->exit_process(code);
        std::abort();  // not reached
    }
    std::uint32_t machine_serial() override { return real_->machine_serial(); }
    platform::ProcessResult run_process(const std::string& command_line, bool wait) override {
        return real_->run_process(command_line, wait);
    }
    std::optional<std::string> file_dialog(bool save, const platform::FileFilters& filters) override {
        return real_->file_dialog(save, filters);
    }
    std::unique_ptr<platform::DynamicLibrary> load_library(const std::string& name) override {
        return real_->load_library(name);
    }

private:
    std::unique_ptr<platform::System> real_;
};

// Reports the first swap that shows a picture in slot 0: the compo screen.
class FirstScreenWatch final : public platform::Window {
public:
    explicit FirstScreenWatch(std::unique_ptr<platform::Window> real) : real_(std::move(real)) {}
    bool open(const platform::WindowRequest& request) override { return real_->open(request); }
    void close() override { real_->close(); }
    bool is_open() const override { return real_->is_open(); }
    void set_title(const std::string& title) override { real_->set_title(title); }
    bool enter_fullscreen(int width, int height) override { return real_->enter_fullscreen(width, height); }
    void enter_windowed(int width, int height) override { real_->enter_windowed(width, height); }
    void hide() override { real_->hide(); }
    void show_and_raise() override { real_->show_and_raise(); }
    void swap_buffers() override {
        real_->swap_buffers();
        if (rt::has_graphics_context() && rt::graphics().sprites[0].width > 0) {
            std::printf("%s\n", first_screen_line);
            std::fflush(stdout);
            std::_Exit(0);
        }
    }
    std::optional<platform::WindowEvent> next_event() override { return real_->next_event(); }
    void* gl_proc_address(const char* name) override { return real_->gl_proc_address(name); }
    bool multisample_supported() override { return real_->multisample_supported(); }
    bool hardware_accelerated() override { return real_->hardware_accelerated(); }
    int desktop_color_bits() override { return real_->desktop_color_bits(); }
    bool headless() const override { return real_->headless(); }
    void warning_box(const std::string& caption, const std::string& text) override {
        real_->warning_box(caption, text);
    }

private:
    std::unique_ptr<platform::Window> real_;
};

int run_game() {
    platform::install_sdl_services();
    platform::Services& services = platform::services();
    services.system = std::make_unique<ProgramInBinDir>(std::move(services.system));
    services.window = std::make_unique<FirstScreenWatch>(std::move(services.window));
    const char* args[] = {"marlowick"};
    return rt::run_process(1, args, game::game_entry);
}

// ---- The reference: a bare window, then the compo picture, the obvious way --

std::vector<std::uint8_t> unpack_from_archive(const std::string& name) {
    std::ifstream file(bin_dir + "/media.gfx", std::ios::binary);
    const auto reader = rt::archive::ArchiveReader::open(file);
    if (!reader) return {};
    const auto entry = reader->find(name);
    if (!entry) return {};
    auto bytes = reader->unpack(*entry);
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

// The game's first frame shows the loading text: a program showing words on
// its first frame draws at least one textured, alpha-tested, blended quad
// before it can say so. This variant does that before its "Init OK".
void draw_text_like_quad() {
    std::vector<std::uint8_t> texels(128 * 32 * 4);
    for (std::size_t i = 0; i < texels.size(); i += 4) {
        const std::uint8_t value = (i / 4) % 3 != 0 ? 255 : 0;  // stripes of opaque and clear
        std::fill_n(texels.begin() + static_cast<std::ptrdiff_t>(i), 4, value);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 128, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.05f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(256, 224);
    glTexCoord2f(0, 1), glVertex2f(256, 256);
    glTexCoord2f(1, 1), glVertex2f(384, 256);
    glTexCoord2f(1, 0), glVertex2f(384, 224);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

int run_reference(bool draw_first) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("reference", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr || SDL_GL_CreateContext(window) == nullptr) return 1;
    SDL_GL_SetSwapInterval(0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (draw_first) draw_text_like_quad();
    glFinish();  // as the game does: the frame is drawn before it is shown
    SDL_GL_SwapWindow(window);
    std::printf("Init OK\n");
    std::fflush(stdout);

    const std::vector<std::uint8_t> file = unpack_from_archive("compo.png");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return 1;
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return 1;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height),
                    GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glEnable(GL_TEXTURE_2D);
    const float s = image.width / 1024.0f, t = image.height / 512.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(0, 0);
    glTexCoord2f(0, t), glVertex2f(0, 480);
    glTexCoord2f(s, t), glVertex2f(640, 480);
    glTexCoord2f(s, 0), glVertex2f(640, 0);
    glEnd();
    glFinish();
    SDL_GL_SwapWindow(window);
    std::printf("%s\n", first_screen_line);
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child=game") == 0) return run_game();
    if (argc > 1 && std::strcmp(argv[1], "--child=reference") == 0) return run_reference(false);
    if (argc > 1 && std::strcmp(argv[1], "--child=reference-drawing") == 0) return run_reference(true);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::vector<double> game_init, game_first, reference_init, reference_first, drawing_init;
    const double load_before = bench::load_average();
    for (int round = 0; round < rounds; ++round) {
        const bench::ChildRun game = bench::run_child(argv[0], "--child=game");
        const bench::ChildRun reference = bench::run_child(argv[0], "--child=reference");
        game_init.push_back(game.line_ms.count("Init OK") ? game.line_ms.at("Init OK") : 0.0);
        game_first.push_back(game.line_ms.count(first_screen_line) ? game.line_ms.at(first_screen_line) : 0.0);
        reference_init.push_back(reference.line_ms.count("Init OK") ? reference.line_ms.at("Init OK") : 0.0);
        const bench::ChildRun drawing = bench::run_child(argv[0], "--child=reference-drawing");
        drawing_init.push_back(drawing.line_ms.count("Init OK") ? drawing.line_ms.at("Init OK") : 0.0);
        reference_first.push_back(reference.line_ms.count(first_screen_line) ? reference.line_ms.at(first_screen_line)
                                                                              : 0.0);
    }
    std::printf("start-up, medians of %d interleaved rounds (load average %.1f before, %.1f after)\n", rounds,
                load_before, bench::load_average());
    bench::print_row("start to \"Init OK\"", bench::median(game_init), bench::median(reference_init), "ms");
    bench::print_row("  against a reference drawing text first", bench::median(game_init), bench::median(drawing_init),
                     "ms");
    bench::print_row("start to first interactive screen", bench::median(game_first), bench::median(reference_first),
                     "ms");
    return 0;
}

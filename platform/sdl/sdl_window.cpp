#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

bool is_software_renderer(std::string_view renderer) {
    for (std::string_view name : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (renderer.find(name) != std::string_view::npos) return true;
    }
    return false;
}

class SdlWindow final : public Window {
public:
    SdlWindow() = default;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;
    ~SdlWindow() override {
        close();
        if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool open(const WindowRequest& request) override {
        close();
        if (!start_video()) return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, request.samples > 0 ? 1 : 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, request.samples > 0 ? request.samples : 0);

        window_ = SDL_CreateWindow(request.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   request.width, request.height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        if (window_ == nullptr) return refuse(SDL_GetError());
        context_ = SDL_GL_CreateContext(window_);
        if (context_ == nullptr || SDL_GL_MakeCurrent(window_, context_) != 0) {
            const std::string reason = SDL_GetError();
            close();
            return refuse(reason);
        }
        if (const auto too_old = missing_gl_version()) {
            close();
            return refuse(*too_old);
        }
        failure_.clear();
        // Pacing is the runtime's own busy wait; vsync would add to it.
        SDL_GL_SetSwapInterval(0);
        return true;
    }

    void close() override {
        if (context_ != nullptr) {
            SDL_GL_MakeCurrent(window_, nullptr);
            SDL_GL_DeleteContext(context_);
            context_ = nullptr;
        }
        if (window_ != nullptr) {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_DestroyWindow(window_);
            window_ = nullptr;
        }
    }

    bool is_open() const override { return window_ != nullptr; }

    void set_title(const std::string& title) override {
        if (window_ != nullptr) SDL_SetWindowTitle(window_, title.c_str());
    }

    bool enter_fullscreen(int width, int height) override {
        if (window_ == nullptr) return false;
        const auto mode = exact_display_mode(width, height);
        if (!mode) return false;
        if (SDL_SetWindowDisplayMode(window_, &*mode) != 0) return false;
        return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
    }

    void enter_windowed(int width, int height) override {
        if (window_ == nullptr) return;
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowSize(window_, width, height);
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    }

    void hide() override {
        if (window_ == nullptr) return;
        SDL_SetWindowFullscreen(window_, 0);
        SDL_HideWindow(window_);
    }

    void show_and_raise() override {
        if (window_ == nullptr) return;
        const Uint32 flags = SDL_GetWindowFlags(window_);
        if ((flags & SDL_WINDOW_HIDDEN) != 0) SDL_ShowWindow(window_);
        if ((flags & SDL_WINDOW_INPUT_FOCUS) == 0) SDL_RaiseWindow(window_);
    }

    void swap_buffers() override {
        if (window_ != nullptr) SDL_GL_SwapWindow(window_);
    }

    std::optional<WindowEvent> next_event() override {
        if (!video_started_) return std::nullopt;
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) {
            if (event.type == SDL_QUIT) return WindowEvent::close_requested;
            if (event.type != SDL_WINDOWEVENT) continue;
            switch (event.window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED: return WindowEvent::activated;
            case SDL_WINDOWEVENT_FOCUS_LOST: return WindowEvent::deactivated;
            case SDL_WINDOWEVENT_CLOSE: return WindowEvent::close_requested;
            default: break;
            }
        }
        return std::nullopt;
    }

    void* gl_proc_address(const char* name) override {
        if (!video_started_ || name == nullptr) return nullptr;
        return SDL_GL_GetProcAddress(name);
    }

    bool multisample_supported() override {
        return context_ != nullptr && SDL_GL_ExtensionSupported("GL_ARB_multisample") == SDL_TRUE;
    }

    bool hardware_accelerated() override {
        if (context_ == nullptr) return false;
        const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        return renderer == nullptr || !is_software_renderer(renderer);
    }

    int desktop_color_bits() override {
        SDL_DisplayMode mode{};
        if (!video_started_ || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
        return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    }

    bool headless() const override {
        const char* driver = video_started_ ? SDL_GetCurrentVideoDriver() : SDL_getenv("SDL_VIDEODRIVER");
        if (driver == nullptr) return false;
        return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
    }

    void warning_box(const std::string& caption, const std::string& utf8_text) override {
        if (headless()) return;
        show_message_box_unless_quit(false, caption, utf8_text);
    }

    std::string failure_reason() const override { return failure_; }

    void error_box(const std::string& caption, const std::string& utf8_text) override {
        if (headless()) return;
        show_message_box_unless_quit(true, caption, utf8_text);
    }

private:
    // A display mode of exactly this size; nothing when the display has none.
    std::optional<SDL_DisplayMode> exact_display_mode(int width, int height) const {
        const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
        const int count = SDL_GetNumDisplayModes(display);
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w == width && mode.h == height) return mode;
        }
        return std::nullopt;
    }

    bool start_video() {
        if (video_started_) return true;
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return refuse(SDL_GetError());
        video_started_ = true;
        if (const auto refusal = invisible_display_refusal()) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            video_started_ = false;
            return refuse(*refusal);
        }
        guard_display_connection();
        return true;
    }

    bool refuse(std::string reason) {
        failure_ = std::move(reason);
        return false;
    }

    // The drawing needs OpenGL 1.1; a context that reports less cannot be used.
    static std::optional<std::string> missing_gl_version() {
        const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        int major = 0;
        int minor = 0;
        if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
            return std::string("the OpenGL version cannot be read");
        }
        if (major > 1 || (major == 1 && minor >= 1)) return std::nullopt;
        return "OpenGL 1.1 is required, the driver offers " + std::string(version);
    }

    bool video_started_ = false;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    std::string failure_;
};

}  // namespace

std::unique_ptr<Window> make_sdl_window() { return std::make_unique<SdlWindow>(); }

}  // namespace platform

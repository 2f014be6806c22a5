#include <SDL.h>
#include <SDL_opengl.h>
#ifdef MARLOWICK_HAVE_X11
#include <SDL_syswm.h>
#endif

#include <algorithm>
#include <atomic>
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

// Keys the window answers itself, whoever takes the key events off the queue.
struct WindowKeys {
    std::atomic<bool> toggle_fullscreen{false};
    std::atomic<bool> screenshot{false};
};

int watch_window_keys(void* data, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN || event->key.repeat != 0) return 1;
    auto& keys = *static_cast<WindowKeys*>(data);
    const SDL_Scancode code = event->key.keysym.scancode;
    const bool alt = (event->key.keysym.mod & KMOD_ALT) != 0;
    if (alt && (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER)) keys.toggle_fullscreen = true;
    if (code == SDL_SCANCODE_F12) keys.screenshot = true;
    return 1;
}

class SdlWindow;
SdlWindow* live_window = nullptr;  // the process's one window, for the pointer mapping

class SdlWindow final : public Window {
public:
    SdlWindow() { live_window = this; }
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;
    ~SdlWindow() override {
        close();
        if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (live_window == this) live_window = nullptr;
    }

    bool open(const WindowRequest& request) override {
        close();
        if (!start_video()) return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        // Nothing is ever depth- or stencil-tested (the depth and stencil
        // tests stay off), so the window carries colour only: at a desktop's
        // size those two buffers would hold several megabytes of nothing.
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, request.samples > 0 ? 1 : 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, request.samples > 0 ? request.samples : 0);

        presentation_.canvas = {request.width, request.height};
        if (!windowed_size_) windowed_size_ = initial_window_size(presentation_.canvas, usable_desktop());
        const Size size = presentation_.scalable ? *windowed_size_ : presentation_.canvas;
        const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI |
                             (presentation_.scalable ? SDL_WINDOW_RESIZABLE : 0);
        window_ = SDL_CreateWindow(request.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   size.width, size.height, flags);
        if (window_ == nullptr) return refuse(SDL_GetError());
        surface_size_ = size;
        SDL_AddEventWatch(watch_window_keys, &keys_);
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
            SDL_DelEventWatch(watch_window_keys, &keys_);
            SDL_SetWindowFullscreen(window_, 0);
            SDL_DestroyWindow(window_);
            window_ = nullptr;
        }
    }

    bool is_open() const override { return window_ != nullptr; }

    void set_title(const std::string& title) override {
        if (window_ != nullptr) SDL_SetWindowTitle(window_, title.c_str());
    }

    void set_icon(int width, int height, std::span<const std::uint8_t> rgba) override {
        if (window_ == nullptr || width <= 0 || height <= 0 ||
            rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
            return;
        }
        // SDL copies the pixels, so the surface may borrow them for this call.
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba.data()), width,
                                                                  height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
        if (surface == nullptr) return;
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
    }

    bool enter_fullscreen(int width, int height) override {
        if (window_ == nullptr) return false;
        if (presentation_.scalable && !preferences_.exclusive_fullscreen) return cover_display();
        const auto mode = exact_display_mode(width, height);
        if (!mode) return false;
        if (SDL_SetWindowDisplayMode(window_, &*mode) != 0) return false;
        return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
    }

    void enter_windowed(int width, int height) override {
        if (window_ == nullptr) return;
        const bool was_fullscreen = fullscreen();
        SDL_SetWindowFullscreen(window_, 0);
        covering_ = false;
        SDL_SetWindowBordered(window_, SDL_TRUE);
        const Size size = presentation_.scalable && windowed_size_ ? *windowed_size_ : Size{width, height};
        int current_width = 0;
        int current_height = 0;
        SDL_GetWindowSize(window_, &current_width, &current_height);
        if (current_width != size.width || current_height != size.height) SDL_SetWindowSize(window_, size.width, size.height);
        if (was_fullscreen) SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    }

    void set_presentation(const Presentation& presentation) override {
        const bool was_scalable = presentation_.scalable;
        presentation_ = presentation;
        if (window_ == nullptr || was_scalable == presentation.scalable) return;
        // Without a render target the window is the canvas and keeps its size.
        SDL_SetWindowResizable(window_, presentation.scalable ? SDL_TRUE : SDL_FALSE);
        if (!presentation.scalable && !fullscreen()) {
            SDL_SetWindowSize(window_, presentation.canvas.width, presentation.canvas.height);
        }
    }

    void set_preferences(const WindowPreferences& preferences) override {
        preferences_ = preferences;
        if (preferences.windowed_size && preferences.windowed_size->width > 0 && preferences.windowed_size->height > 0) {
            windowed_size_ = preferences.windowed_size;
        }
    }

    Size drawable_size() const override {
        if (window_ == nullptr) return {};
        // The offscreen driver's surface keeps the size it was made with.
        if (headless()) return surface_size_;
        Size size;
        SDL_GL_GetDrawableSize(window_, &size.width, &size.height);
        return size;
    }

    std::optional<Size> windowed_size() const override { return windowed_size_; }

    // Where the canvas is in window coordinates (the pointer's units).
    Placement placement_in_window() const {
        if (window_ == nullptr || !presentation_.scalable) {
            return {0, 0, presentation_.canvas.width, presentation_.canvas.height, true};
        }
        const Size drawable = drawable_size();
        const Placement p = place_canvas(presentation_.canvas, drawable, presentation_.scaling);
        Size points;
        SDL_GetWindowSize(window_, &points.width, &points.height);
        if (drawable.width <= 0 || drawable.height <= 0 || points == drawable) return p;
        const double sx = static_cast<double>(points.width) / drawable.width;
        const double sy = static_cast<double>(points.height) / drawable.height;
        return {static_cast<int>(p.x * sx), static_cast<int>(p.y * sy), static_cast<int>(p.width * sx),
                static_cast<int>(p.height * sy), p.whole_multiple};
    }
    Size canvas_size() const { return presentation_.canvas; }

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
        if (keys_.toggle_fullscreen.exchange(false)) return WindowEvent::toggle_fullscreen_requested;
        if (keys_.screenshot.exchange(false)) return WindowEvent::screenshot_requested;
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) {
            if (event.type == SDL_QUIT) return WindowEvent::close_requested;
            if (event.type != SDL_WINDOWEVENT) continue;
            switch (event.window.event) {
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                if (!fullscreen() && presentation_.scalable) windowed_size_ = Size{event.window.data1, event.window.data2};
                break;
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
    bool fullscreen() const {
        return window_ != nullptr && (covering_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0);
    }

    // Desktop full screen. Without a window manager to carry it out the
    // window keeps its size, so it is then made a borderless window over
    // the display instead.
    bool cover_display() {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &bounds) != 0) return false;
        if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
        if (headless() || window_covers(bounds)) return true;
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_FALSE);
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
        SDL_RaiseWindow(window_);
        covering_ = true;
        return true;
    }

    // Asks the X server, not SDL's own idea of the size, whether the window
    // covers the display yet.
    bool window_covers(const SDL_Rect& bounds) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            SDL_PumpEvents();
            const std::optional<Size> size = system_window_size();
            if (!size) return true;  // no way to ask: trust the full-screen request
            if (size->width >= bounds.w && size->height >= bounds.h) return true;
            SDL_Delay(10);
        }
        return false;
    }

    std::optional<Size> system_window_size() const {
#ifdef MARLOWICK_HAVE_X11
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0) {
                return Size{attributes.width, attributes.height};
            }
        }
#endif
        return std::nullopt;
    }

    Size usable_desktop() const {
        SDL_Rect bounds{};
        if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
            return presentation_.canvas;
        }
        return {bounds.w, bounds.h};
    }

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
    Presentation presentation_;
    WindowPreferences preferences_;
    std::optional<Size> windowed_size_;
    Size surface_size_;
    WindowKeys keys_;
    bool covering_ = false;  // a borderless window over the display stands for full screen
    std::string failure_;
};

}  // namespace

Point window_point_to_canvas(int x, int y) {
    if (live_window == nullptr) return {x, y};
    return window_to_canvas({x, y}, live_window->placement_in_window(), live_window->canvas_size());
}

Point canvas_to_window_point(int x, int y) {
    if (live_window == nullptr) return {x, y};
    return canvas_to_window({x, y}, live_window->placement_in_window(), live_window->canvas_size());
}

MotionScale pointer_motion_scale() {
    if (live_window == nullptr) return {};
    return motion_scale(live_window->placement_in_window(), live_window->canvas_size());
}

std::unique_ptr<Window> make_sdl_window() { return std::make_unique<SdlWindow>(); }

}  // namespace platform

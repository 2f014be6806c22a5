#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/screen_fit.h"

namespace platform {

struct WindowRequest {
    int width = 640;
    int height = 480;
    std::string title;
    int samples = 0;  // multisample count; 0 = none
};

enum class WindowEvent {
    activated,
    deactivated,
    close_requested,  // the close button, or the desktop asking the program to quit
    toggle_fullscreen_requested,  // Alt+Enter
    screenshot_requested,         // F12
};

// How the game's fixed-size canvas is shown in the window.
struct Presentation {
    Size canvas{640, 480};
    Scaling scaling = Scaling::automatic;
    // False when the window itself is the canvas (no render target): the
    // window then keeps the canvas size and full screen switches the display mode.
    bool scalable = true;
};

// What the player chose for the window last time (or on the command line).
struct WindowPreferences {
    bool exclusive_fullscreen = false;  // switch the display mode instead of covering the desktop
    std::optional<Size> windowed_size;  // remembered window size
};

// The program's one top-level window with its OpenGL (compatibility) context.
class Window {
public:
    virtual ~Window() = default;

    // Creates the window and makes its GL context current. False when it
    // cannot be had with these settings (for instance the sample count).
    virtual bool open(const WindowRequest& request) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;

    virtual void set_title(const std::string& title) = 0;
    // The picture the desktop shows for the window: 4 bytes per pixel (red,
    // green, blue, alpha), rows from the top. Ignored where there is none.
    virtual void set_icon(int /*width*/, int /*height*/, std::span<const std::uint8_t> /*rgba*/) {}
    // Full screen for a width x height canvas: a borderless window over the
    // whole display at its own resolution, or (exclusive, or when the canvas
    // cannot be scaled) the display switched to exactly width x height.
    // False when it cannot be had.
    virtual bool enter_fullscreen(int width, int height) = 0;
    virtual void enter_windowed(int width, int height) = 0;

    // ---- Scaled presentation. The defaults suit a window that is the canvas.
    virtual void set_presentation(const Presentation&) {}
    virtual void set_preferences(const WindowPreferences&) {}
    // The drawable in pixels (larger than the window's size on hi-DPI desktops);
    // 0 x 0 when unknown.
    virtual Size drawable_size() const { return {}; }
    // The window's size while windowed, for remembering it.
    virtual std::optional<Size> windowed_size() const { return std::nullopt; }
    virtual void hide() = 0;
    virtual void show_and_raise() = 0;
    virtual void swap_buffers() = 0;

    // Takes the next waiting window message off the queue, if any.
    virtual std::optional<WindowEvent> next_event() = 0;

    virtual void* gl_proc_address(const char* name) = 0;
    virtual bool multisample_supported() = 0;
    virtual bool hardware_accelerated() = 0;
    virtual int desktop_color_bits() = 0;
    // True when nobody can see or answer a message box (offscreen or dummy video).
    virtual bool headless() const = 0;
    // A modal warning with an OK button; returns at once when headless.
    virtual void warning_box(const std::string& caption, const std::string& utf8_text) = 0;
    // Why the latest open() failed, in the system's words.
    virtual std::string failure_reason() const { return {}; }
    // A modal error with an OK button, shown where a display can show it.
    virtual void error_box(const std::string& caption, const std::string& utf8_text) {
        warning_box(caption, utf8_text);
    }
};

}  // namespace platform

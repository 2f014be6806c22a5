#pragma once
#include <optional>
#include <string>

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
    // Switches the display to exactly width x height; false when no such mode exists.
    virtual bool enter_fullscreen(int width, int height) = 0;
    virtual void enter_windowed(int width, int height) = 0;
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

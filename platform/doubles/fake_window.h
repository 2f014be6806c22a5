#pragma once
#include <deque>
#include <vector>
#include <string>

#include "platform/window.h"

namespace platform::doubles {

// A window without GL: records what the runtime asks of it and hands out
// scripted window messages. For tests of the frame loop's own logic.
class FakeWindow final : public Window {
public:
    bool open(const WindowRequest& request) override;
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }
    void set_title(const std::string& title) override { this->title = title; }
    bool enter_fullscreen(int, int) override { return fullscreen_available; }
    void enter_windowed(int, int) override {}
    void hide() override { hidden = true; }
    void show_and_raise() override { hidden = false; }
    void swap_buffers() override { ++swaps; }
    std::optional<WindowEvent> next_event() override;
    void* gl_proc_address(const char*) override { return nullptr; }
    bool multisample_supported() override { return true; }
    bool hardware_accelerated() override { return true; }
    int desktop_color_bits() override { return 32; }
    bool headless() const override { return true; }
    void warning_box(const std::string&, const std::string&) override { ++warning_boxes; }
    std::string failure_reason() const override { return open_ ? std::string{} : refusal; }
    void error_box(const std::string&, const std::string& text) override { error_boxes.push_back(text); }

    void push_event(WindowEvent event) { events.push_back(event); }

    // Largest sample count open() accepts.
    int max_samples = 0;
    // When set, every open() fails with this reason.
    std::string refusal;
    std::vector<std::string> error_boxes;
    bool fullscreen_available = false;
    std::vector<int> sample_requests;
    std::deque<WindowEvent> events;
    std::string title;
    bool hidden = false;
    int swaps = 0;
    int warning_boxes = 0;

private:
    bool open_ = false;
};

}  // namespace platform::doubles

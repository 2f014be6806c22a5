#include "platform/doubles/fake_window.h"

namespace platform::doubles {

bool FakeWindow::open(const WindowRequest& request) {
    sample_requests.push_back(request.samples);
    open_ = refusal.empty() && request.samples <= max_samples;
    return open_;
}

std::optional<WindowEvent> FakeWindow::next_event() {
    if (events.empty()) return std::nullopt;
    const WindowEvent event = events.front();
    events.pop_front();
    return event;
}

}  // namespace platform::doubles

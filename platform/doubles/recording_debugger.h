#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/debugger.h"

namespace platform::doubles {

// A debugger channel inside the process: records every message and lets the
// test act as the debugger while the program is "stopped" in deliver().
class RecordingDebugger final : public Debugger {
public:
    bool attached() override {
        ++attach_queries;
        return is_attached;
    }
    void deliver(std::string_view message) override {
        messages.emplace_back(message);
        if (on_message) on_message(message);
    }
    bool open_console() override {
        ++console_requests;
        return true;
    }

    bool is_attached = true;
    int attach_queries = 0;
    int console_requests = 0;
    std::vector<std::string> messages;
    std::function<void(std::string_view)> on_message;
};

}  // namespace platform::doubles

#pragma once
// Plays the development environment inside the test process: attached through
// a recording debugger channel, it finds the debugger record by the address in
// each "BP" message and reads and writes it while the program is stopped.
#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "platform/doubles/recording_debugger.h"
#include "platform/services.h"
#include "runtime/core/debug_registry.h"

namespace testing_support {

inline void reset_debug_state() {
    rt::variable_registry = {};
    rt::debug_record = {};
    rt::breakpoint_files = {};
    rt::breakpoint_lines = {};
    rt::call_depth = 0;
    rt::step_depth = 0;
}

// The debugger record's address in a "BP" message: lower-case hex, no prefix.
inline std::uintptr_t record_address(std::string_view message) {
    std::uintptr_t address = 0;
    const auto digits = message.substr(2);
    EXPECT_EQ(std::from_chars(digits.data(), digits.data() + digits.size(), address, 16).ptr,
              digits.data() + digits.size()) << message;
    return address;
}

struct Stop {
    int file, line, depth;
};

class DevelopmentEnvironment {
public:
    DevelopmentEnvironment() {
        auto channel = std::make_unique<platform::doubles::RecordingDebugger>();
        channel_ = channel.get();
        channel_->on_message = [this](std::string_view message) { receive(message); };
        platform::services().debugger = std::move(channel);
        rt::recheck_debugger_attached();
    }
    ~DevelopmentEnvironment() {
        platform::services().debugger.reset();
        rt::recheck_debugger_attached();
    }

    platform::doubles::RecordingDebugger& channel() { return *channel_; }

    static void set_breakpoints(rt::DebugRecord& record, const std::vector<std::pair<int, int>>& points) {
        record.breakpoint_count = static_cast<std::int32_t>(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            record.breakpoint_files[i] = points[i].first;
            record.breakpoint_lines[i] = points[i].second;
        }
    }

    std::function<void(rt::DebugRecord&)> on_stop;  // acts while the program is stopped
    std::vector<Stop> stops;

private:
    void receive(std::string_view message) {
        if (message.starts_with("TX")) return;
        ASSERT_TRUE(message.starts_with("BP")) << message;
        auto& record = *reinterpret_cast<rt::DebugRecord*>(record_address(message));
        stops.push_back({record.stop_file, record.stop_line, rt::call_depth});
        if (on_stop) on_stop(record);
    }

    platform::doubles::RecordingDebugger* channel_ = nullptr;
};

}  // namespace testing_support

#pragma once
// Plays the development environment inside the test process: attached through
// a recording debugger channel, it finds the debugger record by the address in
// each "BP" message and reads and writes it while the program is stopped.
#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/doubles/recording_debugger.h"
#include "platform/services.h"
#include "runtime/core/debug_registry.h"
#include "runtime/core/number_array.h"

namespace testing_support {

// The runtime string's three fields as a debugger reads them.
struct StringRecord {
    char* buffer;
    std::int32_t capacity;
    std::int32_t length;
};

inline void reset_debug_state() {
    rt::variable_registry = {};
    rt::debug_record = {};
    rt::breakpoint_files = {};
    rt::breakpoint_lines = {};
    rt::call_depth = 0;
    rt::step_depth = 0;
}

struct Stop {
    int file, line, depth;
    std::map<std::string, std::string> globals, locals;
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
    std::vector<std::string> texts;

private:
    void receive(std::string_view message) {
        if (message.starts_with("TX")) {
            texts.emplace_back(message.substr(2));
            return;
        }
        ASSERT_TRUE(message.starts_with("BP")) << message;
        std::uintptr_t address = 0;
        const auto hex = message.substr(2);
        ASSERT_EQ(std::from_chars(hex.data(), hex.data() + hex.size(), address, 16).ptr, hex.data() + hex.size());
        auto& record = *reinterpret_cast<rt::DebugRecord*>(address);
        stops.push_back({record.stop_file, record.stop_line, rt::call_depth,
                         read_variables(record.globals, record.global_count),
                         read_variables(record.locals, record.local_count)});
        if (on_stop) on_stop(record);
    }

    static std::map<std::string, std::string> read_variables(const rt::VariableDescriptor* first, int count) {
        std::map<std::string, std::string> values;
        for (int i = 0; i < count; ++i) values[first[i].name] = show(first[i]);
        return values;
    }

    static std::string show(const rt::VariableDescriptor& descriptor) {
        std::ostringstream out;
        switch (static_cast<rt::VariableType>(descriptor.type)) {
        case rt::VariableType::number:
            out << *static_cast<const double*>(descriptor.address);
            break;
        case rt::VariableType::string: {
            const auto* text = static_cast<const StringRecord*>(descriptor.address);
            out << '"' << std::string_view(text->buffer, static_cast<std::size_t>(text->length)) << '"';
            break;
        }
        case rt::VariableType::number_array: {
            const auto* array = static_cast<const rt::NumberArray*>(descriptor.address);
            for (int i = 0; i < array->dim1; ++i) out << (i > 0 ? "," : "[") << array->data[i];
            out << "]";
            break;
        }
        }
        return out.str();
    }

    platform::doubles::RecordingDebugger* channel_ = nullptr;
};

}  // namespace testing_support

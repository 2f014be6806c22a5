#pragma once
// Plays the development environment inside the test process: it attaches
// through a recording debugger channel, reads the debugger record whose
// address arrives with each "BP" message, and acts on it while the program
// is stopped, as the real front-end would.
#include <charconv>
#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/doubles/recording_debugger.h"
#include "platform/services.h"
#include "runtime/core/debug_registry.h"
#include "runtime/core/number_array.h"

namespace testing_support {

// The three fields of the runtime's string value as a debugger reads them.
struct StringRecord {
    char* buffer;
    std::int32_t capacity;
    std::int32_t length;
};

// Puts the process-wide debugging state back to its start values.
inline void reset_debug_state() {
    rt::variable_registry = {};
    rt::debug_record = {};
    rt::breakpoint_files = {};
    rt::breakpoint_lines = {};
    rt::call_depth = 0;
    rt::step_depth = 0;
}

struct Stop {
    int file;
    int line;
    int depth;
    std::map<std::string, std::string> globals;
    std::map<std::string, std::string> locals;
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
    DevelopmentEnvironment(const DevelopmentEnvironment&) = delete;
    DevelopmentEnvironment& operator=(const DevelopmentEnvironment&) = delete;

    platform::doubles::RecordingDebugger& channel() { return *channel_; }

    // Runs at each stop with the record found through the message.
    std::function<void(rt::DebugRecord&)> on_stop;
    std::vector<Stop> stops;
    std::vector<std::string> texts;
    std::vector<rt::DebugRecord*> announced_records;

    static void set_breakpoints(rt::DebugRecord& record, const std::vector<std::pair<int, int>>& points) {
        record.breakpoint_count = static_cast<std::int32_t>(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            record.breakpoint_files[i] = points[i].first;
            record.breakpoint_lines[i] = points[i].second;
        }
    }

    static std::map<std::string, std::string> read_variables(const rt::VariableDescriptor* first, int count) {
        std::map<std::string, std::string> values;
        for (int i = 0; i < count; ++i) values[first[i].name] = show(first[i]);
        return values;
    }

private:
    void receive(std::string_view message) {
        if (message.starts_with("TX")) {
            texts.emplace_back(message.substr(2));
            return;
        }
        ASSERT_TRUE(message.starts_with("BP")) << message;
        std::uintptr_t address = 0;
        const auto digits = message.substr(2);
        const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), address, 16);
        ASSERT_EQ(parsed.ptr, digits.data() + digits.size()) << message;
        auto* record = reinterpret_cast<rt::DebugRecord*>(address);
        announced_records.push_back(record);
        stops.push_back({record->stop_file, record->stop_line, rt::call_depth,
                         read_variables(record->globals, record->global_count),
                         read_variables(record->locals, record->local_count)});
        if (on_stop) on_stop(*record);
    }

    static std::string number(double value) {
        std::ostringstream out;
        out << value;
        return out.str();
    }

    static std::string show(const rt::VariableDescriptor& descriptor) {
        switch (static_cast<rt::VariableType>(descriptor.type)) {
        case rt::VariableType::number:
            return number(*static_cast<const double*>(descriptor.address));
        case rt::VariableType::string: {
            const auto* text = static_cast<const StringRecord*>(descriptor.address);
            return '"' + std::string(text->buffer, static_cast<std::size_t>(text->length)) + '"';
        }
        case rt::VariableType::number_array: {
            const auto* array = static_cast<const rt::NumberArray*>(descriptor.address);
            std::string shown = "[";
            for (int i = 0; i < array->dim1; ++i) shown += (i > 0 ? "," : "") + number(array->data[i]);
            return shown + "]";
        }
        }
        return "?";
    }

    platform::doubles::RecordingDebugger* channel_ = nullptr;
};

}  // namespace testing_support

#include "runtime/core/debug_registry.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/services.h"
#include "runtime/core/run_errors.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/input/input.h"

namespace rt {

constinit VariableRegistry variable_registry{};
constinit DebugRecord debug_record{};
constinit std::array<std::int32_t, breakpoint_capacity> breakpoint_files{};
constinit std::array<std::int32_t, breakpoint_capacity> breakpoint_lines{};
constinit std::int32_t call_depth = 0;
constinit std::int32_t step_depth = 0;

namespace {

// Statements between two questions to the system about a debugger: rare
// enough to cost about a nanosecond per statement, frequent enough that a
// debugger attaching to the running game is noticed within seconds.
constexpr std::uint32_t attach_recheck_interval = 16384;

enum class Attachment : std::int8_t { unknown, absent, present };
Attachment attachment = Attachment::unknown;
std::uint32_t calls_since_query = 0;

platform::Debugger* system_debugger() { return platform::services().debugger.get(); }

bool at_breakpoint(std::int32_t file, std::int32_t line) {
    // The debugger writes the count: never trust it beyond the tables.
    const std::int32_t count = std::clamp<std::int32_t>(debug_record.breakpoint_count, 0, breakpoint_capacity);
    for (std::int32_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (breakpoint_files[index] == file && breakpoint_lines[index] == line) return true;
    }
    return false;
}

bool should_stop(std::int32_t file, std::int32_t line) {
    if (debug_record.step_command != 0 && call_depth <= step_depth) return true;
    if (debug_record.break_always != 0) return true;
    return at_breakpoint(file, line);
}

void fill_record(std::int32_t file, std::int32_t line, LocalFrame* frame) {
    DebugRecord& record = debug_record;
    record.stop_file = file;
    record.stop_line = line;
    record.locals = frame != nullptr ? frame->descriptors.data() : nullptr;
    record.global_count = variable_registry.count;
    record.local_count = frame != nullptr ? frame->count : 0;
    record.breakpoint_files = breakpoint_files.data();
    record.breakpoint_lines = breakpoint_lines.data();
    record.globals = variable_registry.descriptors.data();
}

void stop(std::int32_t file, std::int32_t line, LocalFrame* frame) {
    if (debug_record.terminate_request != 0) end_program();
    fill_record(file, line, frame);
    debug_record.step_command = 0;
    debugger_break(&debug_record);
    if (debug_record.step_command < 0) {
        step_depth = call_depth - 1;
    } else if (debug_record.step_command > 0) {
        step_depth = call_depth;
    }
}

void hide_main_window() {
    auto& window = platform::services().window;
    if (window && window->is_open()) window->hide();
}

}  // namespace

void statement_hook(std::int32_t file, std::int32_t line, LocalFrame* frame) {
    set_source_position(file, line);
    if (should_stop(file, line)) stop(file, line, frame);
}

bool debugger_attached() {
    if (attachment == Attachment::unknown || ++calls_since_query >= attach_recheck_interval) {
        platform::Debugger* debugger = system_debugger();
        attachment = debugger != nullptr && debugger->attached() ? Attachment::present : Attachment::absent;
        calls_since_query = 0;
    }
    return attachment == Attachment::present;
}

void recheck_debugger_attached() { attachment = Attachment::unknown; }

void debugger_break(DebugRecord* record) {
    if (!debugger_attached()) return;
    platform::Debugger* debugger = system_debugger();
    if (debugger == nullptr) return;
    char text[2 + 2 * sizeof(void*)] = {'B', 'P'};
    const auto address = reinterpret_cast<std::uintptr_t>(record);
    const auto written = std::to_chars(text + 2, text + sizeof text, address, 16);
    hide_main_window();
    debugger->deliver(std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
    // The program was frozen: drop a pause and stale input, as a new frame would.
    runtime_state().paused = false;
    refresh_input_devices();
}

void debug_output(std::string_view text) {
    if (!debugger_attached()) return;
    platform::Debugger* debugger = system_debugger();
    if (debugger == nullptr) return;
    std::string message = "TX";
    message += text;
    debugger->deliver(message);
}

void open_console() {
    if (platform::Debugger* debugger = system_debugger()) debugger->open_console();
}

GlobalVariables::GlobalVariables(std::initializer_list<VariableDescriptor> variables) {
    ++call_depth;
    registered_.reserve(variables.size());
    for (const VariableDescriptor& descriptor : variables) {
        if (variable_registry.add(descriptor)) registered_.push_back(descriptor.address);
    }
}

GlobalVariables::~GlobalVariables() {
    for (auto it = registered_.rbegin(); it != registered_.rend(); ++it) variable_registry.remove(*it);
    --call_depth;
}

}  // namespace rt

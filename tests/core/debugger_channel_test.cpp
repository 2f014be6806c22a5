// The debugger channel with a real tracer: a forked child runs game-shaped
// statements while this process traces it through the platform's test host.

#include <cstddef>

#include "platform/debugger.h"
#include "platform/doubles/trace_host.h"
#include "platform/services.h"
#include "runtime/core/debug_registry.h"
#include "runtime/core/runtime_settings.h"
#include "tests/core/development_environment.h"
#include "tests/support/headless.h"

namespace {

constexpr int child_ended_by_debugger = 42;

int run_game_statements() {
    platform::services().debugger = platform::make_system_debugger();
    rt::recheck_debugger_attached();
    try {
        const rt::GlobalVariables globals{};
        for (int line : {7, 8, 9}) rt::statement_hook(0, line, nullptr);
        rt::debug_output("hello");
        for (int line : {8, 9}) rt::statement_hook(0, line, nullptr);
        return 0;  // the debugger did not end the program
    } catch (const platform::doubles::ProgramExit&) {
        return child_ended_by_debugger;
    }
}

TEST(DebuggerChannel, TracedProcessStopsAtEachMessageAndObeysTheRecord) {
    testing_support::TempDir temp;
    testing_support::install_test_services(temp);
    testing_support::reset_debug_state();
    rt::runtime_state() = rt::RuntimeState{};
    rt::runtime_settings().debug_mode = 1;

    std::vector<int> stop_lines;
    const auto act = [&](std::string_view message, platform::doubles::TracedMemory& memory) {
        if (!message.starts_with("BP")) return;
        const std::uintptr_t record = testing_support::record_address(message);
        stop_lines.push_back(memory.read_int32(record + offsetof(rt::DebugRecord, stop_line)));
        if (stop_lines.size() == 1) {
            // Run on to a breakpoint at file 0, line 9.
            const auto files = static_cast<std::uintptr_t>(memory.read_word(record + offsetof(rt::DebugRecord, breakpoint_files)));
            const auto lines = static_cast<std::uintptr_t>(memory.read_word(record + offsetof(rt::DebugRecord, breakpoint_lines)));
            memory.write_int32(files, 0);
            memory.write_int32(lines, 9);
            memory.write_int32(record + offsetof(rt::DebugRecord, breakpoint_count), 1);
            memory.write_int32(record + offsetof(rt::DebugRecord, break_always), 0);
        } else {
            memory.write_int32(record + offsetof(rt::DebugRecord, terminate_request), 1);
        }
    };
    const platform::doubles::TracedRun run = platform::doubles::run_traced(run_game_statements, act);

    ASSERT_TRUE(run.traced);
    EXPECT_EQ(run.exit_code, child_ended_by_debugger);
    ASSERT_EQ(run.messages.size(), 3u);
    // The child is a copy of this process: the record sits at the same address.
    char expected[32] = "BP";
    std::to_chars(expected + 2, expected + sizeof expected, reinterpret_cast<std::uintptr_t>(&rt::debug_record), 16);
    EXPECT_EQ(run.messages[0], expected);
    EXPECT_EQ(run.messages[1], expected);
    EXPECT_EQ(run.messages[2], "TXhello");
    EXPECT_EQ(stop_lines, (std::vector<int>{7, 9}));
    // Ended at the second line 9, with the end report of a normal end.
    EXPECT_EQ(testing_support::read_file(temp.path() / "ErrorLog.txt"), "-End On Line\r\n0\r\n8\r\n9\r\n0\r\n");
}

TEST(DebuggerChannel, UntracedProcessIsNotAttachedAndDeliveryIsHarmless) {
    const auto debugger = platform::make_system_debugger();
    EXPECT_FALSE(debugger->attached());
    debugger->deliver("BP1234");  // would end the process if the trap were not held off
}

}  // namespace

#include "runtime/core/debug_registry.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>

#include "platform/doubles/fake_window.h"
#include "platform/doubles/scripted_input.h"
#include "platform/services.h"
#include "runtime/core/number_array.h"
#include "runtime/core/runtime_settings.h"
#include "tests/core/development_environment.h"
#include "tests/support/headless.h"

namespace {

using platform::doubles::ProgramExit;
using testing_support::DevelopmentEnvironment;
using testing_support::Stop;

class DebugRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::reset_debug_state();
        rt::runtime_state() = rt::RuntimeState{};
        rt::runtime_settings().debug_mode = 1;
    }
    void TearDown() override {
        platform::services().window.reset();
        platform::services().input.reset();
        platform::services().debugger.reset();
        rt::recheck_debugger_attached();
        testing_support::reset_debug_state();
    }

    std::string end_report() const { return testing_support::read_file(temp.path() / "ErrorLog.txt"); }

    testing_support::TempDir temp;
    testing_support::TestServices services = testing_support::install_test_services(temp);
};

// A game procedure in the generated shape: depth counted, one local, two statements.
void procedure(int first_line) {
    rt::ProcedureScope procedure{1};
    double count = 7;
    procedure.add_local("count", count);
    procedure.statement(first_line);
    count = 8;
    procedure.statement(first_line + 1);
}

TEST_F(DebugRegistry, WithoutDebuggerStatementsOnlyRecordThePositionAndAskTheSystemRarely) {
    platform::doubles::RecordingDebugger* channel = nullptr;
    {
        auto recording = std::make_unique<platform::doubles::RecordingDebugger>();
        recording->is_attached = false;
        channel = recording.get();
        platform::services().debugger = std::move(recording);
        rt::recheck_debugger_attached();
    }
    rt::LocalFrame frame;
    for (int line = 1; line <= 1000; ++line) rt::statement_hook(2, line, &frame);
    rt::debug_output("unheard");

    EXPECT_TRUE(channel->messages.empty());
    EXPECT_EQ(channel->attach_queries, 1);
    EXPECT_EQ(rt::runtime_state().current_file, 2.0);
    EXPECT_EQ(rt::runtime_state().current_line, 1000.0);
    EXPECT_EQ(rt::debug_record.break_always, 1000);

    // No debugger service at all behaves the same.
    platform::services().debugger.reset();
    rt::recheck_debugger_attached();
    rt::statement_hook(0, 5, nullptr);
    EXPECT_EQ(rt::runtime_state().current_line, 5.0);
}

TEST_F(DebugRegistry, FirstStatementStopsAndTheRecordDescribesTheStop) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) { record.break_always = 0; };
    double loc = 3;
    const rt::GlobalVariables globals{rt::variable("loc", loc)};
    procedure(40);

    ASSERT_EQ(environment.stops.size(), 1u);
    const Stop& stop = environment.stops[0];
    EXPECT_EQ(stop.file, 1);
    EXPECT_EQ(stop.line, 40);
    EXPECT_EQ(stop.depth, 2);
    EXPECT_EQ(environment.announced_records[0], &rt::debug_record);
    char expected[32] = "BP";
    std::to_chars(expected + 2, expected + sizeof expected, reinterpret_cast<std::uintptr_t>(&rt::debug_record), 16);
    EXPECT_EQ(environment.channel().messages[0], expected);
    EXPECT_EQ(environment.channel().messages[0].find_first_of("ABCDEF", 2), std::string::npos);
    EXPECT_EQ(rt::debug_record.breakpoint_files, rt::breakpoint_files.data());
    EXPECT_EQ(rt::debug_record.globals, rt::variable_registry.descriptors.data());
}

TEST_F(DebugRegistry, BreakpointNeedsBothFileAndLine) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) {
        record.break_always = 0;
        DevelopmentEnvironment::set_breakpoints(record, {{1, 20}, {0, 30}});
    };
    rt::statement_hook(0, 1, nullptr);  // the start stop, which sets the breakpoints
    rt::statement_hook(0, 20, nullptr);
    rt::statement_hook(1, 30, nullptr);
    rt::statement_hook(1, 20, nullptr);
    rt::statement_hook(2, 20, nullptr);
    rt::statement_hook(0, 30, nullptr);

    ASSERT_EQ(environment.stops.size(), 3u);
    EXPECT_EQ(std::make_pair(environment.stops[1].file, environment.stops[1].line), std::make_pair(1, 20));
    EXPECT_EQ(std::make_pair(environment.stops[2].file, environment.stops[2].line), std::make_pair(0, 30));

    // A count the debugger wrote beyond the tables is held to their size.
    rt::debug_record.breakpoint_count = 1'000'000;
    rt::statement_hook(0, 99, nullptr);
    EXPECT_EQ(environment.stops.size(), 3u);
}

TEST_F(DebugRegistry, StepOverStopsAtTheNextStatementAtOrAboveTheStopDepth) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) {
        record.break_always = 0;
        DevelopmentEnvironment::set_breakpoints(record, {});
        record.step_command = 1;
    };
    const rt::GlobalVariables globals{};
    rt::statement_hook(0, 10, nullptr);  // stop; the statement calls a procedure
    procedure(100);                      // stepped over
    rt::statement_hook(0, 11, nullptr);  // stop
    {
        rt::ProcedureScope inner{0};
        inner.statement(200);  // one level deeper than the stop: passed
    }
    rt::statement_hook(0, 12, nullptr);  // stop

    ASSERT_EQ(environment.stops.size(), 3u);
    EXPECT_EQ(environment.stops[1].line, 11);
    EXPECT_EQ(environment.stops[2].line, 12);
    for (const Stop& stop : environment.stops) EXPECT_EQ(stop.depth, 1);

    // Stepping over the last statement of a procedure stops in its caller.
    environment.stops.clear();
    rt::debug_record.step_command = 0;
    environment.on_stop = [](rt::DebugRecord& record) {
        DevelopmentEnvironment::set_breakpoints(record, {{1, 301}});
        record.step_command = 1;
    };
    rt::DebugRecord& record = rt::debug_record;
    DevelopmentEnvironment::set_breakpoints(record, {{1, 301}});
    procedure(300);
    rt::statement_hook(0, 13, nullptr);
    ASSERT_EQ(environment.stops.size(), 2u);
    EXPECT_EQ(environment.stops[0].line, 301);
    EXPECT_EQ(environment.stops[0].depth, 2);
    EXPECT_EQ(environment.stops[1].line, 13);
    EXPECT_EQ(environment.stops[1].depth, 1);
}

TEST_F(DebugRegistry, StepOutStopsAtTheFirstStatementOfTheCaller) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) {
        record.break_always = 0;
        DevelopmentEnvironment::set_breakpoints(record, {{1, 50}});
        if (record.stop_line == 50) record.step_command = -1;
    };
    const rt::GlobalVariables globals{};
    rt::statement_hook(0, 1, nullptr);
    {
        rt::ProcedureScope outer{0};
        outer.statement(60);
        procedure(50);  // stop at 50, step out: 51 is passed
        outer.statement(61);
    }
    rt::statement_hook(0, 2, nullptr);

    ASSERT_EQ(environment.stops.size(), 3u);
    EXPECT_EQ(environment.stops[1].line, 50);
    EXPECT_EQ(environment.stops[1].depth, 3);
    EXPECT_EQ(environment.stops[2].line, 61);
    EXPECT_EQ(environment.stops[2].depth, 2);
}

TEST_F(DebugRegistry, DebuggerReadsGlobalsAndLocalsThroughTheDescriptors) {
    double screendrawn = 1;
    char text[] = "DESKTOP";
    testing_support::StringRecord info_Str{text, 512, 7};
    rt::NumberArray kern;
    rt::array_dim(kern, 3);
    rt::array_element(kern, 1) = 4.5;
    const rt::GlobalVariables globals{rt::variable("screendrawn", screendrawn),
                                      rt::variable("info_Str", rt::VariableType::string, &info_Str),
                                      rt::variable("kern", kern)};

    DevelopmentEnvironment environment;
    environment.on_stop = [&](rt::DebugRecord& record) {
        record.break_always = 0;
        // The front-end changes a variable while the program is stopped.
        *static_cast<double*>(record.locals[1].address) = 99;
    };
    {
        rt::ProcedureScope procedure{2};
        double x = 12;
        procedure.add_local("x", x);
        double y = 0;
        procedure.add_local("y", y);
        procedure.statement(7);
        EXPECT_EQ(y, 99);
    }

    ASSERT_EQ(environment.stops.size(), 1u);
    const std::map<std::string, std::string> expected_globals{
        {"screendrawn", "1"}, {"info_Str", "\"DESKTOP\""}, {"kern", "[0,4.5,0]"}};
    EXPECT_EQ(environment.stops[0].globals, expected_globals);
    const std::map<std::string, std::string> expected_locals{{"x", "12"}, {"y", "0"}};
    EXPECT_EQ(environment.stops[0].locals, expected_locals);
    EXPECT_EQ(std::strcmp(rt::variable_registry.descriptors[1].name, "info_Str"), 0);
    EXPECT_EQ(rt::variable_registry.descriptors[2].type, 2);
}

TEST_F(DebugRegistry, GlobalsRegisterInOrderAndLeaveAtTheEnd) {
    double a = 0;
    double b = 0;
    rt::NumberArray c;
    {
        const rt::GlobalVariables globals{rt::variable("a", a), rt::variable("b", b), rt::variable("c", c)};
        EXPECT_EQ(rt::call_depth, 1);
        ASSERT_EQ(rt::variable_registry.count, 3);
        EXPECT_EQ(rt::variable_registry.descriptors[0].address, &a);
        EXPECT_EQ(rt::variable_registry.descriptors[2].address, &c);
    }
    EXPECT_EQ(rt::variable_registry.count, 0);
    EXPECT_EQ(rt::call_depth, 0);

    // A full registry refuses more without harm; the frame too.
    rt::LocalFrame frame;
    for (int i = 0; i < rt::LocalFrame::capacity; ++i) EXPECT_TRUE(frame.add(rt::variable("a", a)));
    EXPECT_FALSE(frame.add(rt::variable("b", b)));
    EXPECT_EQ(frame.count, rt::LocalFrame::capacity);
    frame.remove(&a);
    EXPECT_EQ(frame.count, rt::LocalFrame::capacity - 1);
}

TEST_F(DebugRegistry, TerminateRequestEndsTheProgramAtTheNextStop) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) { record.terminate_request = 1; };
    const rt::GlobalVariables globals{};
    rt::statement_hook(0, 3, nullptr);
    try {
        procedure(70);
        FAIL() << "the program went on";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(rt::call_depth, 1);  // every exit path of the procedure counted
    EXPECT_EQ(environment.stops.size(), 1u);
    EXPECT_EQ(end_report(), "-End On Line\r\n0\r\n69\r\n70\r\n1\r\n");
}

TEST_F(DebugRegistry, BreakFreezesTheFrameAndOutputReachesTheDebugger) {
    auto window = std::make_unique<platform::doubles::FakeWindow>();
    platform::doubles::FakeWindow& shown = *window;
    shown.max_samples = 0;
    ASSERT_TRUE(window->open({}));
    platform::services().window = std::move(window);
    auto input = std::make_unique<platform::doubles::ScriptedInput>();
    platform::doubles::ScriptedInput& devices = *input;
    platform::services().input = std::move(input);

    DevelopmentEnvironment environment;
    bool hidden_while_stopped = false;
    environment.on_stop = [&](rt::DebugRecord&) { hidden_while_stopped = shown.hidden; };
    rt::runtime_state().paused = true;
    rt::debug_output("kern ready");
    rt::statement_hook(0, 1, nullptr);
    rt::open_console();

    EXPECT_TRUE(hidden_while_stopped);
    EXPECT_FALSE(rt::runtime_state().paused);
    EXPECT_EQ(devices.polls, 1);
    EXPECT_EQ(environment.texts, std::vector<std::string>{"kern ready"});
    EXPECT_EQ(environment.channel().messages.front(), "TXkern ready");
    EXPECT_EQ(environment.channel().console_requests, 1);
}

}  // namespace

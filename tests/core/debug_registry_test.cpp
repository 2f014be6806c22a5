#include "runtime/core/debug_registry.h"

#include "platform/doubles/fake_window.h"
#include "platform/doubles/scripted_input.h"
#include "runtime/core/number_array.h"
#include "runtime/core/rt_string.h"
#include "runtime/core/runtime_settings.h"
#include "tests/core/development_environment.h"
#include "tests/support/headless.h"

namespace {

using testing_support::DevelopmentEnvironment;

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
        testing_support::reset_debug_state();
    }

    testing_support::TempDir temp;
    testing_support::TestServices services = testing_support::install_test_services(temp);
};

// A game procedure in the generated shape: one local, two statements.
void procedure(int first_line) {
    rt::ProcedureScope procedure{1};
    double count = 7;
    procedure.add_local("count", count);
    procedure.statement(first_line);
    procedure.statement(first_line + 1);
}

using Where = std::vector<std::pair<int, int>>;  // line and call depth of each stop
Where stops_of(const DevelopmentEnvironment& environment) {
    Where where;
    for (const auto& stop : environment.stops) where.emplace_back(stop.line, stop.depth);
    return where;
}

TEST_F(DebugRegistry, WithoutDebuggerStatementsOnlyRecordThePosition) {
    auto channel = std::make_unique<platform::doubles::RecordingDebugger>();
    channel->is_attached = false;
    const auto& recorded = *channel;
    platform::services().debugger = std::move(channel);
    rt::recheck_debugger_attached();

    for (int line = 1; line <= 1000; ++line) rt::statement_hook(2, line, nullptr);
    rt::debug_output("unheard");

    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(recorded.attach_queries, 1);  // the answer is kept
    EXPECT_EQ(rt::runtime_state().current_file, 2.0);
    EXPECT_EQ(rt::runtime_state().current_line, 1000.0);
    platform::services().debugger.reset();
}

TEST_F(DebugRegistry, FirstStatementStopsAndTheDebuggerReadsAndWritesVariables) {
    double screendrawn = 1;
    rt::RtString info_Str("DESKTOP");
    rt::NumberArray kern;
    const rt::GlobalVariables globals{rt::variable("screendrawn", screendrawn),
                                      rt::variable("info_Str", rt::VariableType::string, &info_Str),
                                      rt::variable("kern", kern)};
    using Seen = std::tuple<std::string, int, const void*>;
    std::vector<Seen> seen;  // what the record lists, globals then locals
    DevelopmentEnvironment environment;
    environment.on_stop = [&](rt::DebugRecord& record) {
        for (int i = 0; i < record.global_count; ++i)
            seen.emplace_back(record.globals[i].name, record.globals[i].type, record.globals[i].address);
        for (int i = 0; i < record.local_count; ++i)
            seen.emplace_back(record.locals[i].name, record.locals[i].type, record.locals[i].address);
        record.break_always = 0;
        *static_cast<double*>(record.locals[1].address) = 99;
    };
    double x = 12, y = 0;
    {
        rt::ProcedureScope procedure{2};
        procedure.add_local("x", x);
        procedure.add_local("y", y);
        procedure.statement(7);
        procedure.statement(8);
    }
    EXPECT_EQ(y, 99);
    ASSERT_EQ(environment.stops.size(), 1u);
    const auto& stop = environment.stops[0];
    EXPECT_EQ(std::tie(stop.file, stop.line, stop.depth), std::make_tuple(2, 7, 2));
    EXPECT_EQ(seen, (std::vector<Seen>{{"screendrawn", 0, &screendrawn}, {"info_Str", 1, &info_Str},
                                       {"kern", 2, &kern}, {"x", 0, &x}, {"y", 0, &y}}));
}

TEST_F(DebugRegistry, BreakpointNeedsBothFileAndLine) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) {
        record.break_always = 0;
        DevelopmentEnvironment::set_breakpoints(record, {{1, 20}, {0, 30}});
    };
    for (auto [file, line] : {std::pair{0, 1}, {0, 20}, {1, 30}, {1, 20}, {2, 20}, {0, 30}}) {
        rt::statement_hook(file, line, nullptr);
    }
    EXPECT_EQ(stops_of(environment), (Where{{1, 0}, {20, 0}, {30, 0}}));
    EXPECT_EQ(environment.stops[1].file, 1);

    rt::debug_record.breakpoint_count = 1'000'000;  // a count beyond the tables is held to them
    rt::statement_hook(0, 99, nullptr);
    EXPECT_EQ(environment.stops.size(), 3u);
}

TEST_F(DebugRegistry, StepOverPassesDeeperCallsAndLeavesAProcedureAtItsEnd) {
    DevelopmentEnvironment environment;
    environment.on_stop = [](rt::DebugRecord& record) {
        record.break_always = 0;
        DevelopmentEnvironment::set_breakpoints(record, {{1, 301}});
        record.step_command = 1;
    };
    const rt::GlobalVariables globals{};
    rt::statement_hook(0, 10, nullptr);  // the statement calls a procedure
    procedure(100);
    rt::statement_hook(0, 11, nullptr);
    procedure(300);  // breakpoint on its last statement, then step over
    rt::statement_hook(0, 12, nullptr);

    EXPECT_EQ(stops_of(environment), (Where{{10, 1}, {11, 1}, {301, 2}, {12, 1}}));
}

TEST_F(DebugRegistry, StepOutStopsAtTheNextStatementOfTheCaller) {
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
        procedure(50);
        outer.statement(61);
    }
    EXPECT_EQ(stops_of(environment), (Where{{1, 1}, {50, 3}, {61, 2}}));
}

TEST_F(DebugRegistry, StopHidesTheWindowUnpausesAndRefreshesInput) {
    auto window = std::make_unique<platform::doubles::FakeWindow>();
    ASSERT_TRUE(window->open({}));
    const auto& shown = *window;
    platform::services().window = std::move(window);
    auto input = std::make_unique<platform::doubles::ScriptedInput>();
    const auto& devices = *input;
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
    EXPECT_EQ(environment.channel().messages.front(), "TXkern ready");
    EXPECT_EQ(environment.channel().console_requests, 1);
}

}  // namespace

// Cost of the per-statement hook the game calls before each statement, with
// no debugger attached (the normal run), and of a procedure's entry and exit.
#include <benchmark/benchmark.h>

#include "platform/services.h"
#include "runtime/core/debug_registry.h"

namespace {

void use_system_debugger() {
    platform::services().debugger = platform::make_system_debugger();
    rt::recheck_debugger_attached();
}

// The start state: `break_always` set, so every statement reaches the stop
// path and asks whether a debugger is there (a kept answer).
void BM_StatementHookNoDebugger(benchmark::State& state) {
    use_system_debugger();
    rt::LocalFrame frame;
    std::int32_t line = 0;
    for (auto _ : state) {
        rt::statement_hook(1, ++line & 1023, &frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StatementHookNoDebugger);

// A debugger removed `break_always` and left breakpoints elsewhere.
void BM_StatementHookBreakpointsElsewhere(benchmark::State& state) {
    use_system_debugger();
    rt::debug_record.break_always = 0;
    const auto count = static_cast<std::int32_t>(state.range(0));
    for (std::int32_t i = 0; i < count; ++i) {
        rt::breakpoint_files[static_cast<std::size_t>(i)] = 2;
        rt::breakpoint_lines[static_cast<std::size_t>(i)] = i;
    }
    rt::debug_record.breakpoint_count = count;
    rt::LocalFrame frame;
    std::int32_t line = 0;
    for (auto _ : state) {
        rt::statement_hook(1, ++line & 1023, &frame);
        benchmark::ClobberMemory();
    }
    rt::debug_record.breakpoint_count = 0;
    rt::debug_record.break_always = 1000;
}
BENCHMARK(BM_StatementHookBreakpointsElsewhere)->Arg(0)->Arg(8)->Arg(64);

// A game procedure with two locals and one statement: entry, registration, hook, exit.
void BM_ProcedureCall(benchmark::State& state) {
    use_system_debugger();
    for (auto _ : state) {
        rt::ProcedureScope procedure{1};
        double x = 1;
        double y = 2;
        procedure.add_local("x", x);
        procedure.add_local("y", y);
        procedure.statement(10);
        benchmark::DoNotOptimize(x + y);
    }
}
BENCHMARK(BM_ProcedureCall);

}  // namespace

BENCHMARK_MAIN();

// Cost of building texts the way the game does: appending line by line and
// concatenating texts with numbers.
#include <benchmark/benchmark.h>

#include "runtime/core/rt_string.h"

namespace {

void append_lines(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        rt::RtString text;
        for (int i = 0; i < lines; ++i) {
            text += "You are standing at the edge of the moat. ";
        }
        benchmark::DoNotOptimize(text.buffer);
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(append_lines)->Arg(10)->Arg(100)->Arg(1000);

void append_numbers(benchmark::State& state) {
    for (auto _ : state) {
        rt::RtString text;
        for (int i = 0; i < 100; ++i) {
            text += static_cast<double>(i) / 7.0;
            text += ",";
        }
        benchmark::DoNotOptimize(text.buffer);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(append_numbers);

void concat_text_and_number(benchmark::State& state) {
    const rt::RtString prefix("gfx/a");
    double location = 0;
    for (auto _ : state) {
        rt::RtString name = prefix + location + ".png";
        benchmark::DoNotOptimize(name.buffer);
        location = location < 52 ? location + 1 : 0;
    }
}
BENCHMARK(concat_text_and_number);

void copy_value(benchmark::State& state) {
    const rt::RtString text("Do you want to:");
    for (auto _ : state) {
        rt::RtString copy(text);
        benchmark::DoNotOptimize(copy.buffer);
    }
}
BENCHMARK(copy_value);

void number_to_text(benchmark::State& state) {
    double value = 1.0 / 3.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rt::number_text(value));
        value += 1.0;
    }
}
BENCHMARK(number_to_text);

}  // namespace

BENCHMARK_MAIN();

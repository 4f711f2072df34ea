// What Listen costs: the tone generator filling one 10 ms block at 48 kHz, held stairs against the
// reconstruction filter, at the lowest and highest pitch (0.3 and 9.4 steps per output sample).
#include "signal/ToneGenerator.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

void Process(benchmark::State& state, bool filtered) {
    constexpr int Rate = 48000;
    constexpr int Block = Rate / 100;
    TToneGenerator generator;
    generator.SetTable(SqrTable);
    generator.SetPitch(static_cast<double>(state.range(0)));
    generator.SetThroughFilter(filtered);
    generator.SetCutoff(0.1);
    generator.SetOn(true);
    generator.Prepare(Rate, Block);
    std::vector<float> block(Block);
    for (auto _ : state) {
        generator.Process(block);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    // CPU seconds per second of sound, in percent of one core.
    state.counters["core_percent"] =
        benchmark::Counter(Block / (100.0 * Rate), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void Stairs(benchmark::State& state) {
    Process(state, false);
}
void Filtered(benchmark::State& state) {
    Process(state, true);
}

} // namespace

BENCHMARK(Stairs)->Arg(55)->Arg(220)->Arg(1760);
BENCHMARK(Filtered)->Arg(55)->Arg(220)->Arg(1760);

BENCHMARK_MAIN();

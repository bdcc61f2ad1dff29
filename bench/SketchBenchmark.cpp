// Sketch generation of large programs: nested loops and conditions, device commands,
// variables and value blocks in slots. Time must grow linearly with the block count.
#include "BigProgram.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateSketch(benchmark::State &state)
{
    BigProgram program(int(state.range(0)));
    qsizetype lines = 0;
    for (auto _ : state) {
        auto sketch = program.project.generateSketch();
        lines = sketch ? sketch->size() : 0;
        benchmark::DoNotOptimize(lines);
    }
    state.counters["blocks"] = program.blocks;
    state.counters["lines"] = double(lines);
    state.SetComplexityN(program.blocks);
}

BENCHMARK(BM_GenerateSketch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

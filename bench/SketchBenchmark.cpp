// Sketch generation of large programs: nested loops and conditions, device commands,
// variables and value blocks in slots. Time must grow linearly with the block count.
#include "BigProgram.h"

#include "codegen/SketchGenerator.h"
#include "codegen/SketchLineMap.h"
#include "util/LineChange.h"

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

// What the code view does after each change of the program: the sketch with its line
// map, split into the file's lines, and the lines that changed since the last one.
void BM_SketchForTheView(benchmark::State &state)
{
    BigProgram program(int(state.range(0)));
    SketchLineMap map;
    QStringList shown = SketchGenerator::fileLines(*program.project.sketchForView(&map));
    qsizetype changed = 0;
    for (auto _ : state) {
        const QStringList now = SketchGenerator::fileLines(*program.project.sketchForView(&map));
        changed = LineChange::between(shown, now).removed;
        benchmark::DoNotOptimize(changed);
    }
    state.counters["blocks"] = program.blocks;
    state.counters["lines"] = double(map.lineCount());
}

BENCHMARK(BM_SketchForTheView)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// Reading and writing the program file of large programs: loading (the reader, the
// blocks, the links and their checks) and saving. Time must grow linearly with the
// block count.
#include "BigProgram.h"

#include "devices/DeviceTypes.h"
#include "project/BlockReader.h"
#include "project/BlockWriter.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadProgram(benchmark::State &state)
{
    BigProgram program(int(state.range(0)));
    const QByteArray text = BlockWriter::writeProgram(program.project.workspace());
    // A second project with the same devices and variables, as opening the file gives.
    Project target(&program.measurer, &program.log, &program.prompt);
    target.buildPalette();
    for (int i = 0; i <= program.project.devices().LastDeviceIndex(); ++i)
        target.devices().AddDevice(program.project.devices().device(i).DeviceTypeID, &program.prompt);
    for (int i = 0; i < program.project.variables().count(); ++i)
        target.variables().Newvar(program.project.variables().GetArduVar(i)->VarName);
    for (auto _ : state) {
        state.PauseTiming();
        target.workspace().FreePlacedBlocks();
        state.ResumeTiming();
        const BlockReader::Result r = BlockReader::LoadProgramText(target.workspace(), text, &program.log);
        if (!r.ok || r.blocksRead != program.blocks)
            state.SkipWithError("the program did not load whole");
    }
    state.counters["blocks"] = program.blocks;
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.SetComplexityN(program.blocks);
}

void BM_SaveProgram(benchmark::State &state)
{
    BigProgram program(int(state.range(0)));
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray text = BlockWriter::writeProgram(program.project.workspace());
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["blocks"] = program.blocks;
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.SetComplexityN(program.blocks);
}

BENCHMARK(BM_LoadProgram)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_SaveProgram)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

// The simulation must keep up with the wall clock on one core: for every example and
// lesson project, simulated seconds of the running program per second of wall time
// (the counter sim_s_per_wall_s; above 1 keeps up). The transfer before the start is
// not measured.
#include "Simulation.h"

#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QDirIterator>
#include <benchmark/benchmark.h>

namespace {

void BM_Simulate(benchmark::State &state, const QString &file)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    if (!ProjectFiles::loadProject(project, file).ok) {
        state.SkipWithError("the project cannot be read");
        return;
    }
    Simulation sim(SimSetup::fromProject(project));
    QString error;
    if (!sim.start(QStringLiteral(FIRMWARE_DIR), &error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const double stepMs = 250;
    for (auto _ : state)
        if (!sim.advance(stepMs))
            state.SkipWithError("the simulated chip stopped");
    state.counters["sim_s_per_wall_s"] =
        benchmark::Counter(double(state.iterations()) * stepMs / 1000.0, benchmark::Counter::kIsRate);
}

// One benchmark per project file under the examples folder.
const bool registered = [] {
    QDirIterator it(QStringLiteral(EXAMPLES_DIR), {QStringLiteral("*.vzl")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString &f : files) {
        const QString name = QDir(QStringLiteral(EXAMPLES_DIR)).relativeFilePath(f).section(u'/', 0, -2);
        benchmark::RegisterBenchmark((QStringLiteral("BM_Simulate/") + name).toStdString().c_str(), BM_Simulate, f)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
    }
    return true;
}();

} // namespace

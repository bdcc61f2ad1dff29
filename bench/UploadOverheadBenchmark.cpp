// Our own time around a run of the IDE: from the pupil's "yes" to the IDE being
// started (the sketch file written, the old build folder removed, the command line
// formed), and from its end to the result (its whole output read for errors). The
// IDE itself is a stand-in that ends at once. Both must stay far below 50 ms.
#include "project/ExampleProject.h"
#include "project/Project.h"
#include "toolchain/IdeRunner.h"
#include "toolchain/SketchUpload.h"
#include "util/VirtualClock.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

class InstantRunner : public IdeRunner {
public:
    void start(const QString &, const QStringList &, const QString &, Callbacks callbacks) override
    {
        callbacks.output(output);
        callbacks.finished(true, 1);
    }
    bool isRunning() const override { return false; }
    void cancel() override {}
    QString output;
};

// A long but realistic output: the IDE's verbose compile of a big sketch, ending in
// an error.
QString longOutput()
{
    QString out;
    for (int i = 0; i < 3000; ++i)
        out += u"/usr/share/arduino/hardware/tools/avr/bin/avr-g++ -c -g -Os -w -std=gnu++11 -fpermissive "
               u"-ffunction-sections -fdata-sections -mmcu=atmega328p -DF_CPU=16000000L /tmp/build/file%1.cpp.o\n"_s
                   .arg(i);
    return out + u"Output:14:19: error: 'Metritis2' was not declared in this scope\nexit status 1\n"_s;
}

void BM_UploadOverhead(benchmark::State &state)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    buildBlinkExample(project);
    SketchLineMap lineMap;
    const QString sketch = project.generateSketch(&lineMap)->join(u'\n');
    const QStringList lineBlocks = lineMap.lineBlocks();

    QTemporaryDir folder;
    InstantRunner runner;
    runner.output = state.range(0) ? longOutput() : u"Sketch uses 918 bytes\n"_s;
    VirtualClock clock;
    SketchUpload upload(runner, clock);
    SketchUpload::Settings settings;
    settings.writableFolder = folder.path();
    settings.ideFolder = u"/usr/bin"_s;
    settings.port = u"/dev/ttyUSB0"_s;
    settings.sketchbook = folder.path();
    SketchUpload::Sink sink;
    sink.appendLine = [](const QString &) {};
    sink.appendText = [](const QString &) {};
    bool failed = false;
    sink.done = [&failed](const BuildReport &r) { failed = !r.succeeded(); };
    for (auto _ : state) {
        // A build folder as the last run left it.
        QDir().mkpath(folder.filePath(u"Out/build/core"_s));
        upload.start(sketch, lineBlocks, settings, sink);
        benchmark::DoNotOptimize(failed);
    }
}
BENCHMARK(BM_UploadOverhead)->Arg(0)->Arg(1)->ArgNames({"long_output"})->Unit(benchmark::kMillisecond);

} // namespace

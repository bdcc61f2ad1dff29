// Until the window exists, the program prints the sketch of the example project.
#include "codegen/SketchGenerator.h"
#include "project/ExampleProject.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    buildBlinkExample(project);
    const auto lines = project.generateSketch();
    if (!lines) {
        std::fputs(qUtf8Printable(SketchGenerator::missingStartBlockMessage()), stderr);
        return 1;
    }
    const QByteArray text = SketchGenerator::sketchText(*lines).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}

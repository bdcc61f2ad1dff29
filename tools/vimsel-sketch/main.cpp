// vimsel-sketch: prints the Arduino sketch of a Vimsel project.
#include "project/SketchCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QByteArray out, err;
    // The project stays loaded until the process ends: the system takes back its
    // memory at once, where destroying a large program block by block takes time.
    SketchCommand::SessionHolder project;
    const int code = SketchCommand::run(app.arguments().mid(1), out, err, &project);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

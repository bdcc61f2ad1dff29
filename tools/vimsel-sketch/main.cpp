// vimsel-sketch: prints the Arduino sketch of a Vimsel project.
#include "project/SketchCommand.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QByteArray out, err;
    const int code = SketchCommand::run(app.arguments().mid(1), out, err);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return code;
}

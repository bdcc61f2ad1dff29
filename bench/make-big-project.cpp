// Writes the project of BigProgram (program, devices and variables files), for
// measuring the whole vimsel-sketch process on a large project:
//     vimsel_big_project 10000 /tmp/big10k.vzl
//     /usr/bin/time -v build/tools/vimsel-sketch/vimsel-sketch /tmp/big10k.vzl >/dev/null
#include "BigProgram.h"

#include "project/ProjectFiles.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const int blocks = args.size() == 3 ? args.at(1).toInt(&ok) : 0;
    if (!ok || blocks < 1) {
        std::fputs("usage: vimsel_big_project BLOCKS OUT.vzl\n", stderr);
        return 2;
    }
    BigProgram program(blocks);
    QString error;
    if (!ProjectFiles::saveProject(program.project, args.at(2), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d blocks\n", program.blocks);
    return 0;
}

// vimsel-sim: runs a Vimsel project's program on a simulated board and writes its pin
// changes.
#include "SimCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString exeDir = QCoreApplication::applicationDirPath();
    // The firmware images: beside the program (its Arduino folder), in the install's
    // share folder, then in the build tree the tool was built in.
    const QStringList folders{exeDir + QStringLiteral("/Arduino"),
                              QDir(exeDir + QStringLiteral("/../share/vimsel/Arduino")).absolutePath(),
                              QStringLiteral(VIMSEL_FIRMWARE_BUILD_DIR)};
    QByteArray out, err;
    const int code = SimCommand::run(app.arguments().mid(1), folders, out, err);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return code;
}

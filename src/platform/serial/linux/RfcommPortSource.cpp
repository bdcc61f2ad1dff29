#include "serial/linux/RfcommPortSource.h"

#include "util/DebugLog.h"

#include <QDir>

using namespace Qt::StringLiterals;

RfcommPortSource::RfcommPortSource(QString devDir) : fDevDir(std::move(devDir)) {}

QStringList RfcommPortSource::listPorts(DebugLog &log) const
{
    const QDir dir(fDevDir);
    QStringList ports;
    // Device files are "system" entries to QDir; plain files only stand in for them
    // in tests.
    for (const QString &name : dir.entryList({u"rfcomm*"_s}, QDir::System | QDir::Files, QDir::Name)) {
        const QString port = dir.filePath(name);
        ports << port;
        log.AddDebug(u"Bluetooth Port Added: "_s + port);
    }
    return ports;
}

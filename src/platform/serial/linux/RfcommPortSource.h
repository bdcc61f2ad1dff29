#pragma once

#include "serial/PortSource.h"

#include <QString>

// Bluetooth serial ports bound with rfcomm: /dev/rfcomm0, /dev/rfcomm1, ... The
// system's port list leaves them out. Each one found is traced in the debug list.
class RfcommPortSource : public PortSource {
public:
    explicit RfcommPortSource(QString devDir = QStringLiteral("/dev"));
    QStringList listPorts(DebugLog &log) const override;

private:
    QString fDevDir;
};

#pragma once

#include "serial/PortSource.h"

// The ports named under HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in the order
// of their value names.
class SerialCommPortSource : public PortSource {
public:
    QStringList listPorts(DebugLog &log) const override;
};

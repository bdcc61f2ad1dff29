#pragma once

#include "serial/PortSource.h"

// The serial ports the system lists (QSerialPortInfo): USB adapters and boards
// (/dev/ttyUSB*, /dev/ttyACM*) and built-in ports, by their device paths; on Windows
// by their COM names. Pseudo-terminals are not listed.
class SerialPortInfoSource : public PortSource {
public:
    QStringList listPorts(DebugLog &log) const override;
};

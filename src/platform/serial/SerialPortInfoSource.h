#pragma once

#include "serial/PortSource.h"

#include <future>

// The serial ports the system lists (QSerialPortInfo): USB adapters and boards
// (/dev/ttyUSB*, /dev/ttyACM*) and built-in ports, by their device paths; on Windows
// by their COM names. Pseudo-terminals are not listed.
//
// Asking the system takes some 15 ms, which start-up would otherwise wait for: the
// window asks in the background while it builds itself and takes the answer once.
class SerialPortInfoSource : public PortSource {
public:
    QStringList listPorts(DebugLog &log) const override;
    void listInBackground() override;

private:
    mutable std::future<QStringList> fListing;
};

#pragma once

#include <QStringList>

class DebugLog;

// One place the machine's serial ports are found: the serial ports the system lists,
// Bluetooth serial ports, a registry key on Windows. Names are the platform's own
// ("/dev/ttyUSB0", "COM3"), as the uploader takes them.
class PortSource {
public:
    virtual ~PortSource() = default;
    // The ports this source finds now, in any order. A source that cannot look (no
    // such service on this machine) finds nothing; what it tried may go to log.
    virtual QStringList listPorts(DebugLog &log) const = 0;
    // Starts looking on another thread, so that the next listPorts() can take what was
    // found instead of looking itself. Only a source that is slow to look does so.
    virtual void listInBackground() {}
};

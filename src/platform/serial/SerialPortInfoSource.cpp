#include "serial/SerialPortInfoSource.h"

#include <QSerialPortInfo>

namespace {

QStringList systemPorts()
{
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        // "COM3": the name the uploader takes; the system location is "\\.\COM3".
        ports << info.portName();
#else
        ports << info.systemLocation();
#endif
    }
    return ports;
}

} // namespace

QStringList SerialPortInfoSource::listPorts(DebugLog &) const
{
    if (fListing.valid())
        return fListing.get();
    return systemPorts();
}

void SerialPortInfoSource::listInBackground()
{
    if (!fListing.valid())
        fListing = std::async(std::launch::async, systemPorts);
}

#include "serial/SerialPortInfoSource.h"

#include <QSerialPortInfo>

QStringList SerialPortInfoSource::listPorts(DebugLog &) const
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

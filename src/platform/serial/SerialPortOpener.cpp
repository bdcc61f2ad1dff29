#include "serial/SerialPortOpener.h"

#include "serial/PortAccess.h"
#include "serial/PortPermissionHelp.h"

#include <QSerialPort>

namespace {

// A modem line the port does not have is left alone; any other failure counts.
bool lineLow(QSerialPort &port, bool (QSerialPort::*set)(bool))
{
    if ((port.*set)(false))
        return true;
    if (port.error() != QSerialPort::UnsupportedOperationError)
        return false;
    port.clearError();
    return true;
}

} // namespace

bool SerialPortOpener::open(QSerialPort &port, const QString &name, const PortAccess *access, QString *error)
{
    if (port.isOpen())
        port.close();
    port.setPortName(name);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = access && access->permissionDenied(name) ? PortPermissionHelp::lines(name).join(u'\n')
                                                                : port.errorString();
        return false;
    }
    if (!lineLow(port, &QSerialPort::setDataTerminalReady) || !lineLow(port, &QSerialPort::setRequestToSend)) {
        if (error)
            *error = port.errorString();
        port.close();
        return false;
    }
    return true;
}

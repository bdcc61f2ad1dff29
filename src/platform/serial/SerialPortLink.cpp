#include "serial/SerialPortLink.h"

#include "serial/SerialPortOpener.h"

#include <QMetaEnum>

using namespace Qt::StringLiterals;

SerialPortLink::SerialPortLink(const PortAccess *access) : fAccess(access)
{
    QObject::connect(&fPort, &QSerialPort::readyRead, [this] {
        if (fListener.readyRead)
            fListener.readyRead();
    });
    QObject::connect(&fPort, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::NoError || fQuiet)
            return;
        report(QString::fromLatin1(QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(e)));
        // The device is gone (unplugged, a hung-up line): the port is of no more use.
        if (e == QSerialPort::ResourceError && fPort.isOpen()) {
            fPort.close();
            if (fListener.lost)
                fListener.lost();
        }
    });
}

SerialPortLink::~SerialPortLink()
{
    fListener = {};
    fPort.disconnect();
    fPort.close();
}

void SerialPortLink::report(const QString &portText)
{
    if (fListener.error)
        fListener.error(portText, fPort.errorString());
}

void SerialPortLink::setListener(Listener listener)
{
    fListener = std::move(listener);
}

bool SerialPortLink::open(const QString &name)
{
    QString why;
    fQuiet = true;
    const bool ok = SerialPortOpener::open(fPort, name, fAccess, &why);
    fQuiet = false;
    if (!ok)
        report(why);
    return ok;
}

bool SerialPortLink::isOpen() const
{
    return fPort.isOpen();
}

void SerialPortLink::close()
{
    fPort.close();
}

bool SerialPortLink::write(const QByteArray &bytes)
{
    if (!fPort.isOpen()) {
        if (fListener.error)
            fListener.error(u"NotOpenError"_s, fPort.portName() + u": the port is not open"_s);
        return false;
    }
    return fPort.write(bytes) == bytes.size();
}

QByteArray SerialPortLink::readAll()
{
    return fPort.isOpen() ? fPort.readAll() : QByteArray();
}

void SerialPortLink::setDataTerminalReady(bool on)
{
    if (!fPort.isOpen())
        return;
    // A pseudo-terminal or a Bluetooth link has no modem lines: the error is reported
    // and the reset goes on without it.
    if (!fPort.setDataTerminalReady(on))
        fPort.clearError();
}

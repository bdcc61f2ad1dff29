#pragma once

#include <QString>

class PortAccess;
class QSerialPort;

// Opens a port the way the board is talked to: 9600 baud, 8 data bits, no parity,
// one stop bit, no flow control, DTR and RTS low (so opening does not reset it).
class SerialPortOpener {
public:
    // True when the port is open. A port without modem lines (a pseudo-terminal, a
    // Bluetooth link) cannot set DTR and RTS: that is no failure. Otherwise false and
    // the reason in *error; when access says the user may not open the port, the
    // reason is the explanation of how to get the permission.
    static bool open(QSerialPort &port, const QString &name, const PortAccess *access = nullptr,
                     QString *error = nullptr);
};

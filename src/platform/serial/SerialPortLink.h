#pragma once

#include "serial/SerialLink.h"

#include <QSerialPort>

class PortAccess;

// The live connection's link over a real serial port (a board's USB serial chip, a
// Bluetooth port, a pseudo-terminal in tests).
class SerialPortLink : public SerialLink {
public:
    // access may be null; it explains a refused open when given.
    explicit SerialPortLink(const PortAccess *access = nullptr);
    ~SerialPortLink() override;

    void setListener(Listener listener) override;
    bool open(const QString &name) override;
    bool isOpen() const override;
    void close() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void setDataTerminalReady(bool on) override;

private:
    void report(const QString &portText);

    QSerialPort fPort;
    const PortAccess *fAccess;
    Listener fListener;
    bool fQuiet = false;  // errors are reported by the operation itself
};

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The serial port the live connection talks through. The program uses a QSerialPort
// (platform); tests put a simulated board behind it.
class SerialLink {
public:
    struct Listener {
        // Bytes are waiting to be read.
        std::function<void()> readyRead;
        // The port failed: its own message and the system's.
        std::function<void(const QString &portText, const QString &systemText)> error;
        // The port went away (its board was unplugged); it has to be opened anew.
        std::function<void()> lost;
    };

    virtual ~SerialLink() = default;
    virtual void setListener(Listener listener) = 0;
    // Opens the named port at 9600 baud, 8N1, no flow control, DTR and RTS low.
    // A failure is reported through the listener's error as well.
    virtual bool open(const QString &name) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // False when the bytes could not be queued (reported through the listener).
    virtual bool write(const QByteArray &bytes) = 0;
    // Every byte waiting, possibly none.
    virtual QByteArray readAll() = 0;
    virtual void setDataTerminalReady(bool on) = 0;
};

#pragma once

#include "serial/SerialLink.h"

class SimBoard;
class VirtualClock;

// The serial port of a simulated board, as the live connection sees a real one:
// bytes written go into the chip's serial line, bytes the chip sends are read back,
// and their news comes from the (virtual) event loop.
class SimSerialLink : public SerialLink {
public:
    SimSerialLink(SimBoard &board, VirtualClock &clock);
    void setListener(Listener listener) override { fListener = std::move(listener); }
    bool open(const QString &) override { return fOpen = true; }
    bool isOpen() const override { return fOpen; }
    void close() override { fOpen = false; }
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void setDataTerminalReady(bool) override {}

private:
    SimBoard &fBoard;
    VirtualClock &fClock;
    Listener fListener;
    bool fOpen = false;
    bool fNewsPending = false;
    QByteArray fRx;
};

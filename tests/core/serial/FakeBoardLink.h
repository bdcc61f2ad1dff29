#pragma once

#include "serial/SerialLink.h"
#include "util/VirtualClock.h"

#include <QStringList>
#include <functional>
#include <vector>

// A board behind a serial link, in virtual time: records every byte the host writes
// with its time, answers through the test's hook, and fails opens on request.
class FakeBoardLink : public SerialLink {
public:
    struct Written {
        qint64 at;
        quint8 byte;
    };

    explicit FakeBoardLink(VirtualClock *clock) : fClock(clock) {}

    void setListener(Listener listener) override { fListener = std::move(listener); }
    bool open(const QString &name) override
    {
        openedNames.append(name);
        if (failingOpens != 0) {
            if (failingOpens > 0)
                --failingOpens;
            if (fListener.error)
                fListener.error(QStringLiteral("OpenError"), QStringLiteral("No such file or directory"));
            return false;
        }
        fOpen = true;
        return true;
    }
    bool isOpen() const override { return fOpen; }
    void close() override { fOpen = false; }
    bool write(const QByteArray &bytes) override
    {
        if (!fOpen)
            return false;
        for (char c : bytes) {
            written.push_back({fClock->nowMs(), quint8(c)});
            if (onByte)
                onByte(quint8(c));
        }
        return true;
    }
    QByteArray readAll() override
    {
        QByteArray out;
        out.swap(fRx);
        return out;
    }
    void setDataTerminalReady(bool on) override { dtr.append(on ? QStringLiteral("on") : QStringLiteral("off")); }

    // The board sends bytes, arriving ms from now.
    void send(const QByteArray &bytes, int ms = 0)
    {
        fClock->callAfter(ms, [this, bytes] {
            fRx += bytes;
            if (fListener.readyRead)
                fListener.readyRead();
        });
    }

    // Bytes waiting in the port whose news has not come yet.
    void sendQuietly(const QByteArray &bytes, int ms = 0)
    {
        fClock->callAfter(ms, [this, bytes] { fRx += bytes; });
    }
    // The board is unplugged ms from now: the port goes with it.
    void unplug(int ms = 0)
    {
        fClock->callAfter(ms, [this] {
            if (!fOpen)
                return;
            fOpen = false;
            if (fListener.lost)
                fListener.lost();
        });
    }

    QByteArray bytes() const
    {
        QByteArray out;
        for (const Written &w : written)
            out.append(char(w.byte));
        return out;
    }
    // Times at which the host wrote this byte value.
    std::vector<qint64> timesOf(quint8 value) const
    {
        std::vector<qint64> out;
        for (const Written &w : written)
            if (w.byte == value)
                out.push_back(w.at);
        return out;
    }

    std::function<void(quint8)> onByte;
    std::vector<Written> written;
    QStringList openedNames;
    QStringList dtr;
    int failingOpens = 0;  // the next opens that fail; −1: every one

private:
    VirtualClock *fClock;
    Listener fListener;
    QByteArray fRx;
    bool fOpen = false;
};

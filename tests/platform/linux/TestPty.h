#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// The board's end of a pseudo-terminal pair; the port's end is name().
class TestPty {
public:
    TestPty()
    {
        fMaster = posix_openpt(O_RDWR | O_NOCTTY);
        if (fMaster >= 0 && grantpt(fMaster) == 0 && unlockpt(fMaster) == 0)
            fName = QString::fromLocal8Bit(ptsname(fMaster));
    }
    ~TestPty()
    {
        if (fMaster >= 0)
            close(fMaster);
    }
    bool isValid() const { return !fName.isEmpty(); }
    // The board is unplugged: its end closes and the port hangs up.
    void unplug()
    {
        if (fMaster >= 0)
            close(fMaster);
        fMaster = -1;
    }
    QString name() const { return fName; }

    bool write(const QByteArray &bytes) { return ::write(fMaster, bytes.constData(), bytes.size()) == bytes.size(); }
    // What has arrived, without waiting.
    QByteArray readNow()
    {
        QByteArray got;
        pollfd p{fMaster, POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(fMaster, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }
    // What arrives within timeoutMs, up to size bytes.
    QByteArray read(qsizetype size, int timeoutMs)
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < size && timer.elapsed() < timeoutMs) {
            pollfd p{fMaster, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
                continue;
            char buffer[256];
            const ssize_t n = ::read(fMaster, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
        }
        return got;
    }

private:
    int fMaster = -1;
    QString fName;
};

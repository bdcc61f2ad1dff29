#include "SimSerialLink.h"

#include "SimBoard.h"
#include "util/VirtualClock.h"

#include <utility>

SimSerialLink::SimSerialLink(SimBoard &board, VirtualClock &clock) : fBoard(board), fClock(clock)
{
    fBoard.setSerialListener([this](quint8 byte) {
        fRx += char(byte);
        if (fNewsPending)
            return;
        fNewsPending = true;
        fClock.callAfter(0, [this] {
            fNewsPending = false;
            if (fListener.readyRead)
                fListener.readyRead();
        });
    });
}

bool SimSerialLink::write(const QByteArray &bytes)
{
    if (!fOpen)
        return false;
    fBoard.sendSerial(bytes);
    return true;
}

QByteArray SimSerialLink::readAll()
{
    return std::exchange(fRx, {});
}

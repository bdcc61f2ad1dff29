#include "serial/LiveWire.h"

QByteArray LiveWire::SplitWord(int v)
{
    QByteArray out;
    out.append(char(v & 0xFF));
    out.append(char((v / 256) & 0xFF));
    return out;
}

quint8 LiveWire::FinalChecksum(quint8 chkByte)
{
    return chkByte == 0xFD ? 0xFE : chkByte;
}

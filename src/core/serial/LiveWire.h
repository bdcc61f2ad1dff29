#pragma once

#include <QByteArray>

// Byte values and number encoding of the live connection to the interpreter firmware.
namespace LiveWire {

constexpr char StartTransfer = 0x31;  // host: a program follows
constexpr char Ready = 0x52;          // board: ready / acknowledged
constexpr char EndOfProgram = char(0xFD);
constexpr char StopProgram = 0x30;

// A number as two bytes: the low 8 bits of v, then the low 8 bits of v / 256
// (truncated toward zero). Plain little-endian for 0..65535; −1 becomes FF 00, which
// the firmware must read back as a signed low byte with a zero high byte.
QByteArray SplitWord(int v);

// The checksum as it goes out: 0xFD would read as an end marker, so it becomes 0xFE.
quint8 FinalChecksum(quint8 chkByte);

} // namespace LiveWire

#pragma once

#include <QByteArrayView>
#include <QString>

// Windows-1253, the 8-bit Greek code page in which Greek Windows writes INI files.
// Written out here so that reading old project files does not depend on the code
// pages the Qt build happens to carry.
namespace Cp1253 {

// Each byte becomes one character. Bytes the code page leaves undefined (0x81, 0x88,
// 0x8A, 0x8C–0x90, 0x98, 0x9A, 0x9C–0x9F, 0xAA, 0xD2, 0xFF) become U+FFFD.
QString decode(QByteArrayView bytes);
// The character of one byte, as decode gives it.
char16_t toUnicode(unsigned char byte);

// Text of a file that may come from Greek Windows: bytes that are valid UTF-8 (with or
// without a byte-order mark, which is dropped) are read as UTF-8, anything else as
// Windows-1253. Greek text in Windows-1253 is practically never valid UTF-8, since its
// letters are lead bytes that would need continuation bytes after them.
QString decodeText(QByteArrayView bytes);

} // namespace Cp1253

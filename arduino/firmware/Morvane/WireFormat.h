// How the firmware reads the numbers of a program transfer.
//
// The host sends a value v as two bytes: the low 8 bits of v, then the low 8 bits of
// v / 256 truncated toward zero. For 0..65535 that is plain little-endian; for
// -255..-1 the second byte is 0, so -1 arrives as FF 00. The block editors keep
// numbers in -32767..32768, which makes the second byte unambiguous except when it is 0:
//   hi 0x01..0x80  -> hi * 256 + lo                       (256 .. 32768)
//   hi 0x81..0xFF  -> (hi - 256) * 256 - (lo ? 256 - lo : 0)  (-32767 .. -256)
//   hi 0x00        -> lo (0..255) or lo - 256 (-255..-1): the field decides.
// A field says how low a value it plausibly takes (Lowest): with hi 0, lo is read as
// negative when lo - 256 is at or above that bound and lo itself is above the
// field's highest plausible small value (HighestSmall).
#pragma once
#include <stdint.h>

namespace WireFormat {

// Kinds of field, by what the generated sketch does with them.
enum class Field : uint8_t {
    Unsigned,      // pins, milliseconds, counts, degrees, frequencies: FF 00 is 255
    MinusOne,      // device positions and slot values: FF 00 is -1, other lo positive
    Temperature,   // thresholds in degrees Celsius: lo above 127 is negative
    Step           // "change by" amounts: lo above 127 is negative
};

inline int32_t decode(uint8_t lo, uint8_t hi, Field field)
{
    if (hi != 0) {
        if (hi <= 0x80)
            return int32_t(hi) * 256 + lo;
        return (int32_t(hi) - 256) * 256 - (lo ? 256 - int32_t(lo) : 0);
    }
    switch (field) {
    case Field::Unsigned: return lo;
    case Field::MinusOne: return lo == 0xFF ? -1 : lo;
    case Field::Temperature:
    case Field::Step: return lo > 127 ? int32_t(lo) - 256 : lo;
    }
    return lo;
}

// The end-of-program marker; it is never the low byte of a record's first word.
constexpr uint8_t EndMarker = 0xFD;
// The checksum byte never equals the marker: the host sends 0xFE in its place.
inline uint8_t finalChecksum(uint8_t x) { return x == EndMarker ? 0xFE : x; }

} // namespace WireFormat

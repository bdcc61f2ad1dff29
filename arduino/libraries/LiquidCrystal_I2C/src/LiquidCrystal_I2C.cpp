#include "LiquidCrystal_I2C.h"

#include <Wire.h>
#include <avr/pgmspace.h>

namespace {
// HD44780 instructions.
const uint8_t ClearDisplay = 0x01;
const uint8_t ReturnHome = 0x02;
const uint8_t EntryMode = 0x04;      // | 0x02 increment
const uint8_t DisplayControl = 0x08; // | 0x04 display on, 0x02 cursor, 0x01 blink
const uint8_t FunctionSet = 0x20;    // | 0x10 8-bit, 0x08 two lines
const uint8_t SetCgramAddress = 0x40;
const uint8_t SetDdramAddress = 0x80;
const uint8_t DisplayOn = 0x04;

const uint8_t RowStart[4] = {0x00, 0x40, 0x14, 0x54};

// Characters of the display's own set (the common A00 character ROM).
const uint8_t RomSigma = 0xF6;
const uint8_t RomOmega = 0xF4;
const uint8_t RomDegree = 0xDF;

// Γ Δ Θ Λ Ξ Π Φ Ψ drawn into the eight programmable characters 0..7, five dots wide.
const uint8_t GreekGlyphs[8][8] PROGMEM = {
    {0x1F, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x00}, // Γ
    {0x04, 0x04, 0x0A, 0x0A, 0x11, 0x11, 0x1F, 0x00}, // Δ
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x0E, 0x00}, // Θ
    {0x04, 0x0A, 0x0A, 0x11, 0x11, 0x11, 0x11, 0x00}, // Λ
    {0x1F, 0x00, 0x00, 0x0E, 0x00, 0x00, 0x1F, 0x00}, // Ξ
    {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x00}, // Π
    {0x04, 0x0E, 0x15, 0x15, 0x15, 0x0E, 0x04, 0x00}, // Φ
    {0x15, 0x15, 0x15, 0x0E, 0x04, 0x04, 0x04, 0x00}, // Ψ
};

// What each capital from U+0391 Α to U+03A9 Ω shows as; 0..7 are the drawn ones.
const uint8_t GreekCapital[25] PROGMEM = {
    'A', 'B', 0, 1, 'E', 'Z', 'H', 2, 'I', 'K', 3, 'M', 'N', 4, 'O', 5, 'P',
    '?', // U+03A2 is not a letter
    RomSigma, 'T', 'Y', 6, 'X', 7, RomOmega,
};

// The capital (its code point) of a Greek letter, accented and small ones included;
// 0 for anything else.
uint16_t greekCapital(uint16_t cp)
{
    if (cp >= 0x391 && cp <= 0x3A9)
        return cp;
    if (cp == 0x3C2)
        return 0x3A3;  // final sigma
    if (cp >= 0x3B1 && cp <= 0x3C9)
        return cp - 0x20;
    switch (cp) {
    case 0x386: case 0x3AC: return 0x391;           // Ά ά
    case 0x388: case 0x3AD: return 0x395;           // Έ έ
    case 0x389: case 0x3AE: return 0x397;           // Ή ή
    case 0x38A: case 0x3AF: case 0x3AA: case 0x3CA: case 0x390: return 0x399; // Ί ί Ϊ ϊ ΐ
    case 0x38C: case 0x3CC: return 0x39F;           // Ό ό
    case 0x38E: case 0x3CD: case 0x3AB: case 0x3CB: case 0x3B0: return 0x3A5; // Ύ ύ Ϋ ϋ ΰ
    case 0x38F: case 0x3CE: return 0x3A9;           // Ώ ώ
    default: return 0;
    }
}
}

LiquidCrystal_I2C::LiquidCrystal_I2C(uint8_t address, uint8_t en, uint8_t rw, uint8_t rs,
                                     uint8_t d4, uint8_t d5, uint8_t d6, uint8_t d7)
    : fAddress(address), fEn(uint8_t(1 << en)), fRw(uint8_t(1 << rw)), fRs(uint8_t(1 << rs)),
      fData{uint8_t(1 << d4), uint8_t(1 << d5), uint8_t(1 << d6), uint8_t(1 << d7)}
{
}

void LiquidCrystal_I2C::begin(uint8_t columns, uint8_t rows)
{
    fColumns = columns;
    fRows = rows > 4 ? 4 : (rows == 0 ? 1 : rows);
    Wire.begin();
#if defined(WIRE_HAS_TIMEOUT)
    Wire.setWireTimeout(25000, true);
#endif
    // The controller needs 40 ms after power-up before it listens.
    delay(50);
    expanderWrite(backlightBits());
    // Whatever mode it woke in, three "8-bit" function sets bring it to a known
    // state, after which a 4-bit function set switches the interface to nibbles.
    sendNibble(0x03, false);
    delay(5);
    sendNibble(0x03, false);
    delayMicroseconds(150);
    sendNibble(0x03, false);
    delayMicroseconds(150);
    sendNibble(0x02, false);
    command(FunctionSet | (fRows > 1 ? 0x08 : 0x00));
    fDisplayControl = DisplayOn;
    command(DisplayControl);  // off while it is cleared
    defineGreekGlyphs();
    clear();
    command(EntryMode | 0x02);
    command(DisplayControl | fDisplayControl);
}

void LiquidCrystal_I2C::defineGreekGlyphs()
{
    command(SetCgramAddress);
    for (uint8_t g = 0; g < 8; ++g)
        for (uint8_t row = 0; row < 8; ++row)
            send(pgm_read_byte(&GreekGlyphs[g][row]), true);
}

void LiquidCrystal_I2C::setBacklightPin(uint8_t pin, t_backlightPol polarity)
{
    fBacklightMask = uint8_t(1 << pin);
    fPolarity = polarity;
    expanderWrite(backlightBits());
}

void LiquidCrystal_I2C::setBacklight(uint8_t value)
{
    fBacklightOn = value != LOW;
    expanderWrite(backlightBits());
}

uint8_t LiquidCrystal_I2C::backlightBits() const
{
    const bool bitSet = fPolarity == POSITIVE ? fBacklightOn : !fBacklightOn;
    return bitSet ? fBacklightMask : 0;
}

void LiquidCrystal_I2C::clear()
{
    command(ClearDisplay);
    delay(2);  // the slowest instruction: 1.52 ms
}

void LiquidCrystal_I2C::home()
{
    command(ReturnHome);
    delay(2);
}

void LiquidCrystal_I2C::setCursor(uint8_t column, uint8_t row)
{
    if (row >= fRows)
        row = fRows - 1;
    if (column >= fColumns)
        column = fColumns - 1;
    command(SetDdramAddress | uint8_t(RowStart[row] + column));
}

void LiquidCrystal_I2C::display()
{
    fDisplayControl |= DisplayOn;
    command(DisplayControl | fDisplayControl);
}

void LiquidCrystal_I2C::noDisplay()
{
    fDisplayControl &= uint8_t(~DisplayOn);
    command(DisplayControl | fDisplayControl);
}

size_t LiquidCrystal_I2C::write(uint8_t c)
{
    if (c < 0x80) {
        fPending = 0;
        send(c, true);
    } else if (c >= 0xC0) {
        // Lead byte: two- and three-byte sequences cover everything we can show.
        fPending = c >= 0xF0 ? 3 : (c >= 0xE0 ? 2 : 1);
        fCodePoint = c & (c >= 0xE0 ? 0x0F : 0x1F);
    } else if (fPending > 0) {
        fCodePoint = uint16_t(fCodePoint << 6 | (c & 0x3F));
        if (--fPending == 0)
            putGlyph(fCodePoint);
    } else {
        send('?', true);  // a continuation byte without its lead
    }
    return 1;
}

void LiquidCrystal_I2C::putGlyph(uint16_t codePoint)
{
    const uint16_t capital = greekCapital(codePoint);
    if (capital != 0)
        send(pgm_read_byte(&GreekCapital[capital - 0x391]), true);
    else if (codePoint == 0xB0)
        send(RomDegree, true);
    else
        send('?', true);
}

void LiquidCrystal_I2C::command(uint8_t value)
{
    send(value, false);
}

void LiquidCrystal_I2C::send(uint8_t value, bool isData)
{
    sendNibble(value >> 4, isData);
    sendNibble(value & 0x0F, isData);
}

void LiquidCrystal_I2C::sendNibble(uint8_t nibble, bool isData)
{
    uint8_t bits = backlightBits();
    if (isData)
        bits |= fRs;
    for (uint8_t i = 0; i < 4; ++i)
        if (nibble & (1 << i))
            bits |= fData[i];
    // Data and RS settle first, the display latches them when En falls. Each byte
    // the expander takes lasts about 90 us at 100 kHz, far above every pulse and
    // instruction time of the controller.
    Wire.beginTransmission(fAddress);
    Wire.write(bits);
    Wire.write(uint8_t(bits | fEn));
    Wire.write(bits);
    Wire.endTransmission();
}

void LiquidCrystal_I2C::expanderWrite(uint8_t bits)
{
    Wire.beginTransmission(fAddress);
    Wire.write(bits);
    Wire.endTransmission();
}

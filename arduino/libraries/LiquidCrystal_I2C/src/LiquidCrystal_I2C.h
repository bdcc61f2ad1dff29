#pragma once

#include <Arduino.h>
#include <Print.h>

// Polarity of the backlight control bit: POSITIVE lights the display when the bit is 1.
enum t_backlightPol { POSITIVE, NEGATIVE };

// An HD44780 character display driven in 4-bit mode through a PCF8574 I2C port
// expander. The constructor names which expander bit feeds which display pin; the
// common backpack at address 0x27 wires En 2, Rw 1, Rs 0, D4..D7 4..7, backlight 3.
//
// Text is UTF-8, as the sketch file is: Greek letters are shown as capitals, with
// Latin look-alikes, the display's own Σ and Ω, and eight drawn characters for
// Γ Δ Θ Λ Ξ Π Φ Ψ; the degree sign is the display's own; other characters show as '?'.
class LiquidCrystal_I2C : public Print {
public:
    LiquidCrystal_I2C(uint8_t address, uint8_t en, uint8_t rw, uint8_t rs,
                      uint8_t d4, uint8_t d5, uint8_t d6, uint8_t d7);

    // Wakes the display (the power-on wait included), clears it, shows no cursor.
    void begin(uint8_t columns, uint8_t rows);
    void setBacklightPin(uint8_t pin, t_backlightPol polarity);
    // Any value but LOW (0) switches the backlight on.
    void setBacklight(uint8_t value);
    void backlight() { setBacklight(HIGH); }
    void noBacklight() { setBacklight(LOW); }

    void clear();
    void home();
    // Column and row from 0; positions beyond the display are kept on it.
    void setCursor(uint8_t column, uint8_t row);
    void display();
    void noDisplay();

    size_t write(uint8_t c) override;
    using Print::write;

private:
    void command(uint8_t value);
    void send(uint8_t value, bool isData);
    void sendNibble(uint8_t nibble, bool isData);
    void expanderWrite(uint8_t bits);
    uint8_t backlightBits() const;
    void putGlyph(uint16_t codePoint);
    void defineGreekGlyphs();

    uint8_t fAddress;
    uint8_t fEn, fRw, fRs;
    uint8_t fData[4];
    uint8_t fBacklightMask = 0;
    t_backlightPol fPolarity = POSITIVE;
    bool fBacklightOn = false;
    uint8_t fColumns = 16, fRows = 2;
    uint8_t fDisplayControl = 0;
    // UTF-8 sequence being assembled by write().
    uint16_t fCodePoint = 0;
    uint8_t fPending = 0;
};

#pragma once

#include <QString>
#include <optional>

// Where an Arduino pin number lives on the board's chip: the port letter and bit that
// the simulator knows it by, its analogue input channel, and its analogue output.
namespace BoardPins {

enum class Chip { Uno, Mega };  // the Nano is an Uno here: the same ATmega328P

struct PortBit {
    char port;
    int bit;
};

// The analogue output of a pin: while a timer drives it (the COMnx1 bit of TCCRnA is
// set), the pin carries the compare value as PWM.
struct PwmOutput {
    int pin;
    quint16 tccr;  // data address of TCCRnA
    quint8 com;    // its COMnx1 bit
    quint16 ocr;   // data address of OCRnx (the low byte for a 16-bit timer)
};

int pinCount(Chip chip);
std::optional<PortBit> portBit(Chip chip, int pin);
// The Arduino pin at a port bit, or -1.
int pinAt(Chip chip, char port, int bit);
// The analogue channel of a pin as analogRead takes it (A0 and 0 are both channel
// 0), or -1.
int analogChannel(Chip chip, int pin);
const PwmOutput *pwmOutputs(Chip chip, int *count);
// The chip's name for the simulator.
const char *mcuName(Chip chip);
// The chip of a project's board (BoardModel's ids: 0 Uno, 1 Nano, 2 Mega).
Chip chipOfBoard(int boardTypeId);

} // namespace BoardPins

#pragma once

#include <QList>
#include <QString>

// The pins of the board a project is built for (0 Uno, 1 Nano, 2 Mega; no board is
// treated as the Uno, which the IDE would build for): which numbers the pin blocks
// may use, the analogue inputs, and the pins with special duties.
class BoardPins {
public:
    explicit BoardPins(int boardTypeId);

    QString boardName() const { return fName; }
    bool isMega() const { return fMega; }

    // A pin the digital blocks can read and write. A6 and A7 of the Nano are analogue
    // inputs only.
    bool hasPin(int pin) const { return pin >= 0 && pin < fDigitalPins; }
    // The pins the board talks to the computer through (USB serial).
    static bool isUsbPin(int pin) { return pin == 0 || pin == 1; }
    bool isPwm(int pin) const { return fPwm.contains(pin); }
    bool isInterrupt(int pin) const { return fInterrupt.contains(pin); }
    // SDA and SCL of the I2C bus.
    QList<int> i2cPins() const { return fI2c; }
    // The pins whose PWM the servo library's timer takes while a servo is attached.
    QList<int> servoTimerPins() const { return fServoTimer; }
    QList<int> pwmPins() const { return fPwm; }
    QList<int> interruptPins() const { return fInterrupt; }

    // The pin analogRead reads for a value: a channel number (0 for A0) or the pin's
    // own number (14 for A0 on the Uno). -1 when the value names no analogue input.
    int analogInputPin(int value) const;

    // A pin as the pupil reads it: "13", or "18 (A4)" for an analogue pin.
    QString pinName(int pin) const;
    // Which pin numbers the board has, for a sentence: "0 έως 19 (τα A0–A5 είναι τα 14–19)".
    QString pinRange() const;
    // The analogue inputs, for a sentence: "A0–A5 (14–19 ή 0–5)".
    QString analogRange() const;

    // A pin by the name printed on the board: "A4" for an analogue pin, else "13".
    QString label(int pin) const;

    // Pins to choose from, for a sentence, runs shortened: "3, 5, 6 ή 9–11".
    static QString choosePins(QList<int> pins);

private:
    QString fName;
    bool fMega = false;
    int fDigitalPins = 20;
    int fFirstAnalog = 14;
    int fAnalogCount = 6;
    QList<int> fPwm, fInterrupt, fI2c, fServoTimer;
};

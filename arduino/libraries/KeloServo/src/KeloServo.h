#pragma once

#include <Arduino.h>

// A hobby servo (SG90) whose arm points straight ahead at its centre position and
// turns up to 90 degrees to either side. The pulses (600 to 2400 us, every 20 ms)
// come from Timer1's compare interrupt, so the servo holds its position while the
// sketch does other things; up to eight servos share the timer. While a servo is
// attached, PWM (analogWrite) on the pins of Timer1 does not work: 9 and 10 on the
// Uno and Nano, 11 and 12 on the Mega.
//
// Each move waits as long as the arm needs to get there (2 ms per degree), so the
// next command of the program starts from the new position.
class KELO_Servo {
public:
    // Attaches the servo on pin and puts it at the centre.
    void init(int pin);

    // Turns to an angle left or right of the centre (0 to 90 degrees).
    void servoLeftAt(int degrees);
    void servoRightAt(int degrees);
    // Turns further left or right by an angle, up to the end of the range.
    void servoLeft(int degrees);
    void servoRight(int degrees);

    // The position: 0 fully right, 90 centre, 180 fully left.
    int position() const { return fPosition; }
    // Stops the pulses of every servo and frees their slots (the objects become unusable).
    static void releaseAll();

private:
    void moveTo(int position);

    int8_t fSlot = -1;
    int fPosition = 90;
};

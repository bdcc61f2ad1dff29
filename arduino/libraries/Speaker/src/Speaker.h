#pragma once

#include <Arduino.h>

// A piezo buzzer or small speaker on one pin. Sounds are played to the end before
// the call returns, so consecutive blocks give a melody. The square wave is made by
// the processor itself: no timer is taken from PWM pins, servos or other speakers.
class Speaker {
public:
    explicit Speaker(int pin) : fPin(pin) {}

    // A short beep (2000 Hz for 150 ms).
    void Beep();
    // A tone of frequency Hz for duration ms. A frequency of 0 or less is a rest:
    // silence for the duration.
    // One signature only: a value block (a float reading, say) in either slot then
    // converts without ambiguity.
    void PlayTone(long frequency, long duration);

private:
    int fPin;
};

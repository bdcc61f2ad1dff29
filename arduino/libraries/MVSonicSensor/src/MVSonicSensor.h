#pragma once

#include <Arduino.h>

// An HC-SR04 ultrasonic distance sensor: a 10 us pulse on the trigger pin sends a
// burst, the echo pin then stays high for the sound's round trip (58 us per cm).
class MV_SonicSensor {
public:
    // What distanceFront() reports when no echo comes back: nothing within range.
    static const int NothingInRange = 400;

    // Closer readings are reported as minDistance (the sensor is blind below a few
    // cm); the sensor is measured at most every intervalMs, between measurements the
    // last distance is reported.
    void setSonicParams(int minDistance, int intervalMs, int triggerPin, int echoPin);
    void init();
    // Distance in cm to the obstacle in front, NothingInRange when there is none.
    int distanceFront();

private:
    int measure();

    int fMin = 5;
    unsigned long fInterval = 60;  // the sensor needs 60 ms between bursts
    int fTrigger = -1, fEcho = -1;
    int fLast = NothingInRange;
    bool fMeasured = false;
    unsigned long fLastMillis = 0;
};

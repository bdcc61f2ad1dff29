#pragma once

#include <Arduino.h>
#include <MPU6050_6Axis_MotionApps20.h>

// The robot's heading in degrees, integrated from the MPU6050's Z-axis rate.
// Integration drifts slowly, so it suits what the robot does with it: measuring
// how far it has turned during one turn of a few seconds.
class KeloGyro {
public:
    // Starts the sensor and measures its resting offset; the robot must stand still
    // for the half second this takes. False when no sensor answers.
    bool begin();
    bool present() const { return fPresent; }

    // Reads the rate and adds the turn since the last call. Call it often while
    // turning (every few milliseconds).
    void update();
    // Degrees turned since the last reset; positive is anticlockwise seen from above
    // with the chip's Z axis pointing up.
    float heading() const { return fHeading; }
    void resetHeading();

private:
    MPU6050 fChip;
    bool fPresent = false;
    float fBias = 0;       // counts read while standing still
    float fHeading = 0;
    unsigned long fLastMicros = 0;
};

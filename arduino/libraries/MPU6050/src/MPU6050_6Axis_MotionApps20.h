#pragma once

#include <Arduino.h>

#include "helper_3dmath.h"

// The MPU6050 six-axis motion sensor (three gyroscope and three accelerometer axes)
// on the I2C bus. Only what a robot needs: waking the chip, choosing the ranges and
// filter, and reading the axes. The on-chip motion processor is not used; the
// heading is integrated on the board (see KeloGyro).
class MPU6050 {
public:
    static const uint8_t DefaultAddress = 0x68;  // AD0 low; 0x69 with AD0 high

    // Gyroscope full scale: +-250, 500, 1000 or 2000 degrees per second.
    enum GyroRange : uint8_t { Gyro250 = 0, Gyro500 = 1, Gyro1000 = 2, Gyro2000 = 3 };

    explicit MPU6050(uint8_t address = DefaultAddress) : fAddress(address) {}

    // Wakes the chip, clocks it from the X gyroscope, sets a 44 Hz low-pass filter,
    // a 1 kHz sample rate and the gyroscope range. False when nothing answers.
    bool initialize(GyroRange range = Gyro1000);
    // The chip answers with its identity.
    bool testConnection();

    // Degrees per second of one count of the chosen gyroscope range.
    float gyroScale() const;

    bool getRotation(VectorInt16 *rate);
    bool getAcceleration(VectorInt16 *accel);
    bool getRotationZ(int16_t *rate);

private:
    bool readAxes(uint8_t firstRegister, VectorInt16 *v);

    uint8_t fAddress;
    GyroRange fRange = Gyro1000;
};

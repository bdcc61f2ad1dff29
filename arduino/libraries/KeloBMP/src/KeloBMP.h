#pragma once

#include <Arduino.h>

// A BMP180 barometer on the I2C bus (address 0x77). It needs no set-up call: the
// first reading starts the bus and reads the chip's calibration. Every reading
// measures afresh (about 10 ms).
class Kelo_BMP {
public:
    // Optional: starts the sensor now. False when it does not answer.
    bool begin();

    // Pressure where the sensor is, in millibars (hPa).
    float getPressure();
    // The same reduced to sea level with the altitude set below, in millibars.
    float getRelPressure();
    // Degrees Celsius.
    float getTemperature();
    // All readings are NAN while the sensor does not answer (it is asked again at
    // the next reading).

    // Metres above sea level of the place, for getRelPressure(). Until it is set the
    // place counts as being at sea level and both pressures are equal.
    void setAltitude(float metres) { fAltitude = metres; }

    // The compensation of the data sheet: raw temperature ut and pressure up (taken
    // with oversampling oss) to tenths of a degree and pascals.
    struct Calibration {
        int16_t ac1, ac2, ac3;
        uint16_t ac4, ac5, ac6;
        int16_t b1, b2, mb, mc, md;
    };
    static void compensate(const Calibration &c, int32_t ut, int32_t up, uint8_t oss,
                           int32_t *tenthsCelsius, int32_t *pascals);

private:
    bool measure(int32_t *tenthsCelsius, int32_t *pascals);

    bool fStarted = false;
    Calibration fCal;
    float fAltitude = 0;
};

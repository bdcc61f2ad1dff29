#pragma once

#include <Arduino.h>

// DHT11, DHT21 (AM2301) and DHT22 (AM2302) temperature and humidity sensors on one
// data pin. The sensor answers a start pulse with 40 bits (humidity, temperature,
// checksum), each bit a 50 us low followed by a high of 26-28 us (0) or 70 us (1).
class DHT {
public:
    // type 11, 21 or 22; any other value is read as a DHT22.
    DHT(uint8_t pin, uint8_t type);
    void begin();

    // Degrees Celsius and percent relative humidity. The sensor is read at most once
    // a second (DHT11) or every two seconds (others), as it allows; calls in between
    // give the last reading. NAN when the sensor did not answer or the data were
    // corrupt (comparisons with NAN are false).
    float readTemperature();
    float readHumidity();

private:
    void refresh();
    bool read(uint8_t data[5]);
    // Loop rounds the line stays at level (bit set or clear); Timeout when it stays too long.
    uint16_t roundsAt(bool high);

    static const uint16_t Timeout = 0xFFFF;

    uint8_t fPin, fType;
    volatile uint8_t *fInput = nullptr;
    uint8_t fMask = 0;
    uint16_t fMaxRounds = 0;
    bool fTried = false;
    unsigned long fLastMillis = 0;
    float fTemperature = NAN, fHumidity = NAN;
};

#pragma once

#include <Arduino.h>

// Register access to the I2C devices on the bus (the gyroscope, the barometer):
// every call addresses one device by its 7-bit address and one of its registers.
// A device that does not answer makes the calls fail instead of hanging the sketch.
class I2Cdev {
public:
    // Starts the bus as master the first time; later calls do nothing.
    static void begin();

    // Reads length bytes from consecutive registers starting at reg. Returns how
    // many bytes arrived (length on success, 0 when the device did not answer).
    static uint8_t readBytes(uint8_t device, uint8_t reg, uint8_t length, uint8_t *data);
    static bool readByte(uint8_t device, uint8_t reg, uint8_t *data);
    // A 16-bit register pair, high byte first (the order of the MPU6050 and BMP180).
    static bool readWord(uint8_t device, uint8_t reg, uint16_t *data);

    static bool writeByte(uint8_t device, uint8_t reg, uint8_t data);
    // Changes the bits of mask in a register to those of value, keeping the others.
    static bool writeBits(uint8_t device, uint8_t reg, uint8_t mask, uint8_t value);

private:
    static bool started;
};

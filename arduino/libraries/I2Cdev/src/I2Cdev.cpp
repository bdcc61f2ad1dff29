#include "I2Cdev.h"

#include <Wire.h>

bool I2Cdev::started = false;

void I2Cdev::begin()
{
    if (started)
        return;
    started = true;
    Wire.begin();
#if defined(WIRE_HAS_TIMEOUT)
    // A bus held low (a loose wire, no pull-ups) must not freeze the pupil's program.
    Wire.setWireTimeout(25000, true);
#endif
}

uint8_t I2Cdev::readBytes(uint8_t device, uint8_t reg, uint8_t length, uint8_t *data)
{
    begin();
    Wire.beginTransmission(device);
    Wire.write(reg);
    // Repeated start: the register pointer must not be disturbed between the two halves.
    if (Wire.endTransmission(false) != 0)
        return 0;
    const uint8_t got = Wire.requestFrom(device, length);
    uint8_t n = 0;
    while (n < got && Wire.available())
        data[n++] = uint8_t(Wire.read());
    return n == length ? n : 0;
}

bool I2Cdev::readByte(uint8_t device, uint8_t reg, uint8_t *data)
{
    return readBytes(device, reg, 1, data) == 1;
}

bool I2Cdev::readWord(uint8_t device, uint8_t reg, uint16_t *data)
{
    uint8_t b[2];
    if (readBytes(device, reg, 2, b) != 2)
        return false;
    *data = uint16_t(uint16_t(b[0]) << 8 | b[1]);
    return true;
}

bool I2Cdev::writeByte(uint8_t device, uint8_t reg, uint8_t data)
{
    begin();
    Wire.beginTransmission(device);
    Wire.write(reg);
    Wire.write(data);
    return Wire.endTransmission() == 0;
}

bool I2Cdev::writeBits(uint8_t device, uint8_t reg, uint8_t mask, uint8_t value)
{
    uint8_t old;
    if (!readByte(device, reg, &old))
        return false;
    return writeByte(device, reg, uint8_t((old & ~mask) | (value & mask)));
}

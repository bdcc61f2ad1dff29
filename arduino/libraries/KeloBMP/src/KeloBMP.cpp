#include "KeloBMP.h"

#include <I2Cdev.h>
#include <math.h>

namespace {
const uint8_t Address = 0x77;
const uint8_t ChipIdRegister = 0xD0;
const uint8_t ChipId = 0x55;
const uint8_t CalibrationRegister = 0xAA;
const uint8_t ControlRegister = 0xF4;
const uint8_t ResultRegister = 0xF6;
const uint8_t MeasureTemperature = 0x2E;
const uint8_t MeasurePressure = 0x34;  // | oss << 6
// Oversampling 0: 4.5 ms a pressure conversion, noise about 0.06 hPa.
const uint8_t Oversampling = 0;
}

bool Kelo_BMP::begin()
{
    I2Cdev::begin();
    uint8_t id = 0;
    uint8_t raw[22];
    if (!I2Cdev::readByte(Address, ChipIdRegister, &id) || id != ChipId
        || I2Cdev::readBytes(Address, CalibrationRegister, sizeof raw, raw) != sizeof raw)
        return fStarted = false;
    uint16_t w[11];
    for (uint8_t i = 0; i < 11; ++i) {
        w[i] = uint16_t(uint16_t(raw[2 * i]) << 8 | raw[2 * i + 1]);
        // The data sheet: a word of all zeros or all ones means no valid calibration.
        if (w[i] == 0 || w[i] == 0xFFFF)
            return fStarted = false;
    }
    fCal = {int16_t(w[0]), int16_t(w[1]), int16_t(w[2]), w[3], w[4], w[5],
            int16_t(w[6]), int16_t(w[7]), int16_t(w[8]), int16_t(w[9]), int16_t(w[10])};
    return fStarted = true;
}

void Kelo_BMP::compensate(const Calibration &c, int32_t ut, int32_t up, uint8_t oss,
                          int32_t *tenthsCelsius, int32_t *pascals)
{
    // Every term in 32 bits: an int is 16 bits on the AVR.
    int32_t x1 = (ut - int32_t(c.ac6)) * int32_t(c.ac5) / 32768L;
    int32_t x2 = int32_t(c.mc) * 2048L / (x1 + int32_t(c.md));
    const int32_t b5 = x1 + x2;
    *tenthsCelsius = (b5 + 8) / 16;

    const int32_t b6 = b5 - 4000;
    x1 = (int32_t(c.b2) * (b6 * b6 / 4096)) / 2048;
    x2 = int32_t(c.ac2) * b6 / 2048;
    int32_t x3 = x1 + x2;
    const int32_t b3 = (((int32_t(c.ac1) * 4 + x3) << oss) + 2) / 4;
    x1 = int32_t(c.ac3) * b6 / 8192;
    x2 = (int32_t(c.b1) * (b6 * b6 / 4096)) / 65536;
    x3 = (x1 + x2 + 2) / 4;
    const uint32_t b4 = uint32_t(c.ac4) * uint32_t(x3 + 32768) / 32768;
    const uint32_t b7 = (uint32_t(up) - uint32_t(b3)) * (50000UL >> oss);
    int32_t p = b7 < 0x80000000UL ? int32_t(b7 * 2 / b4) : int32_t(b7 / b4 * 2);
    x1 = (p / 256) * (p / 256);
    x1 = x1 * 3038 / 65536;
    x2 = -7357L * p / 65536;
    *pascals = p + (x1 + x2 + 3791) / 16;
}

bool Kelo_BMP::measure(int32_t *tenthsCelsius, int32_t *pascals)
{
    if (!fStarted && !begin())
        return false;
    uint8_t r[3];
    if (!I2Cdev::writeByte(Address, ControlRegister, MeasureTemperature)) {
        fStarted = false;  // gone: start again next time
        return false;
    }
    delay(5);
    if (I2Cdev::readBytes(Address, ResultRegister, 2, r) != 2)
        return false;
    const int32_t ut = int32_t(uint16_t(r[0]) << 8 | r[1]);
    if (!I2Cdev::writeByte(Address, ControlRegister, uint8_t(MeasurePressure | Oversampling << 6)))
        return false;
    delay(2 + (3 << Oversampling));
    if (I2Cdev::readBytes(Address, ResultRegister, 3, r) != 3)
        return false;
    const int32_t up = (int32_t(r[0]) << 16 | int32_t(r[1]) << 8 | r[2]) >> (8 - Oversampling);
    compensate(fCal, ut, up, Oversampling, tenthsCelsius, pascals);
    return true;
}

float Kelo_BMP::getPressure()
{
    int32_t t, p;
    return measure(&t, &p) ? p / 100.0f : NAN;
}

float Kelo_BMP::getRelPressure()
{
    const float p = getPressure();
    // The barometric formula of the data sheet, solved for the sea-level pressure.
    return p / pow(1.0f - fAltitude / 44330.0f, 5.255f);
}

float Kelo_BMP::getTemperature()
{
    int32_t t, p;
    return measure(&t, &p) ? t / 10.0f : NAN;
}

#include "MPU6050_6Axis_MotionApps20.h"

#include <I2Cdev.h>

namespace {
// Register map of the MPU6050.
const uint8_t SMPLRT_DIV = 0x19;
const uint8_t CONFIG = 0x1A;
const uint8_t GYRO_CONFIG = 0x1B;
const uint8_t ACCEL_XOUT_H = 0x3B;
const uint8_t GYRO_XOUT_H = 0x43;
const uint8_t GYRO_ZOUT_H = 0x47;
const uint8_t PWR_MGMT_1 = 0x6B;
const uint8_t WHO_AM_I = 0x75;
}

bool MPU6050::initialize(GyroRange range)
{
    I2Cdev::begin();
    fRange = range;
    // Leave sleep mode; the gyroscope's oscillator is more stable than the internal one.
    if (!I2Cdev::writeByte(fAddress, PWR_MGMT_1, 0x01))
        return false;
    delay(10);
    I2Cdev::writeByte(fAddress, CONFIG, 0x03);       // low-pass filter about 44 Hz
    I2Cdev::writeByte(fAddress, SMPLRT_DIV, 0x00);   // 1 kHz with the filter on
    I2Cdev::writeByte(fAddress, GYRO_CONFIG, uint8_t(range << 3));
    return testConnection();
}

bool MPU6050::testConnection()
{
    uint8_t id = 0;
    // WHO_AM_I holds the upper six bits of the address, whatever AD0 is.
    return I2Cdev::readByte(fAddress, WHO_AM_I, &id) && (id & 0x7E) == 0x68;
}

float MPU6050::gyroScale() const
{
    // 131 counts per degree per second at +-250, halving with each wider range.
    return float(250 << fRange) / 32768.0f;
}

bool MPU6050::readAxes(uint8_t firstRegister, VectorInt16 *v)
{
    uint8_t b[6];
    if (I2Cdev::readBytes(fAddress, firstRegister, 6, b) != 6)
        return false;
    v->x = int16_t(uint16_t(b[0]) << 8 | b[1]);
    v->y = int16_t(uint16_t(b[2]) << 8 | b[3]);
    v->z = int16_t(uint16_t(b[4]) << 8 | b[5]);
    return true;
}

bool MPU6050::getRotation(VectorInt16 *rate)
{
    return readAxes(GYRO_XOUT_H, rate);
}

bool MPU6050::getAcceleration(VectorInt16 *accel)
{
    return readAxes(ACCEL_XOUT_H, accel);
}

bool MPU6050::getRotationZ(int16_t *rate)
{
    uint16_t raw;
    if (!I2Cdev::readWord(fAddress, GYRO_ZOUT_H, &raw))
        return false;
    *rate = int16_t(raw);
    return true;
}

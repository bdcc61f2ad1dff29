#include "KeloGyro.h"

namespace {
const int CalibrationSamples = 200;
// Rates below this (degrees per second) are taken as noise, which keeps the
// heading of a robot at rest from creeping.
const float NoiseRate = 0.5f;
}

bool KeloGyro::begin()
{
    fPresent = fChip.initialize(MPU6050::Gyro1000);
    if (!fPresent)
        return false;
    delay(100);  // let the filter settle after waking up
    long sum = 0;
    int n = 0;
    for (int i = 0; i < CalibrationSamples; ++i) {
        int16_t rate;
        if (fChip.getRotationZ(&rate)) {
            sum += rate;
            ++n;
        }
        delay(2);
    }
    fBias = n > 0 ? float(sum) / n : 0;
    resetHeading();
    return true;
}

void KeloGyro::resetHeading()
{
    fHeading = 0;
    fLastMicros = micros();
}

void KeloGyro::update()
{
    if (!fPresent)
        return;
    int16_t raw;
    if (!fChip.getRotationZ(&raw))
        return;
    const unsigned long now = micros();
    const float dt = (now - fLastMicros) * 1e-6f;  // unsigned difference survives the wrap
    fLastMicros = now;
    const float rate = (raw - fBias) * fChip.gyroScale();
    if (rate > NoiseRate || rate < -NoiseRate)
        fHeading += rate * dt;
}

#include "MVSonicSensor.h"

namespace {
const unsigned long MicrosPerCm = 58;  // there and back at 343 m/s
}

void MV_SonicSensor::setSonicParams(int minDistance, int intervalMs, int triggerPin, int echoPin)
{
    fMin = minDistance < 0 ? 0 : minDistance;
    fInterval = intervalMs < 60 ? 60UL : (unsigned long)intervalMs;
    fTrigger = triggerPin;
    fEcho = echoPin;
}

void MV_SonicSensor::init()
{
    pinMode(fTrigger, OUTPUT);
    digitalWrite(fTrigger, LOW);
    pinMode(fEcho, INPUT);
    fMeasured = false;
}

int MV_SonicSensor::distanceFront()
{
    if (fTrigger < 0)
        return NothingInRange;  // never set up
    const unsigned long now = millis();
    if (!fMeasured || now - fLastMillis >= fInterval) {
        fLast = measure();
        fLastMillis = now;
        fMeasured = true;
    }
    return fLast;
}

int MV_SonicSensor::measure()
{
    digitalWrite(fTrigger, LOW);
    delayMicroseconds(2);
    digitalWrite(fTrigger, HIGH);
    delayMicroseconds(10);
    digitalWrite(fTrigger, LOW);
    // Wait no longer than an echo from the farthest distance would take.
    const unsigned long limit = (unsigned long)(NothingInRange + 10) * MicrosPerCm;
    const unsigned long echo = pulseIn(fEcho, HIGH, limit);
    if (echo == 0)
        return NothingInRange;
    const int cm = int((echo + MicrosPerCm / 2) / MicrosPerCm);
    if (cm < fMin)
        return fMin;
    return cm > NothingInRange ? NothingInRange : cm;
}

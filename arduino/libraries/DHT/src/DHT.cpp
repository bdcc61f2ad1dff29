#include "DHT.h"

DHT::DHT(uint8_t pin, uint8_t type) : fPin(pin), fType(type)
{
}

void DHT::begin()
{
    pinMode(fPin, INPUT_PULLUP);
    fInput = portInputRegister(digitalPinToPort(fPin));
    fMask = digitalPinToBitMask(fPin);
    // Any phase of the answer lasts at most 80 us; a round of the counting loop takes
    // a few cycles, so this limit means a few hundred microseconds.
    fMaxRounds = uint16_t(microsecondsToClockCycles(100));
    fTried = false;
}

float DHT::readTemperature()
{
    refresh();
    return fTemperature;
}

float DHT::readHumidity()
{
    refresh();
    return fHumidity;
}

void DHT::refresh()
{
    if (fInput == nullptr)
        begin();
    const unsigned long interval = fType == 11 ? 1000UL : 2000UL;
    const unsigned long now = millis();
    if (fTried && now - fLastMillis < interval)
        return;
    fTried = true;
    fLastMillis = now;
    uint8_t d[5];
    if (!read(d)) {
        fTemperature = fHumidity = NAN;
        return;
    }
    if (fType == 11) {
        fHumidity = d[0] + d[1] * 0.1f;
        fTemperature = d[2] + (d[3] & 0x7F) * 0.1f;
        if (d[3] & 0x80)
            fTemperature = -fTemperature;
    } else {
        fHumidity = (uint16_t(d[0]) << 8 | d[1]) * 0.1f;
        fTemperature = (uint16_t(d[2] & 0x7F) << 8 | d[3]) * 0.1f;
        if (d[2] & 0x80)
            fTemperature = -fTemperature;
    }
}

uint16_t DHT::roundsAt(bool high)
{
    const uint8_t level = high ? fMask : 0;
    uint16_t n = 0;
    while ((*fInput & fMask) == level)
        if (++n >= fMaxRounds)
            return Timeout;
    return n;
}

bool DHT::read(uint8_t data[5])
{
    // Start: hold the line low (18 ms wakes a DHT11, about 1 ms the others), then
    // let the pull-up take it back and listen.
    pinMode(fPin, OUTPUT);
    digitalWrite(fPin, LOW);
    if (fType == 11)
        delay(20);
    else
        delayMicroseconds(1200);
    pinMode(fPin, INPUT_PULLUP);

    for (uint8_t i = 0; i < 5; ++i)
        data[i] = 0;
    bool ok = true;
    // The bits are told apart by timing: nothing may interrupt the next 5 ms.
    noInterrupts();
    // The sensor takes the line low after 20-40 us and answers 80 us low, 80 us high.
    if (roundsAt(true) == Timeout || roundsAt(false) == Timeout || roundsAt(true) == Timeout)
        ok = false;
    for (uint8_t bit = 0; ok && bit < 40; ++bit) {
        const uint16_t low = roundsAt(false);
        const uint16_t high = roundsAt(true);
        if (low == Timeout || high == Timeout) {
            ok = false;
            break;
        }
        // A one's high (70 us) is longer than the 50 us low before it, a zero's shorter.
        data[bit / 8] = uint8_t(data[bit / 8] << 1 | (high > low ? 1 : 0));
    }
    interrupts();
    if (!ok)
        return false;
    return uint8_t(data[0] + data[1] + data[2] + data[3]) == data[4];
}

#include "Speaker.h"

namespace {
// Above this the edges would come faster than the loop can place them accurately.
const unsigned long HighestFrequency = 20000;
}

void Speaker::Beep()
{
    PlayTone(2000L, 150L);
}

void Speaker::PlayTone(long frequency, long duration)
{
    if (duration <= 0)
        return;
    pinMode(fPin, OUTPUT);
    if (frequency <= 0) {
        digitalWrite(fPin, LOW);
        delay((unsigned long)duration);
        return;
    }
    const unsigned long f = min((unsigned long)frequency, HighestFrequency);
    // Edge k falls at k * 500000 / f microseconds from the start. The half period is
    // kept as a whole part and a remainder so that the error never adds up.
    const unsigned long halfWhole = 500000UL / f;
    const unsigned long halfRest = 500000UL % f;
    const unsigned long d = (unsigned long)duration;
    const unsigned long edges = 2 * f * (d / 1000) + f * (d % 1000) / 500;
    unsigned long next = micros();
    unsigned long rest = 0;
    uint8_t level = HIGH;
    for (unsigned long k = 0; k < edges; ++k) {
        while (long(micros() - next) < 0) {
        }
        digitalWrite(fPin, level);
        level = level == HIGH ? LOW : HIGH;
        next += halfWhole;
        rest += halfRest;
        if (rest >= f) {
            rest -= f;
            ++next;
        }
    }
    // The last half period belongs to the tone too.
    while (long(micros() - next) < 0) {
    }
    digitalWrite(fPin, LOW);
}

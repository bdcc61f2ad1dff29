#include "KeloServo.h"

#if !defined(__AVR__)
#error "KeloServo drives the servos from Timer1 of an AVR board (Uno, Nano, Mega)."
#endif

#include <avr/interrupt.h>

namespace {
const uint8_t MaxServos = 8;
const unsigned int ShortestPulseUs = 600;   // fully right
const unsigned int LongestPulseUs = 2400;   // fully left
const unsigned int FrameUs = 20000;
const unsigned long MsPerDegree = 2;        // an SG90 takes about 0.1 s for 60 degrees

// Timer1 counts with a prescaler of 8: half a microsecond at 16 MHz.
inline uint16_t ticks(unsigned int us)
{
    return uint16_t((unsigned long)us * clockCyclesPerMicrosecond() / 8);
}

struct Slot {
    volatile uint8_t *port;
    uint8_t mask;
    volatile uint16_t pulse;  // timer ticks
};

Slot slots[MaxServos];
volatile uint8_t slotCount = 0;
// The slot whose pulse is running, or -1 in the gap until the next frame.
volatile int8_t current = -1;
// Ticks of the frame used by the pulses so far.
uint16_t used = 0;

void startTimer()
{
    noInterrupts();
    // Clear the counter on compare match A: every match starts the next interval
    // from zero, and OCR1A holds that interval's length.
    TCCR1A = 0;
    TCCR1B = _BV(WGM12) | _BV(CS11);  // prescaler 8
    TCNT1 = 0;
    current = -1;
    used = 0;
    OCR1A = ticks(100);
    TIFR1 = _BV(OCF1A);
    TIMSK1 |= _BV(OCIE1A);
    interrupts();
}
}

// The servos are pulsed one after the other, each pulse starting where the last one
// ended; after the last one the timer waits out the rest of the 20 ms frame.
ISR(TIMER1_COMPA_vect)
{
    if (current >= 0)
        *slots[current].port &= uint8_t(~slots[current].mask);
    ++current;
    if (current < int8_t(slotCount)) {
        *slots[current].port |= slots[current].mask;
        const uint16_t pulse = slots[current].pulse;
        OCR1A = pulse;
        used += pulse;
    } else {
        current = -1;
        const uint16_t frame = ticks(FrameUs);
        const uint16_t least = ticks(100);
        OCR1A = used + least < frame ? frame - used : least;
        used = 0;
    }
}

void KELO_Servo::init(int pin)
{
    if (fSlot >= 0 || slotCount >= MaxServos)
        return;
    pinMode(pin, OUTPUT);
    digitalWrite(pin, LOW);
    Slot &s = slots[slotCount];
    s.port = portOutputRegister(digitalPinToPort(pin));
    s.mask = digitalPinToBitMask(pin);
    s.pulse = ticks((ShortestPulseUs + LongestPulseUs) / 2);
    fSlot = int8_t(slotCount);
    fPosition = 90;
    noInterrupts();
    slotCount = slotCount + 1;
    interrupts();
    if (fSlot == 0)
        startTimer();
}

void KELO_Servo::moveTo(int position)
{
    position = constrain(position, 0, 180);
    const int travelled = abs(position - fPosition);
    fPosition = position;
    if (fSlot < 0)
        return;
    const unsigned int us = ShortestPulseUs + (unsigned long)position * (LongestPulseUs - ShortestPulseUs) / 180;
    const uint16_t t = ticks(us);
    noInterrupts();
    slots[fSlot].pulse = t;
    interrupts();
    delay((unsigned long)travelled * MsPerDegree);
}

void KELO_Servo::servoLeftAt(int degrees)
{
    moveTo(90 + constrain(degrees, 0, 90));
}

void KELO_Servo::servoRightAt(int degrees)
{
    moveTo(90 - constrain(degrees, 0, 90));
}

void KELO_Servo::servoLeft(int degrees)
{
    moveTo(fPosition + constrain(degrees, -180, 180));
}

void KELO_Servo::servoRight(int degrees)
{
    moveTo(fPosition - constrain(degrees, -180, 180));
}

void KELO_Servo::releaseAll()
{
    noInterrupts();
    TIMSK1 &= uint8_t(~_BV(OCIE1A));
    if (current >= 0 && current < int8_t(slotCount))
        *slots[current].port &= uint8_t(~slots[current].mask);
    slotCount = 0;
    current = -1;
    used = 0;
    interrupts();
}

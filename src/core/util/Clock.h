#pragma once

#include <QtGlobal>
#include <functional>

// Time for protocols that wait: a millisecond tick count and a call after a delay.
// The program uses TimerClock (the event loop's timers); tests use VirtualClock, so
// a transfer of many seconds runs at once and every deadline is exact.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
    // Calls fn once, ms milliseconds from now, from the event loop (never from
    // inside this call). Pending calls die with the clock.
    virtual void callAfter(int ms, std::function<void()> fn) = 0;
};

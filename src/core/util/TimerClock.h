#pragma once

#include "util/Clock.h"

#include <QElapsedTimer>
#include <QObject>

// The real clock: a monotonic tick count and precise single-shot timers of the
// event loop. Destroying the clock cancels the calls it still holds.
class TimerClock : public Clock {
public:
    TimerClock();
    qint64 nowMs() const override;
    void callAfter(int ms, std::function<void()> fn) override;

private:
    QElapsedTimer fElapsed;
    QObject fContext;
};

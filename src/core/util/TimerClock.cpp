#include "util/TimerClock.h"

#include <QTimer>

TimerClock::TimerClock()
{
    fElapsed.start();
}

qint64 TimerClock::nowMs() const
{
    return fElapsed.elapsed();
}

void TimerClock::callAfter(int ms, std::function<void()> fn)
{
    QTimer::singleShot(ms, Qt::PreciseTimer, &fContext, std::move(fn));
}

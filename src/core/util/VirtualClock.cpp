#include "util/VirtualClock.h"

void VirtualClock::callAfter(int ms, std::function<void()> fn)
{
    fPending.emplace(std::make_pair(fNow + qMax(0, ms), fSeq++), std::move(fn));
}

bool VirtualClock::runNext(qint64 until)
{
    if (fPending.empty() || fPending.begin()->first.first > until)
        return false;
    auto node = fPending.extract(fPending.begin());
    fNow = node.key().first;
    node.mapped()();
    return true;
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 until = fNow + ms;
    while (runNext(until)) {
    }
    fNow = until;
}

void VirtualClock::runUntilIdle(qint64 limitMs)
{
    const qint64 until = fNow + limitMs;
    while (runNext(until)) {
    }
}

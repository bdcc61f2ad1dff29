#pragma once

#include "util/Clock.h"

#include <map>
#include <utility>

// A clock that moves only when told to. Calls fall due in the order of their time,
// and of their scheduling when the times are equal.
class VirtualClock : public Clock {
public:
    qint64 nowMs() const override { return fNow; }
    void callAfter(int ms, std::function<void()> fn) override;

    // Runs every call due up to now + ms (including calls those schedule), each at
    // its own time, and ends at now + ms.
    void advance(qint64 ms);
    // Runs due calls until none is pending or the time limit is passed.
    void runUntilIdle(qint64 limitMs = 3600 * 1000);
    bool idle() const { return fPending.empty(); }

private:
    bool runNext(qint64 until);

    qint64 fNow = 0;
    quint64 fSeq = 0;
    std::map<std::pair<qint64, quint64>, std::function<void()>> fPending;
};

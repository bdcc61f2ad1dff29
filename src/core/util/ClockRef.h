#pragma once

#include "util/VirtualClock.h"

#include <utility>

// A Clock that is another clock the caller keeps and drives: LiveConnection owns
// its clock, while a recorder or a simulation advances the same virtual time.
class ClockRef : public Clock {
public:
    explicit ClockRef(VirtualClock &c) : fClock(c) {}
    qint64 nowMs() const override { return fClock.nowMs(); }
    void callAfter(int ms, std::function<void()> fn) override { fClock.callAfter(ms, std::move(fn)); }

private:
    VirtualClock &fClock;
};

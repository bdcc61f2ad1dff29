#pragma once

#include "toolchain/StallWatch.h"

#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class IdeRunner;

// One external run (the IDE or avrdude) that the pupil can stop and that is ended
// when it stalls: how it ended is part of what it came to.
class WatchedRun {
public:
    enum class Stop { None, Cancelled, Stalled };
    struct End {
        bool started = false;
        int exitCode = -1;
        Stop stop = Stop::None;
        int stallLimitMs = 0;  // the limit that was passed, when stalled
    };
    struct Callbacks {
        std::function<void(const QString &text)> output;
        std::function<void(const End &end)> finished;
    };
    static constexpr int CheckEveryMs = 1000;

    WatchedRun(IdeRunner &runner, Clock &clock) : fRunner(runner), fClock(clock) {}
    ~WatchedRun();
    WatchedRun(const WatchedRun &) = delete;
    WatchedRun &operator=(const WatchedRun &) = delete;

    void start(const QString &program, const QStringList &arguments, const QString &workingDir, StallWatch watch,
               Callbacks callbacks);
    // The pupil's "Ακύρωση".
    void cancel();
    bool running() const;

private:
    void check(quint64 token);

    IdeRunner &fRunner;
    Clock &fClock;
    StallWatch fWatch{{}};
    Stop fStop = Stop::None;
    quint64 fToken = 0;
};

#include "toolchain/WatchedRun.h"

#include "toolchain/IdeRunner.h"
#include "util/Clock.h"

WatchedRun::~WatchedRun()
{
    ++fToken;
}

bool WatchedRun::running() const
{
    return fRunner.isRunning();
}

void WatchedRun::start(const QString &program, const QStringList &arguments, const QString &workingDir,
                       StallWatch watch, Callbacks callbacks)
{
    if (fRunner.isRunning())
        return;
    fWatch = watch;
    fWatch.start(fClock.nowMs());
    fStop = Stop::None;
    const quint64 token = ++fToken;
    IdeRunner::Callbacks c;
    c.output = [this, token, output = callbacks.output](const QString &text) {
        if (token == fToken)
            fWatch.output(text, fClock.nowMs());
        if (output)
            output(text);
    };
    c.finished = [this, token, finished = callbacks.finished](bool started, int exitCode) {
        End end;
        end.started = started;
        end.exitCode = exitCode;
        if (token == fToken) {
            ++fToken;
            end.stop = fStop;
            if (fStop == Stop::Stalled)
                end.stallLimitMs = fWatch.limitMs();
        }
        if (finished)
            finished(end);
    };
    fRunner.start(program, arguments, workingDir, std::move(c));
    if (fRunner.isRunning() && token == fToken)
        fClock.callAfter(CheckEveryMs, [this, token] { check(token); });
}

void WatchedRun::check(quint64 token)
{
    if (token != fToken || !fRunner.isRunning())
        return;
    if (fStop == Stop::None && fWatch.stalled(fClock.nowMs())) {
        fStop = Stop::Stalled;
        fRunner.cancel();
        return;
    }
    fClock.callAfter(CheckEveryMs, [this, token] { check(token); });
}

void WatchedRun::cancel()
{
    if (!fRunner.isRunning() || fStop != Stop::None)
        return;
    fStop = Stop::Cancelled;
    fRunner.cancel();
}

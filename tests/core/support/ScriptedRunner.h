#pragma once

#include "toolchain/IdeRunner.h"

// Answers at once with the output and exit code it was given, and remembers the call.
// With hold set it keeps running instead, until the test calls end() or cancel() ends
// it (as the real one: finished arrives with -1).
class ScriptedRunner : public IdeRunner {
public:
    void start(const QString &program, const QStringList &arguments, const QString &workingDir,
               Callbacks callbacks) override
    {
        this->program = program;
        this->arguments = arguments;
        this->workingDir = workingDir;
        for (const QString &chunk : chunks)
            callbacks.output(chunk);
        if (hold && started) {
            fCallbacks = std::move(callbacks);
            fRunning = true;
            return;
        }
        callbacks.finished(started, exitCode);
    }
    bool isRunning() const override { return fRunning; }
    void cancel() override
    {
        ++cancels;
        end(-1);
    }
    // More output of a held run.
    void say(const QString &text)
    {
        if (fRunning)
            fCallbacks.output(text);
    }
    void end(int code)
    {
        if (!fRunning)
            return;
        fRunning = false;
        fCallbacks.finished(true, code);
    }

    QStringList chunks;
    bool started = true;
    int exitCode = 0;
    bool hold = false;
    int cancels = 0;
    QString program, workingDir;
    QStringList arguments;

private:
    Callbacks fCallbacks;
    bool fRunning = false;
};

#pragma once

#include "toolchain/IdeRunner.h"

// Answers at once with the output and exit code it was given, and remembers the call.
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
        callbacks.finished(started, exitCode);
    }
    bool isRunning() const override { return false; }

    QStringList chunks;
    bool started = true;
    int exitCode = 0;
    QString program, workingDir;
    QStringList arguments;
};

#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QProcess;
class QStringDecoder;

// Runs the IDE's command-line program without blocking the window: its output
// (standard output and error together) arrives as text while it runs, decoded as
// UTF-8 across chunk boundaries, and the end arrives with the exit code. Tests put
// a stand-in behind the same interface.
class IdeRunner {
public:
    struct Callbacks {
        std::function<void(const QString &text)> output;
        // started is false when the program could not be run at all.
        std::function<void(bool started, int exitCode)> finished;
    };
    virtual ~IdeRunner() = default;
    virtual void start(const QString &program, const QStringList &arguments, const QString &workingDir,
                       Callbacks callbacks) = 0;
    virtual bool isRunning() const = 0;
};

// The real one, over QProcess.
class ProcessIdeRunner : public IdeRunner {
public:
    ProcessIdeRunner();
    ~ProcessIdeRunner() override;
    void start(const QString &program, const QStringList &arguments, const QString &workingDir,
               Callbacks callbacks) override;
    bool isRunning() const override;

private:
    void finish(bool started, int exitCode);

    QProcess *fProcess = nullptr;
    QStringDecoder *fDecoder = nullptr;
    Callbacks fCallbacks;
    bool fRunning = false;
};

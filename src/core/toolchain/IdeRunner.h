#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcess;
class QStringDecoder;

// Runs an external program (the IDE's command line, avrdude) without blocking the
// window: its output (standard output and error together) arrives as text while it
// runs, decoded as UTF-8 across chunk boundaries, and the end arrives with the exit
// code. Tests put a stand-in behind the same interface.
class IdeRunner {
public:
    struct Callbacks {
        std::function<void(const QString &text)> output;
        // started is false when the program could not be run at all; exitCode is -1
        // when it did not end by itself (cancelled, crashed).
        std::function<void(bool started, int exitCode)> finished;
    };
    virtual ~IdeRunner() = default;
    virtual void start(const QString &program, const QStringList &arguments, const QString &workingDir,
                       Callbacks callbacks) = 0;
    virtual bool isRunning() const = 0;
    // Ends the run and every process it started; finished still arrives.
    virtual void cancel() = 0;
};

// The real one, over QProcess. The program runs in a process group of its own, and
// whatever of that group is left when the program ends, is cancelled or the runner is
// destroyed (the window closes) is ended with it: nothing of a run keeps the port.
class ProcessIdeRunner : public IdeRunner {
public:
    ProcessIdeRunner();
    ~ProcessIdeRunner() override;
    void start(const QString &program, const QStringList &arguments, const QString &workingDir,
               Callbacks callbacks) override;
    bool isRunning() const override;
    void cancel() override;
    // The environment of the runs to come; unset: this program's own.
    void setEnvironment(const QProcessEnvironment &environment) { fEnvironment = environment; }
    // The group of the run going on (its leader's pid), 0 when none runs.
    qint64 groupId() const;

private:
    void finish(bool started, int exitCode);
    void endGroup();

    QProcess *fProcess = nullptr;
    QStringDecoder *fDecoder = nullptr;
    Callbacks fCallbacks;
    std::optional<QProcessEnvironment> fEnvironment;
    qint64 fGroup = 0;
    bool fRunning = false;
};

#include "toolchain/IdeRunner.h"

#include "toolchain/ProcessGroup.h"

#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

namespace {
// How long the processes of a cancelled run get to end by themselves.
constexpr int GraceMs = 1500;
}

ProcessIdeRunner::ProcessIdeRunner() = default;

ProcessIdeRunner::~ProcessIdeRunner()
{
    if (fProcess) {
        fProcess->disconnect();
        if (fProcess->state() != QProcess::NotRunning) {
            ProcessGroup::terminate(fGroup);
            fProcess->waitForFinished(GraceMs);
        }
        endGroup();
        if (fProcess->state() != QProcess::NotRunning)
            fProcess->waitForFinished(2000);
        delete fProcess;
    }
    delete fDecoder;
}

bool ProcessIdeRunner::isRunning() const
{
    return fRunning;
}

qint64 ProcessIdeRunner::groupId() const
{
    return fRunning ? fGroup : 0;
}

void ProcessIdeRunner::start(const QString &program, const QStringList &arguments, const QString &workingDir,
                             Callbacks callbacks)
{
    if (fRunning)
        return;
    fCallbacks = std::move(callbacks);
    fRunning = true;
    fGroup = 0;
    if (fProcess) {
        fProcess->disconnect();
        fProcess->deleteLater();
    }
    delete fDecoder;
    fDecoder = new QStringDecoder(QStringDecoder::Utf8);
    fProcess = new QProcess;
    fProcess->setProcessChannelMode(QProcess::MergedChannels);
    fProcess->setWorkingDirectory(workingDir);
    if (fEnvironment)
        fProcess->setProcessEnvironment(*fEnvironment);
    ProcessGroup::prepare(*fProcess);
    QProcess *p = fProcess;
    QObject::connect(p, &QProcess::started, p, [this, p] { fGroup = p->processId(); });
    QObject::connect(p, &QProcess::readyReadStandardOutput, p, [this, p] {
        // A chunk may end inside a Greek letter: the decoder keeps the half for the
        // next one.
        const QString text = (*fDecoder)(p->readAllStandardOutput());
        if (!text.isEmpty() && fCallbacks.output)
            fCallbacks.output(text);
    });
    QObject::connect(p, &QProcess::finished, p, [this, p](int exitCode, QProcess::ExitStatus status) {
        const QString rest = (*fDecoder)(p->readAllStandardOutput());
        if (!rest.isEmpty() && fCallbacks.output)
            fCallbacks.output(rest);
        // The launcher has ended; what it started may not have.
        endGroup();
        finish(true, status == QProcess::NormalExit ? exitCode : -1);
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [this, p](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && fRunning && p == fProcess)
            finish(false, -1);
    });
    p->start(program, arguments);
}

void ProcessIdeRunner::cancel()
{
    if (!fRunning || !fProcess)
        return;
    ProcessGroup::terminate(fGroup);
    // What does not end by itself is ended; the leader's end brings finished.
    QTimer::singleShot(GraceMs, fProcess, [this] { endGroup(); });
}

void ProcessIdeRunner::endGroup()
{
    ProcessGroup::kill(fGroup);
    if (fProcess && fProcess->state() != QProcess::NotRunning)
        fProcess->kill();
}

void ProcessIdeRunner::finish(bool started, int exitCode)
{
    if (!fRunning)
        return;
    fRunning = false;
    // The callback may start the next run.
    Callbacks callbacks = fCallbacks;
    if (callbacks.finished)
        callbacks.finished(started, exitCode);
}

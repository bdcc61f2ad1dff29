#include "toolchain/ProcessGroup.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

void ProcessGroup::prepare(QProcess &process)
{
#ifdef Q_OS_UNIX
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#else
    Q_UNUSED(process);
#endif
}

void ProcessGroup::terminate(qint64 leaderPid)
{
    if (leaderPid <= 0)
        return;
#ifdef Q_OS_UNIX
    ::kill(-pid_t(leaderPid), SIGTERM);
#else
    // taskkill ends the whole tree below the IDE's console program.
    QProcess::execute(QStringLiteral("taskkill"), {QStringLiteral("/T"), QStringLiteral("/PID"), QString::number(leaderPid)});
#endif
}

void ProcessGroup::kill(qint64 leaderPid)
{
    if (leaderPid <= 0)
        return;
#ifdef Q_OS_UNIX
    ::kill(-pid_t(leaderPid), SIGKILL);
#else
    QProcess::execute(QStringLiteral("taskkill"),
                      {QStringLiteral("/F"), QStringLiteral("/T"), QStringLiteral("/PID"), QString::number(leaderPid)});
#endif
}

bool ProcessGroup::alive(qint64 leaderPid)
{
    if (leaderPid <= 0)
        return false;
#ifdef Q_OS_UNIX
    return ::kill(-pid_t(leaderPid), 0) == 0;
#else
    return false;
#endif
}

#pragma once

#include <QString>
#include <QStringList>

// The one-line debug list at the bottom of the main window. Chain operations, the
// sketch walk and start-up write their trace lines here.
class DebugLog {
public:
    virtual ~DebugLog() = default;
    virtual void AddDebug(const QString &line) = 0;
};

// Keeps every line in memory; tests and the command-line tool read them back.
class MemoryDebugLog : public DebugLog {
public:
    void AddDebug(const QString &line) override { lines.append(line); }
    QStringList lines;
};

// Swallows every line (for code paths that need no trace).
class NullDebugLog : public DebugLog {
public:
    void AddDebug(const QString &) override {}
};

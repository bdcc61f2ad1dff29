#pragma once

#include <QString>
#include <QStringList>

// The IDE's command-line build: which program, which arguments, and the text the
// code page shows for it. With a port the sketch is compiled and uploaded; without
// one it is only compiled, so that a pupil still learns whether it is right.
struct IdeCommandLine {
    // The IDE's board identifier for the board model: Uno and Nano share the Uno's,
    // the Mega needs its processor named.
    static QString boardIdentifier(int boardTypeId);
    // The Nano with its old bootloader, which talks at 57600 baud.
    static QString oldNanoIdentifier() { return QStringLiteral("arduino:avr:nano:cpu=atmega328old"); }
    // The console program inside the IDE folder ("arduino_debug.exe" on Windows).
    static QString consoleProgram(const QString &ideFolder);

    // ideFolder: from the options; port: empty for compiling only; sketchbook: the
    // folder whose "libraries" hold the program's own device libraries.
    static IdeCommandLine make(const QString &ideFolder, const QString &board, const QString &port,
                               const QString &sketchFile, const QString &sketchbook);

    bool upload() const { return !port.isEmpty(); }
    // The whole command as one line, arguments with spaces quoted.
    QString text() const;

    QString program;
    QStringList arguments;
    QString port;
};

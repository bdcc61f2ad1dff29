#include "toolchain/IdeCommandLine.h"

#include "toolchain/IdeLocation.h"

#include <QDir>

using namespace Qt::StringLiterals;

QString IdeCommandLine::boardIdentifier(int boardTypeId)
{
    switch (boardTypeId) {
    case 0:
    case 1:
        return u"arduino:avr:uno"_s;
    case 2:
        return u"arduino:avr:mega:cpu=atmega2560"_s;
    default:
        return u"arduino:avr:"_s;
    }
}

QString IdeCommandLine::consoleProgram(const QString &ideFolder)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(IdeLocation::fileIn(ideFolder, u"arduino_debug.exe"_s));
#else
    return IdeLocation::launcherIn(ideFolder);
#endif
}

IdeCommandLine IdeCommandLine::make(const QString &ideFolder, const QString &board, const QString &port,
                                    const QString &sketchFile, const QString &sketchbook)
{
    IdeCommandLine c;
    c.program = consoleProgram(ideFolder);
    c.port = port;
    c.arguments << u"--board"_s << board;
    if (!port.isEmpty())
        c.arguments << u"--port"_s << port << u"--upload"_s;
    else
        c.arguments << u"--verify"_s;
    // Debian's avr core needs DECIMAL_DIG, which its compiler defines for C only; the
    // sketchbook makes the IDE find the program's own device libraries first.
    c.arguments << u"--pref"_s << u"compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__"_s;
    c.arguments << u"--pref"_s << u"sketchbook.path="_s + QDir::toNativeSeparators(sketchbook);
    // avrdude then says what it wrote and verified: the only proof that the board has
    // the program. (The preference "upload.verbose" would be overwritten by the IDE.)
    if (!port.isEmpty())
        c.arguments << u"--verbose-upload"_s;
    c.arguments << QDir::toNativeSeparators(sketchFile);
    return c;
}

static QString quoted(const QString &s)
{
    if (s.isEmpty() || s.contains(u' ') || s.contains(u'"'))
        return u'"' + QString(s).replace(u'"', u"\\\""_s) + u'"';
    return s;
}

QString IdeCommandLine::text() const
{
    QString t = quoted(program);
    for (const QString &a : arguments)
        t += u' ' + quoted(a);
    return t;
}

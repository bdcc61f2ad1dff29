#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The version file on the update server: one line "latest=<version>". Only the
// first 40 characters of the body count.
class VersionFile {
public:
    static constexpr qsizetype UsedLength = 40;

    // The text of the body that the status list shows: its first 40 characters (UTF-8,
    // or Windows-1253 when the bytes are not UTF-8).
    static QString statusText(QByteArrayView body);
    // The version named "latest" in the status list: the value of the first line whose
    // name (the text before its first '=') is "latest", in any case; empty when no
    // line has that name. The value ends at a line break, and blanks and line breaks
    // around it do not count, so that "latest=0.96" with a line break after it is
    // version 0.96.
    static QString latest(const QStringList &statusLines);
    // Whether the server's version is offered as an update: any version other than
    // the program's own, older ones too.
    static bool offers(const QString &latest, const QString &current);
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The SHA-256 digest published beside the installer ("MVsetup.exe.sha256"): 64 hex
// digits, optionally followed by blanks and the file's name as sha256sum writes it.
// A downloaded installer is only started when its digest is the published one.
class InstallerDigest {
public:
    // The published digest in lower case; empty when the text does not start with one.
    static QByteArray parse(QByteArrayView published);
    // The digest of a file in lower-case hex; empty when the file cannot be read.
    static QByteArray ofFile(const QString &path);
    // Whether the file's digest is the published one (false when either is missing).
    static bool matches(const QString &path, QByteArrayView published);
};

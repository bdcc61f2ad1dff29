#pragma once

#include <QString>
#include <QUrl>

// The folder on the maker's web server that holds "version.ver", the installer
// "MVsetup.exe" and its SHA-256 digest "MVsetup.exe.sha256". Its address is a setting
// ("Options.ini", section "Update", key "BaseUrl"): a build from source or a
// distribution's package has none and never asks any server.
class UpdateServer {
public:
    explicit UpdateServer(const QUrl &base = QUrl());
    // The address stored in the options file; none when the file, the key or a valid
    // http or https address is missing.
    static UpdateServer fromOptions(const QString &optionsFile);

    static QString section() { return QStringLiteral("Update"); }
    static QString key() { return QStringLiteral("BaseUrl"); }

    // Whether there is a server to ask at all.
    bool isSet() const { return fBase.isValid(); }
    // Installers are only taken over https.
    bool isSecure() const;
    // The folder's address, as a pupil would type it into a browser.
    QString address() const;

    QUrl versionFile() const { return file(QStringLiteral("version.ver")); }
    QUrl installer() const { return file(QStringLiteral("MVsetup.exe")); }
    QUrl installerDigest() const { return file(QStringLiteral("MVsetup.exe.sha256")); }

private:
    QUrl file(const QString &name) const;
    QUrl fBase;  // always ends with '/' when set
};

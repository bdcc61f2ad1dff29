#pragma once

#include <QString>
#include <QStringList>

// What to do when a port exists but may not be opened. On Linux the user must join
// the group "dialout", which takes effect at the next login; the command needs an
// administrator, so pupils are sent to whoever looks after the computers.
class PortPermissionHelp {
public:
    // The explanation, for a message box (line breaks between its parts).
    static QString text();
    // The port, then the explanation line by line, for the debug list.
    static QStringList lines(const QString &port);
    // The command that adds the user to the group.
    static QString command() { return QStringLiteral("sudo usermod -aG dialout $USER"); }
};

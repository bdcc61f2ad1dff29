#pragma once

#include <QString>
#include <QStringList>

class PortAccess;

// What to do when a port exists but may not be opened. On Linux the user must join
// the group "dialout", which takes effect at the next login; the command needs an
// administrator, so pupils are sent to whoever looks after the computers.
class PortPermissionHelp {
public:
    // The explanation, for a message box (line breaks between its parts).
    static QString text(const QString &group = QStringLiteral("dialout"));
    // The port, then the explanation line by line, for the debug list.
    static QStringList lines(const QString &port);
    // Before a run on the port: what the user must do to be allowed to use it, empty
    // when nothing is in the way (or access is null).
    static QString check(const PortAccess *access, const QString &port);
    // The command that adds the user to the group.
    static QString command(const QString &group = QStringLiteral("dialout"))
    {
        return QStringLiteral("sudo usermod -aG %1 $USER").arg(group);
    }
};

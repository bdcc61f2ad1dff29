#pragma once

#include <QString>
#include <QStringList>

// What a pupil (or the teacher) does when a port exists but may not be opened: on
// Linux the user must join the group "dialout", which takes effect at the next login.
class PortPermissionHelp {
public:
    // The explanation as separate lines, for the debug list.
    static QStringList lines(const QString &port);
    // The same lines as one text, for a message box.
    static QString text(const QString &port);
    // The command that adds the user to the group.
    static QString command() { return QStringLiteral("sudo usermod -aG dialout $USER"); }
};

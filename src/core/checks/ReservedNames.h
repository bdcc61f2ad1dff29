#pragma once

#include <QSet>
#include <QString>

class ActiveDevices;

// The names a variable of the sketch may not take: they are C++ keywords, names the
// C++ standard keeps for the compiler, or the Arduino core, the C library, the device
// libraries the sketch includes or the sketch's own device objects already have them,
// so that "int name;" does not compile or link.
class ReservedNames {
public:
    // The names for the project's board and devices.
    explicit ReservedNames(const ActiveDevices &devices);

    bool contains(const QString &identifier) const;
    // Who holds a name, for a sentence ("η γλώσσα του Arduino", "η συσκευή Servo_0").
    QString holder(const QString &identifier) const;

private:
    // The keywords and the board's core names, built once for each board.
    const QSet<QString> &fLanguage;
    QSet<QString> fLibraries;
    QSet<QString> fDevices;
};

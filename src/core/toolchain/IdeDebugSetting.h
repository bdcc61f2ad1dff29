#pragma once

#include <QString>

// The Windows IDE's console launcher reads its options from "arduino_debug.l4j.ini"
// beside it; an empty "-DDebug" there makes it start badly, so the program writes
// "-DDebug=false" when the value is missing or empty and leaves the file alone
// otherwise (and when there is no such file, as with other launchers).
class IdeDebugSetting {
public:
    static QString launcherFileName() { return QStringLiteral("arduino_debug.l4j.ini"); }
    // Returns true when the file was changed.
    static bool ensure(const QString &ideFolder);
};

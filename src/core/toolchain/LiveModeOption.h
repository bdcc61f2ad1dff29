#pragma once

#include <QString>

// Whether the window offers live mode: sending the block program to the interpreter
// firmware ("Αποστολή", "Τερμάτισε") and writing that firmware onto the board. Off
// unless chosen in the options; kept in "Options.ini" beside the IDE's folder.
class LiveModeOption {
public:
    static QString checkBoxText() { return QStringLiteral("Ζωντανή λειτουργία (χωρίς μεταγλώττιση)"); }
    static QString section() { return QStringLiteral("Live"); }
    static QString key() { return QStringLiteral("Enabled"); }

    static bool read(const QString &optionsFile);
    // Other sections and keys of the file are kept. False with *error when the file
    // cannot be written.
    static bool write(const QString &optionsFile, bool on, QString *error = nullptr);
};

#pragma once

#include <QString>

// The program's name and version as the window caption, the about box and the
// update check show them.
class ProgramVersion {
public:
    static QString title() { return QStringLiteral("Έλεγχος συσκευών Arduino"); }
    // "0.96 (Βήτα έκδοση 27/02/2022)"
    static QString versionText();
    // The version the update check compares: the first five characters of the
    // version text without blanks ("0.96").
    static QString comparedVersion();
    // The main window's caption: the title and the version text.
    static QString fullCaption();
};

#pragma once

#include <QString>

// Where the Arduino IDE lives: the one option the pupil or teacher sets, kept in
// "Options.ini" (section "Arduino", key "Path") in the program's writable folder.
// A folder is a valid IDE folder when it holds the IDE's launcher: "arduino.exe" on
// Windows, an executable "arduino" elsewhere (the IDE's own folder, or /usr/bin for
// a distribution's launcher).
class IdeLocation {
public:
    // programFolder: where the executable lives (an "Arduino" folder beside it may
    // hold an IDE); writableFolder: where "Options.ini" is kept; pathFolder: the
    // folder of the launcher found on PATH, empty when there is none.
    IdeLocation(QString programFolder, QString writableFolder, QString pathFolder);
    // The folders of the running program.
    static IdeLocation forThisProgram();

    static QString launcherName();
    static QString optionsFileName() { return QStringLiteral("Options.ini"); }
    QString optionsFile() const;

    // The text the options window refuses an invalid folder with.
    static QString invalidFolderMessage();
    static bool isValidFolder(const QString &folder);

    // What the options window proposes when nothing is stored: the folder "Arduino"
    // beside the program when it holds the IDE, otherwise the launcher's folder on
    // PATH (the former also when neither holds one).
    QString windowDefault() const;
    // The stored folder as entered, or windowDefault()'s text when none is stored.
    QString storedOrDefault() const;
    // The folder compiling and uploading use: the stored one, read anew each time;
    // without one, the launcher's folder on PATH (on Windows the installer's default).
    QString ReadIdePath() const;
    // Stores the folder as entered; false with *error when the file cannot be written.
    bool writePath(const QString &folder, QString *error = nullptr) const;

    // The launcher's full path inside a folder (a doubled separator is harmless but
    // avoided).
    static QString launcherIn(const QString &folder);
    static QString fileIn(const QString &folder, const QString &name);

private:
    QString fProgramFolder;
    QString fWritableFolder;
    QString fPathFolder;
};

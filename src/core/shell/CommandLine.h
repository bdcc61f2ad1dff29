#pragma once

#include <QString>
#include <QStringList>

// The program's command line: "vimsel [FILE.vzl]", "--help", "--version". A file manager
// passes the project a teacher double-clicks; the help is Greek, as the program is.
class CommandLine {
public:
    enum class Action { Run, Help, Version, Error };
    struct Result {
        Action action = Action::Run;
        QString file;   // absolute; empty when none was given
        QString error;  // for Action::Error: what is wrong, in Greek
    };

    // args: the arguments after the program's name. "--help" and "--version" win over
    // everything else; "--" ends the options (a file whose name starts with '-'); a
    // relative file name is taken from currentDir, a "file:" address as its file.
    static Result parse(const QStringList &args, const QString &currentDir);

    // settingsFolder: where this user's settings, "Out" and the recovery copy are kept.
    static QString helpText(const QString &settingsFolder);
    // "vimsel 0.96 (Βήτα έκδοση 27/02/2022)", with the program's title on a second line.
    static QString versionText();
    // The exit status for Action::Error, and the line that follows its message.
    static constexpr int UsageError = 2;
    static QString seeHelpText();
};

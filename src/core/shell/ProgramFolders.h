#pragma once

#include <QString>

#include <functional>

// Where the program writes its own files ("Out", "Options.ini", "BTPort.ini",
// downloads) and where the open and save dialogs start.
//
// An installed program (its data in "share/vimsel" beside its "bin" folder) keeps them
// in the per-user data folder of whoever runs it, even where it could write beside
// itself (root, a folder made writable for everyone): a shared "Options.ini" would let
// one user choose which program every other user runs as the IDE. A build run from its
// own folder, or a portable folder, keeps them beside the executable when it may write
// there, and in the per-user folder otherwise.
class ProgramFolders {
public:
    using WritableTest = std::function<bool(const QString &dir)>;

    // documentsDir may be empty or missing: the home folder is used then.
    ProgramFolders(QString userDataDir, QString documentsDir, QString homeDir,
                   WritableTest isWritable = &ProgramFolders::canWriteIn);

    // The folders of the user running the program (QStandardPaths).
    static ProgramFolders forThisUser();

    // Whether the executable in exeDir is installed: "../share/vimsel" exists beside it.
    static bool isInstalled(const QString &exeDir);

    enum class Create { Yes, No };
    // exeDir when the program is not installed and a file can be created in exeDir;
    // otherwise the per-user data folder, created when missing unless told not to.
    QString writableFolder(const QString &exeDir, Create create = Create::Yes) const;
    // Where a file dialog starts: the folder used last (lastUsed, empty when none) while
    // it still exists, otherwise the documents folder, otherwise the home folder. Never
    // the program's own folders, which hold no pupil's work.
    QString dialogStartFolder(const QString &lastUsed) const;

    // Whether a file can be created in dir, found out by creating (and removing) one:
    // permission bits say nothing about read-only media, ACLs or the root user.
    static bool canWriteIn(const QString &dir);

private:
    QString fUserData;
    QString fDocuments;
    QString fHome;
    WritableTest fIsWritable;
};

#pragma once

#include <QString>

#include <functional>

// Where the program writes its own files ("Out", "Options.ini", downloads) and where
// the open and save dialogs start. A portable install or the build tree keeps them
// beside the executable; an installed program, whose folder the pupil cannot write,
// keeps them in the per-user data folder. Pupils' projects do not belong in that
// hidden folder, so the dialogs then start in the documents folder instead.
class ProgramFolders {
public:
    using WritableTest = std::function<bool(const QString &dir)>;

    // documentsDir may be empty or missing: the home folder is used then.
    ProgramFolders(QString userDataDir, QString documentsDir, QString homeDir,
                   WritableTest isWritable = &ProgramFolders::canWriteIn);

    // The folders of the user running the program (QStandardPaths).
    static ProgramFolders forThisUser();

    // exeDir when a file can be created in it, otherwise the per-user data folder,
    // created when missing.
    QString writableFolder(const QString &exeDir) const;
    // The writable folder, or the documents folder when that is the per-user one.
    QString dialogStartFolder(const QString &exeDir) const;

    // Whether a file can be created in dir, found out by creating (and removing) one:
    // permission bits say nothing about read-only media, ACLs or the root user.
    static bool canWriteIn(const QString &dir);

private:
    QString fUserData;
    QString fDocuments;
    QString fHome;
    WritableTest fIsWritable;
};

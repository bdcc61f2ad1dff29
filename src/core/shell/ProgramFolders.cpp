#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

ProgramFolders::ProgramFolders(QString userDataDir, QString documentsDir, QString homeDir, WritableTest isWritable)
    : fUserData(QDir::cleanPath(userDataDir)),
      fDocuments(documentsDir.isEmpty() ? QString() : QDir::cleanPath(documentsDir)),
      fHome(QDir::cleanPath(homeDir)),
      fIsWritable(std::move(isWritable))
{
}

ProgramFolders ProgramFolders::forThisUser()
{
    return ProgramFolders(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
}

bool ProgramFolders::isInstalled(const QString &exeDir)
{
    return !exeDir.isEmpty() && QFileInfo(QDir(exeDir).filePath(u"../share/vimsel"_s)).isDir();
}

QString ProgramFolders::writableFolder(const QString &exeDir, Create create) const
{
    if (!exeDir.isEmpty() && !isInstalled(exeDir) && fIsWritable(exeDir))
        return QDir::cleanPath(exeDir);
    if (create == Create::Yes)
        QDir().mkpath(fUserData);
    return fUserData;
}

QString ProgramFolders::dialogStartFolder(const QString &lastUsed) const
{
    if (!lastUsed.isEmpty() && QFileInfo(lastUsed).isDir())
        return QDir::cleanPath(lastUsed);
    if (!fDocuments.isEmpty() && QFileInfo(fDocuments).isDir())
        return fDocuments;
    return fHome;
}

bool ProgramFolders::canWriteIn(const QString &dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(u".vimsel-write-test-XXXXXX"_s));
    return probe.open();
}

#include "toolchain/IdeLocation.h"

#include "shell/ProgramFolders.h"
#include "util/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

IdeLocation::IdeLocation(QString programFolder, QString writableFolder, QString pathFolder)
    : fProgramFolder(std::move(programFolder)), fWritableFolder(std::move(writableFolder)),
      fPathFolder(std::move(pathFolder))
{
}

IdeLocation IdeLocation::forThisProgram()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString onPath = QStandardPaths::findExecutable(launcherName());
    return IdeLocation(exeDir, ProgramFolders::forThisUser().writableFolder(exeDir),
                       onPath.isEmpty() ? QString() : QFileInfo(onPath).absolutePath());
}

QString IdeLocation::launcherName()
{
#ifdef Q_OS_WIN
    return u"arduino.exe"_s;
#else
    return u"arduino"_s;
#endif
}

QString IdeLocation::fileIn(const QString &folder, const QString &name)
{
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

QString IdeLocation::launcherIn(const QString &folder)
{
    return fileIn(folder, launcherName());
}

QString IdeLocation::optionsFile() const
{
    return fileIn(fWritableFolder, optionsFileName());
}

QString IdeLocation::invalidFolderMessage()
{
#ifdef Q_OS_WIN
    return u"Δεν υπάρχει το Arduino.exe σε αυτό τον κατάλογο."_s;
#else
    return u"Δεν υπάρχει το arduino σε αυτό τον κατάλογο."_s;
#endif
}

bool IdeLocation::isValidFolder(const QString &folder)
{
    if (folder.trimmed().isEmpty())
        return false;
    const QFileInfo launcher(launcherIn(folder));
#ifdef Q_OS_WIN
    return launcher.isFile();
#else
    return launcher.isFile() && launcher.isExecutable();
#endif
}

QString IdeLocation::windowDefault() const
{
    const QString beside = fileIn(fProgramFolder, u"Arduino"_s);
    if (isValidFolder(beside) || fPathFolder.isEmpty())
        return beside;
    return fPathFolder;
}

static QString storedPath(const QString &optionsFile)
{
    IniFile ini(optionsFile);
    ini.load();
    return ini.readString(u"Arduino"_s, u"Path"_s);
}

QString IdeLocation::storedOrDefault() const
{
    const QString stored = storedPath(optionsFile());
    return stored.isEmpty() ? windowDefault() : stored;
}

QString IdeLocation::ReadIdePath() const
{
    const QString stored = storedPath(optionsFile());
    if (!stored.isEmpty())
        return stored;
#ifdef Q_OS_WIN
    return u"G:\\NewApps\\Arduino\\"_s;
#else
    return fPathFolder;
#endif
}

bool IdeLocation::writePath(const QString &folder, QString *error) const
{
    IniFile ini(optionsFile());
    if (!ini.load(error))
        return false;
    ini.writeString(u"Arduino"_s, u"Path"_s, folder);
    return ini.save(error);
}

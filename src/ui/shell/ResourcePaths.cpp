#include "shell/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

#ifndef VIMSEL_SOURCE_RESOURCES
#define VIMSEL_SOURCE_RESOURCES ""
#endif

QString ResourcePaths::findDataDir(const QString &name, const QString &exeDir, const QString &sourceResources)
{
    const QDir exe(exeDir);
    const QStringList candidates = {exe.filePath(name), exe.filePath(u"../share/vimsel/"_s + name)};
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    return QDir::cleanPath(QDir(sourceResources).filePath(name));
}

QString ResourcePaths::dataDir(const QString &name)
{
    return findDataDir(name, QCoreApplication::applicationDirPath(), QStringLiteral(VIMSEL_SOURCE_RESOURCES));
}

QString ResourcePaths::imagesDir()
{
    return dataDir(u"images"_s);
}

QString ResourcePaths::sketchbookDir()
{
    const QString installed = dataDir(u"Arduino"_s);
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(QStringLiteral(VIMSEL_SOURCE_RESOURCES) + u"/../arduino"_s);
}

QString ResourcePaths::examplesDir()
{
    const QString installed = dataDir(u"examples"_s);
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(QStringLiteral(VIMSEL_SOURCE_RESOURCES) + u"/../examples"_s);
}

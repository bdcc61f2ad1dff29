#include "lessons/LessonBrowserModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

#ifndef VIMSEL_BROWSER_BUILD_DIR
#define VIMSEL_BROWSER_BUILD_DIR ""
#endif

namespace {

using Factory = QWidget *(*)(QWidget *parent);

// The browser engine refuses to start as root unless its sandbox is off; a school
// machine's single account sometimes is root.
void allowBrowserAsRoot()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

Factory loadFactory(QString *error)
{
    static Factory factory = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        allowBrowserAsRoot();
        QStringList reasons;
        for (const QString &dir : LessonBrowserModule::searchPaths(QCoreApplication::applicationDirPath())) {
            QLibrary module(QDir(dir).filePath(u"vimsel_browser"_s));
            factory = reinterpret_cast<Factory>(module.resolve("vimselCreateLessonBrowser"));
            if (factory)
                break;
            reasons << module.errorString();
        }
        if (!factory)
            failure = reasons.join(u'\n');
    }
    if (!factory && error)
        *error = failure;
    return factory;
}

} // namespace

QStringList LessonBrowserModule::searchPaths(const QString &exeDir)
{
    const QDir exe(exeDir);
    QStringList paths{QDir::cleanPath(exeDir), QDir::cleanPath(exe.filePath(u"../lib/vimsel"_s))};
    const QString built = QStringLiteral(VIMSEL_BROWSER_BUILD_DIR);
    if (!built.isEmpty() && !paths.contains(QDir::cleanPath(built)))
        paths << QDir::cleanPath(built);
    return paths;
}

QWidget *LessonBrowserModule::createBrowser(QWidget *parent, QString *error)
{
    const Factory factory = loadFactory(error);
    return factory ? factory(parent) : nullptr;
}

#include "util/ProgramModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibrary>

using namespace Qt::StringLiterals;

#ifndef VIMSEL_MODULE_BUILD_DIR
#define VIMSEL_MODULE_BUILD_DIR ""
#endif

QStringList ProgramModule::searchPaths(const QString &exeDir)
{
    const QDir exe(exeDir);
    QStringList paths{QDir::cleanPath(exeDir), QDir::cleanPath(exe.filePath(u"../lib/vimsel"_s))};
    const QString built = QStringLiteral(VIMSEL_MODULE_BUILD_DIR);
    if (!built.isEmpty() && !paths.contains(QDir::cleanPath(built)))
        paths << QDir::cleanPath(built);
    return paths;
}

QFunctionPointer ProgramModule::resolve(const QString &name, const char *symbol, QString *error)
{
    struct Found {
        QFunctionPointer function = nullptr;
        QString failure;
    };
    // Asked once per module and function: a module that is missing stays missing.
    static QHash<QString, Found> known;
    const QString key = name + u'/' + QLatin1String(symbol);
    auto it = known.find(key);
    if (it == known.end()) {
        Found found;
        QStringList reasons;
        for (const QString &dir : searchPaths(QCoreApplication::applicationDirPath())) {
            QLibrary module(QDir(dir).filePath(name));
            found.function = module.resolve(symbol);
            if (found.function)
                break;
            reasons << module.errorString();
        }
        if (!found.function)
            found.failure = reasons.join(u'\n');
        it = known.insert(key, found);
    }
    if (!it->function && error)
        *error = it->failure;
    return it->function;
}

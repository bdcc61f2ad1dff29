#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Loads the module that holds the lessons' browser (the web engine) and creates
// browsers from it. The module is looked for beside the executable, then in the
// install's library folder, then where the build put it; it is loaded once, the
// first time a browser is asked for.
class LessonBrowserModule {
public:
    // A new browser, child of parent; nullptr when the module cannot be loaded
    // (*error then says why).
    static QWidget *createBrowser(QWidget *parent, QString *error = nullptr);
    // The places looked at, in order, for an executable in exeDir.
    static QStringList searchPaths(const QString &exeDir);
};

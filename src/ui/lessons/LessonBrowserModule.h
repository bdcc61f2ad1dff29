#pragma once

#include <QString>

class QWidget;

// Loads the module that holds the lessons' browser (the web engine, see ProgramModule)
// the first time a browser is asked for, and creates browsers from it.
class LessonBrowserModule {
public:
    // A new browser, child of parent; nullptr when the module cannot be loaded
    // (*error then says why).
    static QWidget *createBrowser(QWidget *parent, QString *error = nullptr);
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One branch of the lessons tree: a category and its lessons, in the order shown.
struct LessonCategory {
    QString title;
    QStringList lessons;
};

// The fixed content of the lessons tree. The titles are also the names of the
// category folders and of the lesson documents inside them.
class LessonTree {
public:
    static const QList<LessonCategory> &categories();
};

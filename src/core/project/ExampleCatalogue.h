#pragma once

#include <QList>
#include <QString>

// The example projects shipped with the program, as "Αρχείο" → "Παραδείγματα" offers
// them: a few examples of their own, then the finished program of every lesson under
// its lesson's group and title. Files are named relative to the examples folder.
struct ExampleEntry {
    QString title;
    QString file;  // "blink/blink.vzl", "lessons/exercise-3/exercise-3.vzl"
};

struct ExampleGroup {
    QString title;  // empty for the examples that stand on their own
    QList<ExampleEntry> entries;
};

class ExampleCatalogue {
public:
    static const QList<ExampleGroup> &groups();
    // The entry of the lesson's program (category and title of the lessons tree).
    static const ExampleEntry *forLesson(const QString &category, const QString &lesson);
    // Every entry, in menu order.
    static QList<ExampleEntry> all();
};

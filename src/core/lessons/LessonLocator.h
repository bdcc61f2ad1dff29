#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Finds the document of a lesson in the lessons folder:
//   <lessons folder>/<category>/<lesson>.htm
// or, when that is missing, the same name ending in .html, .mht or .mhtml, in this
// order. A lesson without a document shows the fallback document "Error.mht" of the
// lessons folder instead.
//
// A missing category folder is created (one level, never the lessons folder itself),
// so that a teacher sees where the lesson belongs; only where the program may write:
// an installed program's lessons are read-only data.
class LessonLocator {
public:
    using WritableTest = std::function<bool(const QString &dir)>;

    explicit LessonLocator(QString lessonsFolder, WritableTest mayWrite = {});

    const QString &lessonsFolder() const { return fFolder; }
    // The path of a lesson without its extension.
    QString lessonPath(const QString &category, const QString &lesson) const;

    struct Document {
        QString pathLine;  // what the path line shows: always the ".htm" form
        QString file;      // the file to show: the lesson, or the fallback document
        bool fallback = false;
    };
    // The document for a lesson path without extension (see lessonPath). Creates the
    // category folder when it is missing and may be created.
    Document locate(const QString &pathWithoutExtension) const;

    static QStringList extensions();
    static QString fallbackName() { return QStringLiteral("Error.mht"); }

private:
    QString fFolder;
    WritableTest fMayWrite;
};

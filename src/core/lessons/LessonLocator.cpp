#include "lessons/LessonLocator.h"

#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

LessonLocator::LessonLocator(QString lessonsFolder, WritableTest mayWrite)
    : fFolder(QDir::cleanPath(lessonsFolder)),
      fMayWrite(mayWrite ? std::move(mayWrite) : WritableTest(&ProgramFolders::canWriteIn))
{
}

QString LessonLocator::lessonPath(const QString &category, const QString &lesson) const
{
    return fFolder + u'/' + category + u'/' + lesson;
}

QStringList LessonLocator::extensions()
{
    return {u".htm"_s, u".html"_s, u".mht"_s, u".mhtml"_s};
}

LessonLocator::Document LessonLocator::locate(const QString &pathWithoutExtension) const
{
    Document doc;
    doc.pathLine = pathWithoutExtension + extensions().constFirst();

    const QFileInfo lesson(doc.pathLine);
    const QDir categoryDir = lesson.dir();
    const QString lessonsDir = QFileInfo(categoryDir.absolutePath()).absolutePath();
    if (!categoryDir.exists() && QFileInfo(lessonsDir).isDir() && fMayWrite(lessonsDir))
        QDir().mkdir(categoryDir.absolutePath());

    for (const QString &ext : extensions()) {
        const QString candidate = pathWithoutExtension + ext;
        if (QFileInfo(candidate).isFile()) {
            doc.file = candidate;
            return doc;
        }
    }
    // The fallback belongs to the folder above the category, wherever that is.
    doc.file = QDir(lessonsDir).filePath(fallbackName());
    doc.fallback = true;
    return doc;
}

// The examples menu's list against what ships: every example project is offered once
// and opens, and every lesson offers the program its document shows.
#include "lessons/LessonTree.h"
#include "project/ExampleCatalogue.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kExamples = QStringLiteral(EXAMPLES_DIR);

TEST(ExampleCatalogue, OffersEveryExampleProjectOnceAndEachOpens)
{
    QStringList shipped;
    QDirIterator it(kExamples, {u"*.vzl"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        shipped << QDir(kExamples).relativeFilePath(it.next());
    shipped.sort();

    QStringList offered;
    QSet<QString> titles;
    for (const ExampleEntry &entry : ExampleCatalogue::all()) {
        offered << entry.file;
        EXPECT_FALSE(titles.contains(entry.title)) << "two entries called " << qPrintable(entry.title);
        titles.insert(entry.title);

        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt prompt;
        Project project(&measurer, &log, &prompt);
        project.buildPalette();
        const ProjectFiles::LoadResult result = ProjectFiles::loadProject(project, kExamples + u'/' + entry.file);
        EXPECT_TRUE(result.ok) << qPrintable(entry.file) << ": " << qPrintable(result.error);
        EXPECT_GT(result.blocksRead, 1) << qPrintable(entry.file);
    }
    offered.sort();
    EXPECT_EQ(offered, shipped);
}

TEST(ExampleCatalogue, EveryLessonOffersTheProgramItsDocumentShows)
{
    static const QRegularExpression marker(u"<!-- program: ([a-z0-9-]+) -->"_s);
    ASSERT_EQ(ExampleCatalogue::groups().size(), LessonTree::categories().size() + 1);
    for (const LessonCategory &category : LessonTree::categories()) {
        for (const QString &lesson : category.lessons) {
            const ExampleEntry *entry = ExampleCatalogue::forLesson(category.title, lesson);
            ASSERT_NE(entry, nullptr) << qPrintable(lesson);
            EXPECT_TRUE(entry->title.startsWith(lesson)) << qPrintable(entry->title);

            QFile document(QStringLiteral(RESOURCES_DIR "/Lessons/") + category.title + u'/' + lesson + u".htm"_s);
            ASSERT_TRUE(document.open(QIODevice::ReadOnly)) << qPrintable(document.fileName());
            const QRegularExpressionMatch m = marker.match(QString::fromUtf8(document.readAll()));
            ASSERT_TRUE(m.hasMatch()) << qPrintable(lesson);
            const QString name = m.captured(1);
            EXPECT_EQ(entry->file, u"lessons/"_s + name + u'/' + name + u".vzl"_s) << qPrintable(lesson);
        }
    }
    EXPECT_EQ(ExampleCatalogue::forLesson(u"Βασικά"_s, u"Άσκηση 9"_s), nullptr);
}

} // namespace

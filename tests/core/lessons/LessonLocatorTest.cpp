#include "lessons/LessonLocator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct LocateCase {
    const char *name;
    QStringList files;      // present in the category folder "Βασικά"
    const char *shownExt;   // the extension of the document shown; nullptr: the fallback
};

class LessonLocatorFiles : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LessonLocatorFiles, ShowsTheFirstExtensionPresentAndKeepsTheHtmPathLine)
{
    QTemporaryDir root;
    const QString lessons = root.filePath(u"Lessons"_s);
    ASSERT_TRUE(QDir().mkpath(lessons + u"/Βασικά"_s));
    for (const QString &name : GetParam().files) {
        QFile f(lessons + u"/Βασικά/"_s + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const LessonLocator locator(lessons);
    const QString lesson = locator.lessonPath(u"Βασικά"_s, u"Άσκηση 1"_s);
    const LessonLocator::Document doc = locator.locate(lesson);

    EXPECT_EQ(doc.pathLine, lessons + u"/Βασικά/Άσκηση 1.htm"_s);
    if (GetParam().shownExt) {
        EXPECT_EQ(doc.file, lesson + QString::fromUtf8(GetParam().shownExt));
        EXPECT_FALSE(doc.fallback);
    } else {
        EXPECT_EQ(doc.file, lessons + u"/Error.mht"_s);
        EXPECT_TRUE(doc.fallback);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, LessonLocatorFiles,
    ::testing::Values(LocateCase{"HtmBeforeMht", {u"Άσκηση 1.htm"_s, u"Άσκηση 1.mht"_s}, ".htm"},
                      LocateCase{"HtmlBeforeMhtml", {u"Άσκηση 1.mhtml"_s, u"Άσκηση 1.html"_s}, ".html"},
                      LocateCase{"MhtBeforeMhtml", {u"Άσκηση 1.mht"_s, u"Άσκηση 1.mhtml"_s}, ".mht"},
                      LocateCase{"OnlyMhtml", {u"Άσκηση 1.mhtml"_s}, ".mhtml"},
                      LocateCase{"OtherLessonOnly", {u"Άσκηση 2.htm"_s}, nullptr},
                      LocateCase{"OtherExtensionOnly", {u"Άσκηση 1.txt"_s, u"Άσκηση 1.pdf"_s}, nullptr}),
    [](const ::testing::TestParamInfo<LocateCase> &info) { return std::string(info.param.name); });

TEST(LessonLocator, MissingCategoryFolderIsCreatedWhereTheProgramMayWrite)
{
    QTemporaryDir root;
    const QString lessons = root.filePath(u"Lessons"_s);
    ASSERT_TRUE(QDir().mkpath(lessons));
    const LessonLocator locator(lessons);
    const LessonLocator::Document doc = locator.locate(locator.lessonPath(u"Project Απλά"_s, u"Project 2"_s));
    EXPECT_TRUE(QFileInfo(lessons + u"/Project Απλά"_s).isDir());
    EXPECT_TRUE(doc.fallback);
    EXPECT_EQ(doc.file, lessons + u"/Error.mht"_s);
    EXPECT_EQ(doc.pathLine, lessons + u"/Project Απλά/Project 2.htm"_s);
}

TEST(LessonLocator, ReadOnlyLessonsGetNoNewFolder)
{
    QTemporaryDir root;
    const QString lessons = root.filePath(u"Lessons"_s);
    ASSERT_TRUE(QDir().mkpath(lessons));
    QStringList asked;
    const LessonLocator locator(lessons, [&asked](const QString &dir) {
        asked << dir;
        return false;
    });
    const LessonLocator::Document doc = locator.locate(locator.lessonPath(u"Βασικά"_s, u"Άσκηση 3"_s));
    EXPECT_EQ(asked, QStringList{lessons});
    EXPECT_FALSE(QFileInfo::exists(lessons + u"/Βασικά"_s));
    EXPECT_EQ(doc.file, lessons + u"/Error.mht"_s);
}

TEST(LessonLocator, MissingLessonsFolderIsNotCreatedAndStillNamesTheFallback)
{
    QTemporaryDir root;
    const QString lessons = root.filePath(u"Lessons"_s);
    const LessonLocator locator(lessons);
    const LessonLocator::Document doc = locator.locate(locator.lessonPath(u"Βασικά"_s, u"Άσκηση 1"_s));
    EXPECT_FALSE(QFileInfo::exists(lessons));
    EXPECT_TRUE(doc.fallback);
    EXPECT_EQ(doc.file, lessons + u"/Error.mht"_s);
}

} // namespace

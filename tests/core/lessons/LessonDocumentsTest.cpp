// The lessons shipped with the program: one document for every title of the tree,
// with its title, plain HTML whose pictures and style sheet are beside it, and the
// program of its example project exactly as that project holds it.
#include "lessons/LessonLocator.h"
#include "lessons/LessonProgram.h"
#include "lessons/LessonTree.h"
#include "lessons/TeacherGuide.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"
#include "variables/GreekToLatin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kLessons = QStringLiteral(RESOURCES_DIR "/Lessons");

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct LessonFile {
    QString category, title;
    std::string name;  // for the test's name
};

void PrintTo(const LessonFile &lesson, std::ostream *os)
{
    *os << (lesson.category + u'/' + lesson.title).toStdString();
}

std::vector<LessonFile> allLessons()
{
    std::vector<LessonFile> out;
    for (const LessonCategory &c : LessonTree::categories())
        for (const QString &t : c.lessons) {
            std::string ascii;
            for (QChar ch : GreekToLatin(t))
                ascii += ch.isLetterOrNumber() && ch.unicode() < 128 ? char(ch.unicode()) : '_';
            out.push_back({c.title, t, ascii});
        }
    return out;
}

class LessonDocuments : public ::testing::TestWithParam<LessonFile> {
protected:
    QString file() const { return kLessons + u'/' + GetParam().category + u'/' + GetParam().title + u".htm"_s; }
};

// A document of the lessons folder: its title, plain HTML without scripts, and only
// files beside it. Returns how many pictures it shows.
int checkPlainHtml(const QString &file, const QString &title)
{
    const QString html = readText(file);
    EXPECT_FALSE(html.isEmpty()) << qPrintable(file);
    const QString escaped = title.toHtmlEscaped();
    EXPECT_TRUE(html.contains(u"<title>"_s + escaped + u"</title>"_s)) << qPrintable(file);
    EXPECT_TRUE(html.contains(u"<h1>"_s + escaped + u"</h1>"_s)) << qPrintable(file);
    EXPECT_TRUE(html.contains(u"<meta charset=\"utf-8\">"_s));
    EXPECT_TRUE(html.contains(u"<link rel=\"stylesheet\" href=\"../lesson.css\">"_s));
    EXPECT_FALSE(html.contains(u"<script"_s, Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains(u"<iframe"_s, Qt::CaseInsensitive));

    static const QRegularExpression reference(uR"re((?:src|href)\s*=\s*"([^"]*)")re"_s);
    const QDir here = QFileInfo(file).dir();
    int pictures = 0;
    for (const QRegularExpressionMatch &m : reference.globalMatch(html)) {
        const QString target = m.captured(1);
        EXPECT_FALSE(target.contains(u':'))  // no web address, no drive, no other scheme
            << qPrintable(target);
        EXPECT_FALSE(target.startsWith(u'/')) << qPrintable(target);
        EXPECT_TRUE(QFileInfo(here.filePath(target)).isFile()) << qPrintable(target) << " named by " << qPrintable(file);
        pictures += target.endsWith(u".png"_s) ? 1 : 0;
    }
    return pictures;
}

TEST_P(LessonDocuments, IsPlainHtmlWithItsTitleAndLocalFiles)
{
    EXPECT_GE(checkPlainHtml(file(), GetParam().title), 1) << "every lesson shows how things are wired";
}

TEST_P(LessonDocuments, ShowsTheProgramOfItsExampleProject)
{
    const QString html = readText(file());
    static const QRegularExpression section(u"<!-- program: ([a-z0-9-]+) -->\\n(.*?)<!-- /program -->"_s,
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = section.match(html);
    ASSERT_TRUE(m.hasMatch()) << qPrintable(file());
    const QString name = m.captured(1);
    const QString project = QStringLiteral(EXAMPLES_DIR "/lessons/") + name + u'/' + name + u".vzl"_s;

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project example(&measurer, &log, &prompt);
    ASSERT_TRUE(QFileInfo(project).isFile()) << qPrintable(project);
    ASSERT_TRUE(ProjectFiles::loadProject(example, project).ok);
    EXPECT_EQ(m.captured(2), LessonProgram::html(example)) << "run lesson-examples after changing " << qPrintable(name);
    EXPECT_TRUE(html.contains(u"<code>examples/lessons/"_s + name + u'/' + name + u".vzl</code>"_s));
}

INSTANTIATE_TEST_SUITE_P(Tree, LessonDocuments, ::testing::ValuesIn(allLessons()),
                         [](const ::testing::TestParamInfo<LessonFile> &info) { return info.param.name; });

// The teacher's guide (F1) is found where the program looks for it, and is a plain
// document as the lessons are.
TEST(LessonDocuments, TeacherGuideIsADocumentOfTheLessonsFolder)
{
    const LessonLocator locator(kLessons);
    const LessonLocator::Document doc =
        locator.locate(locator.lessonPath(TeacherGuide::category(), TeacherGuide::title()));
    ASSERT_FALSE(doc.fallback) << qPrintable(doc.file);
    checkPlainHtml(doc.file, TeacherGuide::title());
    const QString html = readText(doc.file);
    for (const QString &topic : {u"dialout"_s, u"Θέση Arduino IDE"_s, u"Port:"_s, u"Αποστολή στο Arduino"_s,
                                 u"Φόρτωση Λογισμικού στο Arduino"_s, u"Ζωντανή λειτουργία (χωρίς μεταγλώττιση)"_s,
                                 u"~/.local/share/Ombrinex/Έλεγχος συσκευών Arduino/"_s, u"Παραδείγματα"_s})
        EXPECT_TRUE(html.contains(topic)) << "the guide does not speak of " << qPrintable(topic);
}

TEST(LessonDocuments, FallbackIsAnArchiveWithCrlfLinesAndTheLessonsStyle)
{
    QFile f(kLessons + u'/' + LessonLocator::fallbackName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // The browser shows nothing of an archive with bare line feeds.
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.contains("Content-Type: multipart/related;"));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(u"<h1>Το μάθημα δεν βρέθηκε</h1>"_s));
    QString css = readText(kLessons + u"/lesson.css"_s).trimmed();
    css.replace(u"\n"_s, u"\r\n"_s);
    EXPECT_TRUE(text.contains(css)) << "run lesson-examples after changing lesson.css";
}

} // namespace

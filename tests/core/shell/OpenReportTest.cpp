#include "shell/OpenReport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct UnreadableCase {
    const char *name;
    QByteArray content;  // empty with exists false: no file at all
    bool exists;
    QString says;
};

void PrintTo(const UnreadableCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnreadableFile : public ::testing::TestWithParam<UnreadableCase> {};

// A file that gives no block is refused with what is wrong with it; the program on the
// canvas stays.
TEST_P(UnreadableFile, SaysWhatIsWrong)
{
    const UnreadableCase &c = GetParam();
    QTemporaryDir dir;
    const QString file = dir.filePath(u"φανάρι.vzl"_s);
    if (c.exists) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
    }
    const std::optional<OpenReport> report = OpenReport::make(file, false, u"Error reading"_s, 0, 0, {});
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->usable);
    EXPECT_TRUE(report->text.startsWith(c.says)) << qPrintable(report->text);
    EXPECT_TRUE(report->text.contains(u"Το πρόγραμμα που είχατε ανοιχτό έμεινε όπως ήταν."_s));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFile,
    ::testing::Values(
        UnreadableCase{"Missing", {}, false, u"Το αρχείο «φανάρι.vzl» δεν βρέθηκε: ίσως μετακινήθηκε ή σβήστηκε."_s},
        UnreadableCase{"Empty", {}, true, u"Το αρχείο «φανάρι.vzl» είναι άδειο"_s},
        UnreadableCase{"NoProject", QByteArray("\x89PNG\r\n\x1a\n", 8), true,
                       u"Το αρχείο «φανάρι.vzl» δεν είναι πρόγραμμα αυτής της εφαρμογής"_s}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

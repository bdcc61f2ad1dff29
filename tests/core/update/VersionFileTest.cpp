#include "shell/ProgramVersion.h"
#include "update/VersionFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct VersionCase {
    const char *name;
    QByteArray body;
    QString latest;
    bool offered;
};

class VersionFileCases : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionFileCases, NamesTheLatestVersionAndOffersAnyOther)
{
    const QString status = VersionFile::statusText(GetParam().body);
    const QString latest = VersionFile::latest({status});
    EXPECT_EQ(latest, GetParam().latest);
    EXPECT_EQ(VersionFile::offers(latest, ProgramVersion::comparedVersion()), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, VersionFileCases,
    ::testing::Values(
        VersionCase{"SameVersion", "latest=0.96", u"0.96"_s, false},
        VersionCase{"NewerVersion", "latest=0.97", u"0.97"_s, true},
        VersionCase{"OlderVersionToo", "latest=0.95", u"0.95"_s, true},
        // A line break after the version, as most editors save a file, is no new version.
        VersionCase{"SameVersionWithLineBreak", "latest=0.96\r\n", u"0.96"_s, false},
        VersionCase{"SameVersionWithBlanks", "latest= 0.96 \n", u"0.96"_s, false},
        VersionCase{"OnlyTheFirstLineIsTheVersion", "latest=0.97\r\nnotes=fixes", u"0.97"_s, true},
        VersionCase{"NameInAnyCase", "LATEST=0.97", u"0.97"_s, true},
        VersionCase{"OtherName", "version=0.97", QString(), false},
        VersionCase{"NotAtTheStart", "# Vimsel\r\nlatest=0.97", QString(), false},
        VersionCase{"EmptyValue", "latest=", QString(), false},
        VersionCase{"EmptyBody", "", QString(), false},
        VersionCase{"ErrorPage", "<html><body>Not Found</body></html>", QString(), false},
        // Only 40 characters count: the version is cut after "0.9".
        VersionCase{"CutAfterFortyCharacters", "latest=                              0.96", u"0.9"_s, true}),
    [](const ::testing::TestParamInfo<VersionCase> &info) { return std::string(info.param.name); });

TEST(VersionFile, ProgramComparesTheFirstFiveCharactersWithoutBlanks)
{
    EXPECT_EQ(ProgramVersion::versionText(), u"0.96 (Βήτα έκδοση 27/02/2022)"_s);
    EXPECT_EQ(ProgramVersion::comparedVersion(), u"0.96"_s);
    EXPECT_EQ(ProgramVersion::fullCaption(), u"Έλεγχος συσκευών Arduino 0.96 (Βήτα έκδοση 27/02/2022)"_s);
}

TEST(VersionFile, StatusTextIsTheFirstFortyCharacters)
{
    EXPECT_EQ(VersionFile::statusText(QByteArray(60, 'x')).size(), 40);
    // Greek Windows writes the code page of its system.
    EXPECT_EQ(VersionFile::statusText("latest=\xe1"), u"latest=α"_s);
}

} // namespace

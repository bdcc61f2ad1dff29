#include "update/InstallerDigest.h"
#include "update/TransferProgress.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// sha256 of the nine bytes "installer"
constexpr char kDigest[] = "9c0d294c05fc1d88d698034609bb81c0c69196327594e4c69d2915c80fd9850c";

TEST(InstallerDigest, PublishedTextGivesTheDigest)
{
    const QByteArray digest(kDigest);
    EXPECT_EQ(InstallerDigest::parse(digest), digest);
    EXPECT_EQ(InstallerDigest::parse(digest.toUpper() + "\r\n"), digest);
    EXPECT_EQ(InstallerDigest::parse(digest + "  MVsetup.exe\n"), digest);
    EXPECT_TRUE(InstallerDigest::parse(digest.left(63)).isEmpty());
    EXPECT_TRUE(InstallerDigest::parse(digest + "0").isEmpty());
    EXPECT_TRUE(InstallerDigest::parse("<html>Not Found</html>" + digest).isEmpty());
    EXPECT_TRUE(InstallerDigest::parse("").isEmpty());
}

TEST(InstallerDigest, FileMatchesOnlyItsOwnDigest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MVSetup.exe"_s);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("installer");
    f.close();
    EXPECT_EQ(InstallerDigest::ofFile(path), QByteArray(kDigest));
    EXPECT_TRUE(InstallerDigest::matches(path, QByteArray(kDigest).toUpper() + "  MVsetup.exe\n"));
    QByteArray other(kDigest);
    other[0] = other[0] == '0' ? '1' : '0';
    EXPECT_FALSE(InstallerDigest::matches(path, other));
    EXPECT_FALSE(InstallerDigest::matches(path, ""));
    EXPECT_FALSE(InstallerDigest::matches(dir.filePath(u"missing.exe"_s), kDigest));
}

struct ProgressCase {
    const char *name;
    qint64 announced, soFar;
    int position;  // -1: nothing shown
};

class TransferProgressCases : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(TransferProgressCases, PositionIsTheRoundedPercentage)
{
    TransferProgress progress;
    progress.begin(GetParam().announced);
    int position = -1;
    const bool shown = progress.work(GetParam().soFar, &position);
    EXPECT_EQ(shown, GetParam().position >= 0);
    EXPECT_EQ(position, GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, TransferProgressCases,
    ::testing::Values(ProgressCase{"Start", 300, 0, 0}, ProgressCase{"ThirdRoundsDown", 300, 100, 33},
                      ProgressCase{"TwoThirdsRoundUp", 300, 200, 67}, ProgressCase{"HalfRoundsUp", 200, 1, 1},
                      ProgressCase{"Done", 300, 300, 100}, ProgressCase{"MoreThanAnnounced", 300, 450, 100},
                      ProgressCase{"NoSizeAnnounced", 0, 120, -1}, ProgressCase{"UnknownSize", -1, 120, -1}),
    [](const ::testing::TestParamInfo<ProgressCase> &info) { return std::string(info.param.name); });

TEST(TransferProgress, EndForgetsTheSize)
{
    TransferProgress progress;
    progress.begin(1000);
    progress.end();
    int position = -1;
    EXPECT_FALSE(progress.work(500, &position));
    EXPECT_EQ(progress.bytesToTransfer(), 0);
}

} // namespace

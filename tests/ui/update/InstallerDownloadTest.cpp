// Downloading an installer as the Windows build does, over the network stack the
// window uses and a local https server: the digest decides whether it is started.
#include "update/LocalHttpServer.h"
#include "update/NetworkUpdateTransport.h"
#include "update/UpdateCheck.h"
#include "util/UserPrompt.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RecordingView : public UpdateCheck::View {
public:
    void clearStatus() override { status.clear(); }
    void addStatus(const QString &line) override { status << line; }
    void showProgress() override { progressShown = true; }
    void setProgress(int position, qint64 bytes) override
    {
        positions << position;
        lastBytes = bytes;
    }
    QStringList status;
    bool progressShown = false;
    QList<int> positions;
    qint64 lastBytes = 0;
};

const QByteArray kInstaller = QByteArray("MZ") + QByteArray(300 * 1024, 'v');

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  MVsetup.exe\n";
}

struct DownloadCase {
    const char *name;
    bool https;
    QByteArray published;     // the digest file; empty: none on the server
    UpdateCheck::Outcome outcome;
    QByteArrayList requested;
    QString lastStatus;
};

void PrintTo(const DownloadCase &c, std::ostream *os)
{
    *os << c.name;
}

class InstallerDownload : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(InstallerDownload, StartsOnlyAGenuineInstallerFetchedOverHttps)
{
    const DownloadCase &c = GetParam();
    LocalHttpServer server(c.https);
    // The server sets a cookie with the version file; the downloads send it back.
    server.route("version.ver", LocalHttpServer::ok("latest=0.97", {{"Set-Cookie", "visit=42; Path=/"}}));
    server.route("MVsetup.exe", LocalHttpServer::ok(kInstaller));
    if (!c.published.isEmpty())
        server.route("MVsetup.exe.sha256", LocalHttpServer::ok(c.published));

    QTemporaryDir folder;
    RecordingUserPrompt prompt;
    RecordingView view;
    QStringList started;
    NetworkUpdateTransport transport;
    UpdateCheck check({UpdateServer(server.base()), folder.path(), true, {}}, transport, prompt, view,
                      [&started](const QString &file, const QString &dir) {
                          started << file << dir;
                          return true;
                      });
    std::optional<UpdateCheck::Outcome> outcome;
    check.run([&outcome](UpdateCheck::Outcome o) { outcome = o; });
    QElapsedTimer clock;
    clock.start();
    while (!outcome && clock.elapsed() < 15000)
        QTest::qWait(10);

    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(*outcome, c.outcome);
    EXPECT_EQ(prompt.questions, QStringList{u"Υπάρχει νέα έκδοση.\r\nΠάτα OK για αναβάθμιση."_s});
    EXPECT_EQ(server.paths(), c.requested);
    EXPECT_EQ(view.status.last(), c.lastStatus);
    const QString installer = folder.filePath(u"MVSetup.exe"_s);
    for (const LocalHttpServer::Request &r : server.requests) {
        EXPECT_EQ(r.headers.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
        if (r.path != "/vimsel/version.ver")
            EXPECT_EQ(r.headers.value("cookie"), "visit=42") << r.path.constData();
    }
    if (c.outcome == UpdateCheck::Outcome::InstallerStarted) {
        EXPECT_EQ(started, (QStringList{installer, folder.path()}));
        QFile saved(installer);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(), kInstaller);
        EXPECT_TRUE(view.progressShown);
        EXPECT_EQ(view.positions.last(), 100);
        EXPECT_EQ(view.lastBytes, kInstaller.size());
        EXPECT_TRUE(check.newupdate());
    } else {
        EXPECT_TRUE(started.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(installer));
        EXPECT_FALSE(check.newupdate());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Servers, InstallerDownload,
    ::testing::Values(
        DownloadCase{"GenuineInstaller", true, digestOf(kInstaller), UpdateCheck::Outcome::InstallerStarted,
                     {"/vimsel/version.ver", "/vimsel/MVsetup.exe.sha256", "/vimsel/MVsetup.exe"},
                     u"Update Downloaded OK"_s},
        DownloadCase{"WrongDigest", true, digestOf("another installer"), UpdateCheck::Outcome::Failed,
                     {"/vimsel/version.ver", "/vimsel/MVsetup.exe.sha256", "/vimsel/MVsetup.exe"},
                     u"Το αρχείο εγκατάστασης διαγράφηκε: δεν είναι αυτό που δημοσιεύει ο διακομιστής "
                     u"(άλλο αποτύπωμα SHA-256)."_s},
        DownloadCase{"NoDigestPublished", true, {}, UpdateCheck::Outcome::Failed,
                     {"/vimsel/version.ver", "/vimsel/MVsetup.exe.sha256"}, u"HTTP/1.1 404 Not Found"_s},
        DownloadCase{"PlainHttp", false, digestOf(kInstaller), UpdateCheck::Outcome::Failed, {"/vimsel/version.ver"},
                     u"Η νέα έκδοση δεν κατέβηκε: η διεύθυνση του διακομιστή δεν είναι ασφαλής (https)."_s}),
    [](const ::testing::TestParamInfo<DownloadCase> &info) { return std::string(info.param.name); });

} // namespace

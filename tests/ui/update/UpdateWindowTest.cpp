// The update window at start-up, against a local web server: what it asks, what it
// shows, when it closes by itself and when the pupil closes it.
#include "update/LocalHttpServer.h"
#include "shell/ShellTestSupport.h"
#include "update/TfrmUpdate.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

class UpdateAtStartUp : public ShellTest {
protected:
    void setServer(const QUrl &base)
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Update]\r\nBaseUrl=" + base.toEncoded() + "\r\n");
    }
    static QStringList lines(const TfrmUpdate *update)
    {
        QStringList out;
        for (int i = 0; i < update->statusList()->count(); ++i)
            out << update->statusList()->item(i)->text();
        return out;
    }
    // Starts the program's window; the update window, shown modally on the way, is
    // handed to whileWaiting when it waits for the pupil, who then closes it.
    void start(const std::function<void(TfrmUpdate *)> &whileWaiting = {})
    {
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *update = qobject_cast<TfrmUpdate *>(QApplication::activeModalWidget());
            if (!update || !update->closeButton()->isVisible())
                return;
            poll.stop();
            if (whileWaiting)
                whileWaiting(update);
            QTest::mouseClick(update->closeButton(), Qt::LeftButton);
        });
        // Whatever goes wrong, the test does not hang.
        QTimer::singleShot(20000, [] {
            if (auto *update = qobject_cast<TfrmUpdate *>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "the update window never closed";
                update->reject();
            }
        });
        poll.start();
        window = makeWindow();
        window->show();
        QCoreApplication::processEvents();
    }
    static void expectCheckHeaders(const LocalHttpServer &server)
    {
        for (const LocalHttpServer::Request &r : server.requests) {
            EXPECT_EQ(r.headers.value("accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
            EXPECT_EQ(r.headers.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
        }
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(UpdateAtStartUp, WithoutAServerNoWindowAndNoRequest)
{
    LocalHttpServer server;
    server.route("version.ver", LocalHttpServer::ok("latest=0.97"));
    QFile options(programDir.filePath(u"Options.ini"_s));
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write("[Arduino]\r\nPath=/usr/bin\r\n[Update]\r\nBaseUrl=\r\n");
    options.close();
    start();
    EXPECT_EQ(win->findChild<TfrmUpdate *>(), nullptr);
    QTest::qWait(700);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(UpdateAtStartUp, NewVersionWaitsWithItsAddressUntilClosed)
{
    LocalHttpServer server;
    server.route("version.ver", LocalHttpServer::ok("latest=0.97"));
    setServer(server.base());
    const qint64 shownAt = server.now();
    QStringList shown;
    start([&](TfrmUpdate *update) {
        EXPECT_EQ(update->windowTitle(), u"Check New Version"_s);
        EXPECT_EQ(update->size(), QSize(529, 209));
        EXPECT_TRUE(update->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_NE(update->findChild<QLabel *>(u"Label1"_s), nullptr);
        EXPECT_EQ(update->findChild<QLabel *>(u"Label1"_s)->text(), u"Please Wait. Checking for Update..."_s);
        // Nothing is downloaded here: no progress.
        EXPECT_FALSE(update->progressBar()->isVisible());
        EXPECT_FALSE(update->byteCounter()->isVisible());
        EXPECT_EQ(update->closeButton()->text(), u"Κλείσιμο"_s);
        shown = lines(update);
    });
    const QString base = server.base().toString();
    EXPECT_EQ(shown, (QStringList{u"New Version=0.97"_s, u"Cur Version=0.96"_s,
                                  u"Είναι διαθέσιμη η νέα έκδοση 0.97 του προγράμματος."_s,
                                  u"Θα τη βρείτε στη διεύθυνση "_s + base}));
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_GE(server.requests.first().atMs - shownAt, 450) << "the check starts half a second after the window";
    expectCheckHeaders(server);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(win->findChild<TfrmUpdate *>()->isVisible());
}

struct ServerCase {
    const char *name;
    LocalHttpServer::Response version;
    UpdateCheck::Outcome outcome;
    QStringList status;  // at the end; "%BASE%" is the server's address
};

void PrintTo(const ServerCase &c, std::ostream *os)
{
    *os << c.name;
}

class UpdateServerAnswers : public UpdateAtStartUp, public ::testing::WithParamInterface<ServerCase> {};

TEST_P(UpdateServerAnswers, OffersOnlyAnotherVersionAndNeverBlocksStartUp)
{
    const ServerCase &c = GetParam();
    LocalHttpServer server;
    server.route("version.ver", c.version);
    server.route("moved.ver", LocalHttpServer::ok("latest=0.97"));
    setServer(server.base());
    QStringList waiting;
    QElapsedTimer clock;
    clock.start();
    start([&](TfrmUpdate *update) { waiting = lines(update); });

    const auto *update = win->findChild<TfrmUpdate *>();
    ASSERT_NE(update, nullptr);
    EXPECT_TRUE(update->checked());
    EXPECT_FALSE(update->isVisible());
    EXPECT_EQ(update->outcome(), c.outcome);
    QStringList expected = c.status;
    expected.replaceInStrings(u"%BASE%"_s, server.base().toString());
    EXPECT_EQ(c.outcome == UpdateCheck::Outcome::AvailableElsewhere ? waiting : lines(update), expected);
    // One request only: a redirect is not followed.
    EXPECT_EQ(server.paths(), QByteArrayList{"/vimsel/version.ver"});
    expectCheckHeaders(server);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_TRUE(window->isVisible());
    if (c.version.silent) {
        // Five seconds, give or take the coarse timers' 5 %.
        const qint64 waited = server.now() - server.requests.first().atMs;
        EXPECT_GE(waited, 4700) << "gave up too early";
        EXPECT_LT(clock.elapsed(), 9000) << "gave up too late";
    }
}

const QStringList kSame{u"New Version=0.96"_s, u"Cur Version=0.96"_s};
const QStringList kNone{u"New Version="_s, u"Cur Version=0.96"_s};

INSTANTIATE_TEST_SUITE_P(
    VersionFiles, UpdateServerAnswers,
    ::testing::Values(
        ServerCase{"SameVersion", LocalHttpServer::ok("latest=0.96"), UpdateCheck::Outcome::NoUpdate, kSame},
        // A line break after the version is the same version.
        ServerCase{"SameVersionWithLineBreak", LocalHttpServer::ok("latest=0.96\r\n"), UpdateCheck::Outcome::NoUpdate,
                   kSame},
        ServerCase{"OlderVersion", LocalHttpServer::ok("latest=0.95"), UpdateCheck::Outcome::AvailableElsewhere,
                   {u"New Version=0.95"_s, u"Cur Version=0.96"_s,
                    u"Είναι διαθέσιμη η νέα έκδοση 0.95 του προγράμματος."_s,
                    u"Θα τη βρείτε στη διεύθυνση %BASE%"_s}},
        ServerCase{"NotAVersionFile", LocalHttpServer::ok("<html><body>Vimsel</body></html>"),
                   UpdateCheck::Outcome::NoUpdate, kNone},
        ServerCase{"ServerError", {"500 Internal Server Error", {}, "latest=0.97", false},
                   UpdateCheck::Outcome::NoUpdate, kNone},
        ServerCase{"RedirectIsNotFollowed", {"302 Found", {{"Location", "/vimsel/moved.ver"}}, "", false},
                   UpdateCheck::Outcome::NoUpdate, kNone},
        ServerCase{"ServerNeverAnswers", {"200 OK", {}, "", true}, UpdateCheck::Outcome::NoUpdate, kNone}),
    [](const ::testing::TestParamInfo<ServerCase> &info) { return std::string(info.param.name); });

} // namespace

#include "update/UpdateCheck.h"
#include "update/UpdateTransport.h"
#include "util/UserPrompt.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Answers from memory, at once; an address it does not know fails as a 404 would.
class MemoryTransport : public UpdateTransport {
public:
    void get(const QUrl &url, const QString &saveAs, Progress progress, Finished finished) override
    {
        requested << url.toString();
        Reply reply;
        if (failing.contains(url.toString())) {
            reply.error = failing.value(url.toString());
        } else if (files.contains(url.toString())) {
            const QByteArray body = files.value(url.toString());
            if (progress) {
                progress(0, body.size());
                progress(body.size() / 2, body.size());
                progress(body.size(), body.size());
            }
            reply.ok = true;
            if (saveAs.isEmpty()) {
                reply.body = body;
            } else {
                QFile f(saveAs);
                EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(body);
            }
        } else {
            reply.error = u"HTTP/1.1 404 Not Found"_s;
        }
        finished(reply);
    }
    QMap<QString, QByteArray> files;
    QMap<QString, QString> failing;
    QStringList requested;
};

class RecordingView : public UpdateCheck::View {
public:
    void clearStatus() override { status.clear(); }
    void addStatus(const QString &line) override { status << line; }
    void showProgress() override { progressShown = true; }
    void setProgress(int position, qint64 bytes) override { positions << position; lastBytes = bytes; }
    QStringList status;
    bool progressShown = false;
    QList<int> positions;
    qint64 lastBytes = 0;
};

class UpdateCheckFlow : public ::testing::Test {
protected:
    static constexpr char Base[] = "https://updates.example/vimsel/";
    static QString url(const char *file) { return QString::fromLatin1(Base) + QString::fromLatin1(file); }

    void publish(const QByteArray &version, const QByteArray &installer = "MZ new installer",
                 const QByteArray &digest = {})
    {
        transport.files[url("version.ver")] = version;
        transport.files[url("MVsetup.exe")] = installer;
        transport.files[url("MVsetup.exe.sha256")] =
            digest.isNull() ? QCryptographicHash::hash(installer, QCryptographicHash::Sha256).toHex() + "  MVsetup.exe\n"
                            : digest;
    }
    UpdateCheck::Outcome run(bool downloads, const char *base = Base)
    {
        UpdateCheck::Settings settings{UpdateServer(QUrl(QString::fromLatin1(base))), folder.path(), downloads, {}};
        UpdateCheck check(settings, transport, prompt, view, [this](const QString &file, const QString &dir) {
            started << file << dir;
            return startSucceeds;
        });
        std::optional<UpdateCheck::Outcome> outcome;
        check.run([&outcome](UpdateCheck::Outcome o) { outcome = o; });
        EXPECT_TRUE(outcome.has_value());
        newupdate = check.newupdate();
        return outcome.value_or(UpdateCheck::Outcome::NoUpdate);
    }
    QString installer() const { return folder.filePath(u"MVSetup.exe"_s); }

    QTemporaryDir folder;
    MemoryTransport transport;
    RecordingUserPrompt prompt;
    RecordingView view;
    QStringList started;
    bool startSucceeds = true;
    bool newupdate = false;
};

TEST_F(UpdateCheckFlow, SameVersionEndsQuietly)
{
    publish("latest=0.96");
    EXPECT_EQ(run(true), UpdateCheck::Outcome::NoUpdate);
    EXPECT_EQ(view.status, (QStringList{u"New Version=0.96"_s, u"Cur Version=0.96"_s}));
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(transport.requested, QStringList{url("version.ver")});
}

TEST_F(UpdateCheckFlow, UnreachableServerOffersNothing)
{
    transport.failing[url("version.ver")] = u"Connection refused"_s;
    EXPECT_EQ(run(true), UpdateCheck::Outcome::NoUpdate);
    EXPECT_EQ(view.status, (QStringList{u"New Version="_s, u"Cur Version=0.96"_s}));
    EXPECT_TRUE(prompt.questions.isEmpty());
}

TEST_F(UpdateCheckFlow, DecliningDownloadsNothing)
{
    publish("latest=0.97");
    prompt.answer = UserPrompt::Answer::Cancel;
    EXPECT_EQ(run(true), UpdateCheck::Outcome::Declined);
    EXPECT_EQ(prompt.questions, QStringList{u"Υπάρχει νέα έκδοση.\r\nΠάτα OK για αναβάθμιση."_s});
    EXPECT_EQ(transport.requested, QStringList{url("version.ver")});
    EXPECT_FALSE(newupdate);
}

TEST_F(UpdateCheckFlow, GenuineInstallerIsSavedAndStarted)
{
    publish("latest=0.97", QByteArray(1000, 'i'));
    EXPECT_EQ(run(true), UpdateCheck::Outcome::InstallerStarted);
    EXPECT_TRUE(newupdate);
    EXPECT_EQ(started, (QStringList{installer(), folder.path()}));
    EXPECT_EQ(QFileInfo(installer()).size(), 1000);
    EXPECT_EQ(transport.requested, (QStringList{url("version.ver"), url("MVsetup.exe.sha256"), url("MVsetup.exe")}));
    EXPECT_EQ(view.status, (QStringList{u"New Version=0.97"_s, u"Cur Version=0.96"_s, u"Downloading File..."_s,
                                        u"Update Downloaded OK"_s}));
    EXPECT_TRUE(view.progressShown);
    EXPECT_EQ(view.positions.last(), 100);
    EXPECT_EQ(view.lastBytes, 1000);
}

TEST_F(UpdateCheckFlow, WrongDigestDeletesTheInstaller)
{
    publish("latest=0.97", "MZ tampered", QByteArray(64, 'a'));
    EXPECT_EQ(run(true), UpdateCheck::Outcome::Failed);
    EXPECT_FALSE(QFileInfo::exists(installer()));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(newupdate);
    EXPECT_TRUE(view.status.last().startsWith(u"Το αρχείο εγκατάστασης διαγράφηκε"_s)) << qPrintable(view.status.last());
}

TEST_F(UpdateCheckFlow, MissingDigestMeansNoDownload)
{
    publish("latest=0.97");
    transport.files.remove(url("MVsetup.exe.sha256"));
    EXPECT_EQ(run(true), UpdateCheck::Outcome::Failed);
    EXPECT_FALSE(transport.requested.contains(url("MVsetup.exe")));
    EXPECT_TRUE(view.status.contains(u"HTTP/1.1 404 Not Found"_s));
    EXPECT_FALSE(QFileInfo::exists(installer()));
}

TEST_F(UpdateCheckFlow, FailedDownloadLeavesNoPartialInstaller)
{
    publish("latest=0.97");
    QFile old(installer());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older installer");
    old.close();
    transport.failing[url("MVsetup.exe")] = u"Read timed out."_s;
    EXPECT_EQ(run(true), UpdateCheck::Outcome::Failed);
    EXPECT_EQ(view.status.last(), u"Read timed out."_s);
    EXPECT_FALSE(QFileInfo::exists(installer()));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(UpdateCheckFlow, PlainHttpServerNeverSuppliesAnInstaller)
{
    publish("latest=0.97");
    const char *plain = "http://updates.example/vimsel/";
    transport.files[u"http://updates.example/vimsel/version.ver"_s] = "latest=0.97";
    EXPECT_EQ(run(true, plain), UpdateCheck::Outcome::Failed);
    EXPECT_EQ(transport.requested, QStringList{u"http://updates.example/vimsel/version.ver"_s});
    EXPECT_TRUE(view.status.last().contains(u"https"_s));
    EXPECT_FALSE(QFileInfo::exists(installer()));
}

TEST_F(UpdateCheckFlow, InstallerThatDoesNotStartIsReported)
{
    publish("latest=0.97");
    startSucceeds = false;
    EXPECT_EQ(run(true), UpdateCheck::Outcome::Failed);
    EXPECT_EQ(view.status.last(), u"Δεν ξεκίνησε η εγκατάσταση της νέας έκδοσης."_s);
}

TEST_F(UpdateCheckFlow, WithoutInstallingItselfTheAddressIsShown)
{
    publish("latest=0.97");
    EXPECT_EQ(run(false), UpdateCheck::Outcome::AvailableElsewhere);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(transport.requested, QStringList{url("version.ver")});
    EXPECT_EQ(view.status, (QStringList{u"New Version=0.97"_s, u"Cur Version=0.96"_s,
                                        u"Είναι διαθέσιμη η νέα έκδοση 0.97 του προγράμματος."_s,
                                        u"Θα τη βρείτε στη διεύθυνση https://updates.example/vimsel/"_s}));
}

} // namespace

#include "update/UpdateCheck.h"

#include "shell/ProgramVersion.h"
#include "update/InstallerDigest.h"
#include "update/UpdateTransport.h"
#include "update/VersionFile.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

UpdateCheck::UpdateCheck(Settings settings, UpdateTransport &transport, UserPrompt &prompt, View &view,
                         InstallerStarter startInstaller)
    : fSettings(std::move(settings)), fTransport(transport), fPrompt(prompt), fView(view),
      fStartInstaller(std::move(startInstaller))
{
    if (fSettings.programVersion.isEmpty())
        fSettings.programVersion = ProgramVersion::comparedVersion();
}

bool UpdateCheck::installsItself()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QString UpdateCheck::updateQuestion()
{
    return u"Υπάρχει νέα έκδοση.\r\nΠάτα OK για αναβάθμιση."_s;
}

QString UpdateCheck::installerPath() const
{
    return QDir(fSettings.installerFolder).filePath(installerFileName());
}

void UpdateCheck::addStatus(const QString &line)
{
    fStatus.append(line);
    fView.addStatus(line);
}

void UpdateCheck::clearStatus()
{
    fStatus.clear();
    fView.clearStatus();
}

void UpdateCheck::onProgress(qint64 bytesSoFar, qint64 bytesTotal)
{
    if (bytesTotal > 0 && bytesTotal != fProgress.bytesToTransfer())
        fProgress.begin(bytesTotal);
    int position = 0;
    if (fProgress.work(bytesSoFar, &position))
        fView.setProgress(position, bytesSoFar);
}

void UpdateCheck::run(std::function<void(Outcome)> finished)
{
    CheckVersion([this, finished](bool offered) {
        if (!offered) {
            finished(Outcome::NoUpdate);
            return;
        }
        if (!fSettings.downloadInstaller) {
            addStatus(u"Είναι διαθέσιμη η νέα έκδοση %1 του προγράμματος."_s.arg(fLatest));
            addStatus(u"Θα τη βρείτε στη διεύθυνση %1"_s.arg(fSettings.server.address()));
            finished(Outcome::AvailableElsewhere);
            return;
        }
        if (fPrompt.askOkCancel(updateQuestion(), UserPrompt::Icon::Question) != UserPrompt::Answer::Ok) {
            finished(Outcome::Declined);
            return;
        }
        DownloadSetup(finished);
    });
}

void UpdateCheck::FetchVersionFile(std::function<void()> done)
{
    fNewUpdate = false;
    clearStatus();
    fTransport.get(
        fSettings.server.versionFile(), QString(),
        [this](qint64 soFar, qint64 total) { onProgress(soFar, total); },
        [this, done](const UpdateTransport::Reply &reply) {
            fProgress.end();
            if (reply.ok) {
                const QString text = VersionFile::statusText(reply.body);
                if (!text.isEmpty())
                    addStatus(text);
            } else {
                addStatus(reply.error);
            }
            done();
        });
}

void UpdateCheck::CheckVersion(std::function<void(bool)> done)
{
    FetchVersionFile([this, done] {
        if (fStatus.isEmpty()) {
            done(false);
            return;
        }
        fLatest = VersionFile::latest(fStatus);
        clearStatus();
        addStatus(u"New Version="_s + fLatest);
        addStatus(u"Cur Version="_s + fSettings.programVersion);
        done(VersionFile::offers(fLatest, fSettings.programVersion));
    });
}

void UpdateCheck::DownloadSetup(std::function<void(Outcome)> finished)
{
    if (!fSettings.server.isSecure()) {
        addStatus(u"Η νέα έκδοση δεν κατέβηκε: η διεύθυνση του διακομιστή δεν είναι ασφαλής (https)."_s);
        finished(Outcome::Failed);
        return;
    }
    fView.showProgress();
    addStatus(u"Downloading File..."_s);
    // The digest first: without one there is no point in downloading the installer.
    fTransport.get(fSettings.server.installerDigest(), QString(), {},
                   [this, finished](const UpdateTransport::Reply &reply) {
                       if (!reply.ok || InstallerDigest::parse(reply.body).isEmpty()) {
                           addStatus(u"Η νέα έκδοση δεν κατέβηκε: ο διακομιστής δεν δίνει το αποτύπωμα SHA-256 "
                                     u"του αρχείου εγκατάστασης."_s);
                           if (!reply.ok)
                               addStatus(reply.error);
                           finished(Outcome::Failed);
                           return;
                       }
                       downloadInstaller(reply.body, finished);
                   });
}

void UpdateCheck::downloadInstaller(const QByteArray &publishedDigest, std::function<void(Outcome)> finished)
{
    const QString file = installerPath();
    fTransport.get(
        fSettings.server.installer(), file,
        [this](qint64 soFar, qint64 total) { onProgress(soFar, total); },
        [this, file, publishedDigest, finished](const UpdateTransport::Reply &reply) {
            fProgress.end();
            if (!reply.ok) {
                // What arrived of the installer is of no use.
                QFile::remove(file);
                addStatus(reply.error);
                finished(Outcome::Failed);
                return;
            }
            if (!InstallerDigest::matches(file, publishedDigest)) {
                QFile::remove(file);
                addStatus(u"Το αρχείο εγκατάστασης διαγράφηκε: δεν είναι αυτό που δημοσιεύει ο διακομιστής "
                          u"(άλλο αποτύπωμα SHA-256)."_s);
                finished(Outcome::Failed);
                return;
            }
            addStatus(u"Update Downloaded OK"_s);
            fNewUpdate = true;
            if (!fStartInstaller || !fStartInstaller(file, fSettings.installerFolder)) {
                addStatus(u"Δεν ξεκίνησε η εγκατάσταση της νέας έκδοσης."_s);
                finished(Outcome::Failed);
                return;
            }
            finished(Outcome::InstallerStarted);
        });
}

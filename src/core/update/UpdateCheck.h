#pragma once

#include "update/TransferProgress.h"
#include "update/UpdateServer.h"

#include <QString>
#include <QStringList>

#include <functional>

class UpdateTransport;
class UserPrompt;

// The check for a newer version at start-up. It fetches the server's version file
// and compares the version it names with the program's own; when they differ:
// - where the program installs itself (Windows), it asks whether to update and, on
//   OK, downloads the installer and its published SHA-256 digest over https, starts
//   the installer when the digests match (deleting it otherwise) and has the program
//   end;
// - elsewhere (a distribution updates its packages itself) nothing is downloaded: the
//   status list says which version is available and where to get it.
// Everything it has to say goes to the window's status list; nothing blocks, every
// step continues when its request answers.
class UpdateCheck {
public:
    enum class Outcome {
        NoUpdate,            // the same version, or no answer: the window closes
        Declined,            // the pupil did not want the update
        Failed,              // the installer was not downloaded, not genuine or not started
        InstallerStarted,    // the program ends now
        AvailableElsewhere,  // the status list says where the new version is
    };

    // What the update window shows.
    class View {
    public:
        virtual ~View() = default;
        virtual void clearStatus() = 0;
        virtual void addStatus(const QString &line) = 0;
        // The progress bar and the byte counter appear when a download starts.
        virtual void showProgress() = 0;
        virtual void setProgress(int position, qint64 bytesSoFar) = 0;
    };

    // Starts the downloaded installer in its folder; false when it could not start.
    using InstallerStarter = std::function<bool(const QString &installer, const QString &folder)>;

    struct Settings {
        UpdateServer server;
        QString installerFolder;                  // where "MVSetup.exe" is saved
        bool downloadInstaller = installsItself();
        QString programVersion;                   // empty: ProgramVersion::comparedVersion()
    };

    UpdateCheck(Settings settings, UpdateTransport &transport, UserPrompt &prompt, View &view,
                InstallerStarter startInstaller);

    // Whether this build installs new versions itself (Windows).
    static bool installsItself();
    static QString installerFileName() { return QStringLiteral("MVSetup.exe"); }
    static QString updateQuestion();

    // The whole check, once; finished tells how it ended.
    void run(std::function<void(Outcome)> finished);
    // Fetches the version file and tells whether an update is offered. The status
    // list holds "New Version=…" and "Cur Version=…" afterwards.
    void CheckVersion(std::function<void(bool offered)> done);

    // An installer was downloaded and found genuine in this check.
    bool newupdate() const { return fNewUpdate; }
    // The server's version, once known.
    const QString &latest() const { return fLatest; }
    QString installerPath() const;

private:
    void FetchVersionFile(std::function<void()> done);
    void DownloadSetup(std::function<void(Outcome)> finished);
    void downloadInstaller(const QByteArray &publishedDigest, std::function<void(Outcome)> finished);
    void addStatus(const QString &line);
    void clearStatus();
    void onProgress(qint64 bytesSoFar, qint64 bytesTotal);

    Settings fSettings;
    UpdateTransport &fTransport;
    UserPrompt &fPrompt;
    View &fView;
    InstallerStarter fStartInstaller;
    QStringList fStatus;  // the status list's lines, as the view shows them
    TransferProgress fProgress;
    bool fNewUpdate = false;
    QString fLatest;
};

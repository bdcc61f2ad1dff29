#pragma once

#include "update/UpdateCheck.h"
#include "update/UpdateTransport.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class UserPrompt;

// "Check New Version": shown modally at start-up when an update server is set. Half
// a second after it appears it asks the server (UpdateCheck) and closes by itself,
// unless it has something for the pupil to read (where to get a new version, why it
// was not installed): then a button closes it.
class TfrmUpdate : public QDialog, private UpdateCheck::View {
    Q_OBJECT
public:
    // installerFolder: where a downloaded installer is saved (the writable folder).
    // Without a transport the window uses the network.
    TfrmUpdate(const UpdateServer &server, const QString &installerFolder, UserPrompt &prompt,
               QWidget *parent = nullptr, std::unique_ptr<UpdateTransport> transport = {});
    ~TfrmUpdate() override;

    static constexpr int StartDelayMs = 500;

    // How the last check ended; NoUpdate until one has.
    UpdateCheck::Outcome outcome() const { return fOutcome; }
    bool checked() const { return fChecked; }

    QListWidget *statusList() const { return fStatus; }
    QProgressBar *progressBar() const { return fProgress; }
    QLabel *byteCounter() const { return fBytes; }
    QPushButton *closeButton() const { return fClose; }

signals:
    void checkFinished(UpdateCheck::Outcome outcome);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void runCheck();
    void finish(UpdateCheck::Outcome outcome);

    void clearStatus() override;
    void addStatus(const QString &line) override;
    void showProgress() override;
    void setProgress(int position, qint64 bytesSoFar) override;

    QLabel *fWait = nullptr;
    QListWidget *fStatus = nullptr;
    QProgressBar *fProgress = nullptr;
    QLabel *fBytes = nullptr;
    QPushButton *fCheck = nullptr;
    QPushButton *fClose = nullptr;
    QTimer *fTimer = nullptr;
    std::unique_ptr<UpdateCheck> fUpdateCheck;
    // Declared after the check, so that it goes first: its requests never answer a
    // check that is gone.
    std::unique_ptr<UpdateTransport> fTransport;
    UpdateCheck::Outcome fOutcome = UpdateCheck::Outcome::NoUpdate;
    bool fChecked = false;
};

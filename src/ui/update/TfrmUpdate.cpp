#include "update/TfrmUpdate.h"

#include "update/NetworkUpdateTransport.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The installer opens as the desktop opens a document: on Windows the shell's
// "open" verb, elevated by the installer itself when it needs to.
bool startInstaller(const QString &installer, const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(installer));
#else
    return QProcess::startDetached(installer, {}, folder);
#endif
}

} // namespace

TfrmUpdate::TfrmUpdate(const UpdateServer &server, const QString &installerFolder, UserPrompt &prompt,
                       QWidget *parent, std::unique_ptr<UpdateTransport> transport)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"frmUpdate"_s);
    setWindowTitle(u"Check New Version"_s);
    setFixedSize(529, 209);

    fWait = new QLabel(u"Please Wait. Checking for Update..."_s, this);
    fWait->setObjectName(u"Label1"_s);
    QFont waitFont(u"Tahoma"_s, 16);
    waitFont.setBold(true);
    fWait->setFont(waitFont);
    fWait->setStyleSheet(u"color: green;"_s);

    fStatus = new QListWidget(this);
    fStatus->setObjectName(u"ListBox1"_s);
    fStatus->setWordWrap(true);

    fProgress = new QProgressBar(this);
    fProgress->setObjectName(u"ProgressBar1"_s);
    fProgress->setRange(0, 100);
    fProgress->setValue(0);
    fProgress->hide();
    fBytes = new QLabel(u"0"_s, this);
    fBytes->setObjectName(u"lblBytes"_s);
    fBytes->setMinimumWidth(90);
    fBytes->hide();

    // The check runs by itself; its button is never shown.
    fCheck = new QPushButton(u"Check"_s, this);
    fCheck->setObjectName(u"btnCheck"_s);
    fCheck->hide();
    connect(fCheck, &QPushButton::clicked, this, &TfrmUpdate::runCheck);
    fClose = new QPushButton(u"Κλείσιμο"_s, this);
    fClose->setObjectName(u"btnClose"_s);
    fClose->hide();
    connect(fClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(fProgress, 1);
    progressRow->addWidget(fBytes);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(fCheck);
    buttons->addWidget(fClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fWait);
    layout->addWidget(fStatus, 1);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);

    fTimer = new QTimer(this);
    fTimer->setObjectName(u"Timer1"_s);
    fTimer->setSingleShot(true);
    fTimer->setInterval(StartDelayMs);
    connect(fTimer, &QTimer::timeout, this, [this] {
        fTimer->stop();
        runCheck();
    });

    if (!transport)
        transport = std::make_unique<NetworkUpdateTransport>();
    UpdateCheck::Settings settings;
    settings.server = server;
    settings.installerFolder = installerFolder;
    UpdateCheck::View &view = *this;
    fUpdateCheck = std::make_unique<UpdateCheck>(settings, *transport, prompt, view, &startInstaller);
    fTransport = std::move(transport);
}

TfrmUpdate::~TfrmUpdate()
{
    fTransport.reset();
}

void TfrmUpdate::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    fTimer->start();
}

void TfrmUpdate::runCheck()
{
    fClose->hide();
    fUpdateCheck->run([this](UpdateCheck::Outcome outcome) { finish(outcome); });
}

void TfrmUpdate::finish(UpdateCheck::Outcome outcome)
{
    fOutcome = outcome;
    fChecked = true;
    emit checkFinished(outcome);
    // The address of a new version, or why the one the pupil asked for was not
    // installed, stays until the pupil has read it.
    if (outcome == UpdateCheck::Outcome::AvailableElsewhere || outcome == UpdateCheck::Outcome::Failed) {
        fClose->show();
        fClose->setFocus();
        return;
    }
    accept();
}

void TfrmUpdate::clearStatus()
{
    fStatus->clear();
}

void TfrmUpdate::addStatus(const QString &line)
{
    fStatus->addItem(line);
    fStatus->scrollToBottom();
}

void TfrmUpdate::showProgress()
{
    fProgress->show();
    fBytes->show();
}

void TfrmUpdate::setProgress(int position, qint64 bytesSoFar)
{
    fProgress->setValue(position);
    fBytes->setText(QString::number(bytesSoFar));
    fBytes->repaint();
}

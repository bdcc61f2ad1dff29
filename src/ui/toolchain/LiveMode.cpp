#include "toolchain/LiveMode.h"

#include "project/Project.h"
#include "serial/LiveConnection.h"
#include "serial/PortPermissionHelp.h"
#include "serial/SerialPortLink.h"
#include "toolchain/FirmwarePanel.h"
#include "toolchain/LiveModeOption.h"
#include "util/TimerClock.h"
#include "util/UserPrompt.h"

#include <QAction>
#include <QProgressDialog>
#include <QTimer>

LiveMode::LiveMode(Window window) : QObject(window.widget), fWindow(std::move(window))
{
    fConnection = std::make_unique<LiveConnection>(std::make_unique<SerialPortLink>(), std::make_unique<TimerClock>(),
                                                   fWindow.log, fWindow.prompt);
    fConnection->setEvents({[this](int sent, int total) {
                                if (!fProgress)
                                    return;
                                fProgress->setMaximum(qMax(1, total));
                                fProgress->setValue(sent);
                            },
                            [this](bool) {
                                // Off the screen before any message about the transfer
                                // shows. Deleted later: the end may come while the dialog
                                // itself runs the event loop (it does so in setValue).
                                if (fProgress) {
                                    fProgress->hide();
                                    fProgress->deleteLater();
                                }
                                fProgress = nullptr;
                                fWindow.acConnect->setEnabled(true);
                                fWindow.acStop->setEnabled(true);
                                if (!fConnection->isOpen())
                                    fLease.reset();
                            },
                            [this](const FirmwareLine &line) {
                                if (fWindow.showStatus)
                                    fWindow.showStatus(line.text);
                                if (line.problem && fWindow.prompt)
                                    QTimer::singleShot(0, this, [this, text = line.text] {
                                        fWindow.prompt->showMessage(text, UserPrompt::Icon::Warning);
                                    });
                            },
                            [this](const QString &blockName) {
                                if (fWindow.showRunningBlock)
                                    fWindow.showRunningBlock(blockName);
                            }});
    connect(fWindow.acConnect, &QAction::triggered, this, &LiveMode::send);
    connect(fWindow.acStop, &QAction::triggered, this, &LiveMode::stop);
    if (fWindow.placeFirmwarePanel) {
        fFirmware = new FirmwarePanel({fWindow.boardFamily, fWindow.port, fWindow.firmwareFolder, fWindow.owner,
                                       fWindow.access, fWindow.optionsFile},
                                      fWindow.log, fWindow.prompt);
        fWindow.placeFirmwarePanel(fFirmware);
    }
    applyOption();
}

LiveMode::~LiveMode() = default;

void LiveMode::applyOption()
{
    const bool on = LiveModeOption::read(fWindow.optionsFile);
    fWindow.connectButton->setVisible(on);
    fWindow.stopButton->setVisible(on);
    if (fFirmware)
        fFirmware->setVisible(on);
    if (!on)
        releasePort();
}

bool LiveMode::releasePort()
{
    if (!fConnection->releasePort())
        return false;
    fLease.reset();
    return true;
}

void LiveMode::portChanged(const QString &port)
{
    if (fLease && fLease->port() != port)
        releasePort();
}

bool LiveMode::offered() const
{
    return fWindow.connectButton->isVisible();
}

bool LiveMode::busy() const
{
    return fConnection->busy();
}

void LiveMode::send()
{
    if (fConnection->busy())
        return;
    Project &project = *fWindow.project;
    TKeloBlock *start = project.workspace().findStartBlock();
    const QString port = fWindow.port();
    // What stops a transfer before it starts is said at once, with no progress shown.
    if (!start) {
        fWindow.prompt->showMessage(LiveConnection::noStartBlockMessage(), UserPrompt::Icon::Warning);
        return;
    }
    if (port.isEmpty()) {
        fWindow.prompt->showMessage(LiveConnection::openFailedMessage(port), UserPrompt::Icon::Error);
        return;
    }
    if (const QString denied = PortPermissionHelp::check(fWindow.access, port); !denied.isEmpty()) {
        fWindow.prompt->showMessage(denied, UserPrompt::Icon::Warning);
        return;
    }
    if (fLease && fLease->port() != port)
        releasePort();
    if (!fLease && fWindow.owner) {
        PortUse holder = PortUse::Upload;
        // Between transfers the port is given up to whoever asks for it.
        fLease = fWindow.owner->take(port, PortUse::Live, [this] {
            if (!fConnection->releasePort())
                return false;
            fLease.reset();
            return true;
        }, &holder);
        if (!fLease) {
            fWindow.prompt->showMessage(portInUseMessage(holder, port), UserPrompt::Icon::Warning);
            return;
        }
    }
    std::optional<LiveProgram> program = LiveProgram::encode(start, project.devices(), project.variables());
    fProgress = new QProgressDialog(progressText(), QString(), 0, qMax(1, program->blockRecords), fWindow.widget);
    fProgress->setObjectName(QStringLiteral("LiveProgress"));
    fProgress->setWindowModality(Qt::WindowModal);
    fProgress->setMinimumDuration(0);
    fProgress->setAutoClose(false);
    fProgress->setAutoReset(false);
    fProgress->setValue(0);
    fWindow.acConnect->setEnabled(false);
    fWindow.acStop->setEnabled(false);
    fConnection->acConnectExecute(std::move(program), port);
}

void LiveMode::stop()
{
    fConnection->acStopExecute();
}

void LiveMode::resetOnClose()
{
    fConnection->resetOnClose();
}

#include "toolchain/LiveMode.h"

#include "project/Project.h"
#include "serial/LiveConnection.h"
#include "serial/SerialPortLink.h"
#include "toolchain/FirmwarePanel.h"
#include "toolchain/LiveModeOption.h"
#include "util/TimerClock.h"

#include <QAction>
#include <QProgressDialog>

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
                                if (fProgress)
                                    fProgress->deleteLater();
                                fProgress = nullptr;
                                fWindow.acConnect->setEnabled(true);
                                fWindow.acStop->setEnabled(true);
                            }});
    connect(fWindow.acConnect, &QAction::triggered, this, &LiveMode::send);
    connect(fWindow.acStop, &QAction::triggered, this, &LiveMode::stop);
    if (fWindow.placeFirmwarePanel) {
        fFirmware = new FirmwarePanel({fWindow.boardFamily, fWindow.port, fWindow.firmwareFolder}, fWindow.log,
                                      fWindow.prompt);
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
    std::optional<LiveProgram> program;
    if (start)
        program = LiveProgram::encode(start, project.devices(), project.variables());
    fProgress = new QProgressDialog(progressText(), QString(), 0, program ? qMax(1, program->blockRecords) : 1,
                                    fWindow.widget);
    fProgress->setObjectName(QStringLiteral("LiveProgress"));
    fProgress->setWindowModality(Qt::WindowModal);
    fProgress->setMinimumDuration(0);
    fProgress->setAutoClose(false);
    fProgress->setAutoReset(false);
    fProgress->setValue(0);
    fWindow.acConnect->setEnabled(false);
    fWindow.acStop->setEnabled(false);
    fConnection->acConnectExecute(std::move(program), fWindow.port());
}

void LiveMode::stop()
{
    fConnection->acStopExecute();
}

void LiveMode::resetOnClose()
{
    fConnection->resetOnClose();
}

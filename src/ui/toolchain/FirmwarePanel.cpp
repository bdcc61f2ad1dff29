#include "toolchain/FirmwarePanel.h"

#include "serial/PortPermissionHelp.h"
#include "toolchain/FirmwareBurn.h"
#include "toolchain/IdeRunner.h"
#include "toolchain/RunLimits.h"
#include "util/TimerClock.h"
#include "util/UserPrompt.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FirmwarePanel::FirmwarePanel(Board board, DebugLog *log, UserPrompt *prompt, QWidget *parent)
    : QWidget(parent), fBoard(std::move(board)), fClock(std::make_unique<TimerClock>()),
      fRunner(std::make_unique<ProcessIdeRunner>()),
      fBurn(std::make_unique<FirmwareBurn>(*fRunner, *fClock, *log, *prompt)), fPrompt(prompt)
{
    setObjectName(u"FirmwarePanel"_s);
    fButton = new QPushButton(buttonText(), this);
    fButton->setObjectName(u"btBurn"_s);
    fCancel = new QPushButton(u"Ακύρωση"_s, this);
    fCancel->setObjectName(u"btBurnCancel"_s);
    fCancel->setAccessibleName(u"Ακύρωση εγγραφής λογισμικού"_s);
    fCancel->hide();
    fMemo = new QPlainTextEdit(this);
    fMemo->setObjectName(u"Memo1"_s);
    fMemo->setReadOnly(true);
    fMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fMemo->setPlainText(u"Το Arduino Nano θα πρέπει να έχει τον Loader του Arduino Uno. \n"
                        u"Έτσι αυξάνει η χωρητικότητά του και  η ταχύτητα που γράφονται τα script.\n"_s);
    fMemo->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(fButton, 1);
    buttons->addWidget(fCancel);
    layout->addLayout(buttons);
    layout->addWidget(fMemo);
    connect(fButton, &QPushButton::clicked, this, &FirmwarePanel::BurnFirmware);
    connect(fCancel, &QPushButton::clicked, this, &FirmwarePanel::cancel);
}

bool FirmwarePanel::running() const
{
    return fBurn->running();
}

void FirmwarePanel::cancel()
{
    fBurn->cancel();
}

FirmwarePanel::~FirmwarePanel() = default;

void FirmwarePanel::BurnFirmware()
{
    if (fBurn->running())
        return;
    FirmwareBurn::Settings settings;
    settings.firmwareFolder = fBoard.firmwareFolder;
    settings.boardFamily = fBoard.family();
    settings.port = fBoard.port();
    if (!fBoard.optionsFile.isEmpty())
        settings.limits = RunLimits::read(fBoard.optionsFile);
    if (!settings.port.isEmpty()) {
        if (const QString denied = PortPermissionHelp::check(fBoard.access, settings.port); !denied.isEmpty()) {
            fPrompt->showMessage(denied, UserPrompt::Icon::Warning);
            return;
        }
        if (fBoard.owner) {
            PortUse holder = PortUse::Live;
            fLease = fBoard.owner->take(settings.port, PortUse::Burn, {}, &holder);
            if (!fLease) {
                fPrompt->showMessage(portInUseMessage(holder, settings.port), UserPrompt::Icon::Warning);
                return;
            }
        }
    }
    if (!settings.port.isEmpty()) {
        // Up to 500 pixels of the room the page has: a fixed height would make the
        // window taller than the screen of a small laptop.
        fMemo->show();
        fMemo->setMaximumHeight(500);
    }
    const auto append = [this](const QString &text) {
        fMemo->moveCursor(QTextCursor::End);
        fMemo->insertPlainText(text);
        fMemo->verticalScrollBar()->setValue(fMemo->verticalScrollBar()->maximum());
    };
    FirmwareBurn::Sink sink;
    sink.appendLine = [append](const QString &line) { append(line + u'\n'); };
    sink.appendText = append;
    sink.done = [this](bool) {
        fLease.reset();
        fButton->setEnabled(true);
        fCancel->hide();
    };
    if (fBurn->BurnFirmware(settings, std::move(sink)) && fBurn->running()) {
        fButton->setEnabled(false);
        fCancel->show();
    } else if (!fBurn->running()) {
        fLease.reset();
    }
}

#include "toolchain/FirmwarePanel.h"

#include "toolchain/FirmwareBurn.h"
#include "toolchain/IdeRunner.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FirmwarePanel::FirmwarePanel(Board board, DebugLog *log, UserPrompt *prompt, QWidget *parent)
    : QWidget(parent), fBoard(std::move(board)), fRunner(std::make_unique<ProcessIdeRunner>()),
      fBurn(std::make_unique<FirmwareBurn>(*fRunner, *log, *prompt))
{
    setObjectName(u"FirmwarePanel"_s);
    fButton = new QPushButton(buttonText(), this);
    fButton->setObjectName(u"btBurn"_s);
    fMemo = new QPlainTextEdit(this);
    fMemo->setObjectName(u"Memo1"_s);
    fMemo->setReadOnly(true);
    fMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fMemo->setPlainText(u"Το Arduino Nano θα πρέπει να έχει τον Loader του Arduino Uno. \n"
                        u"Έτσι αυξάνει η χωρητικότητά του και  η ταχύτητα που γράφονται τα script.\n"_s);
    fMemo->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fButton);
    layout->addWidget(fMemo);
    connect(fButton, &QPushButton::clicked, this, &FirmwarePanel::BurnFirmware);
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
    sink.done = [this](bool) { fButton->setEnabled(true); };
    if (fBurn->BurnFirmware(settings, std::move(sink)) && fBurn->running())
        fButton->setEnabled(false);
}

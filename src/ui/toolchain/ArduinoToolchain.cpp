#include "toolchain/ArduinoToolchain.h"

#include "shell/ResourcePaths.h"
#include "toolchain/IdeCommandLine.h"
#include "toolchain/IdeDebugSetting.h"
#include "serial/PortPermissionHelp.h"
#include "toolchain/IdeRunner.h"
#include "toolchain/RunLimits.h"
#include "toolchain/SketchUpload.h"
#include "toolchain/TfrmOptions.h"
#include "util/TimerClock.h"
#include "util/UserPrompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextCursor>

using namespace Qt::StringLiterals;

ArduinoToolchain::ArduinoToolchain(QWidget *window, UserPrompt *prompt, const QString &writableFolder,
                                   QPlainTextEdit *codeView, Board board)
    : QObject(window), fWindow(window), fPrompt(prompt), fWritableFolder(writableFolder), fCodeView(codeView),
      fBoard(std::move(board)), fClock(std::make_unique<TimerClock>()), fRunner(std::make_unique<ProcessIdeRunner>()),
      fUpload(std::make_unique<SketchUpload>(*fRunner, *fClock))
{
    fOptions = new TfrmOptions(location(), prompt, window);
}

ArduinoToolchain::~ArduinoToolchain() = default;

IdeLocation ArduinoToolchain::location() const
{
    const QString onPath = QStandardPaths::findExecutable(IdeLocation::launcherName());
    return IdeLocation(QCoreApplication::applicationDirPath(), fWritableFolder,
                       onPath.isEmpty() ? QString() : QFileInfo(onPath).absolutePath());
}

void ArduinoToolchain::EnsureIdeDebugSetting()
{
    IdeDebugSetting::ensure(location().ReadIdePath());
}

QString ArduinoToolchain::installMessage()
{
    return u"Θα πρέπει να εγκαταστήσετε το Arduino IDE και τις απαραίτητες βιβλιοθήκες\r\n"
           u"Για οδηγίες πηγαίνετε στην ιστοσελίδα https://www.arduino.cc/en/software."_s;
}

void ArduinoToolchain::checkIdePath()
{
    fOptions->FormShow();
    if (fOptions->chkArduinoPathValid(false))
        return;
    if (fOptions->exec() != QDialog::Accepted && fPrompt)
        fPrompt->showMessage(installMessage(), UserPrompt::Icon::Warning);
}

void ArduinoToolchain::showOptions()
{
    fOptions->exec();
    EnsureIdeDebugSetting();
}

bool ArduinoToolchain::running() const
{
    return fUpload->running();
}

void ArduinoToolchain::cancel()
{
    fUpload->cancel();
}

void ArduinoToolchain::sendToBoard(const QString &sketch, const QStringList &lineBlocks)
{
    if (running() || !fPrompt)
        return;
    if (fPrompt->askYesNo(u"Να σταλεί στο Arduino;"_s) != UserPrompt::Answer::Yes)
        return;
    run(sketch, lineBlocks, QString(), false);
}

void ArduinoToolchain::checkSketch(const QString &sketch, const QStringList &lineBlocks)
{
    if (running())
        return;
    run(sketch, lineBlocks, QString(), true);
}

void ArduinoToolchain::run(const QString &sketch, const QStringList &lineBlocks, const QString &boardOverride,
                           bool checkOnly)
{
    fChecking = checkOnly;
    SketchUpload::Settings settings;
    settings.writableFolder = fWritableFolder;
    settings.ideFolder = location().ReadIdePath();
    settings.boardTypeId = fBoard.boardTypeId ? fBoard.boardTypeId() : 0;
    settings.boardIdentifier = boardOverride;
    // A check touches no port.
    settings.port = fBoard.port && !checkOnly ? fBoard.port() : QString();
    settings.checkOnly = checkOnly;
    settings.sketchbook = ResourcePaths::sketchbookDir();
    settings.limits = RunLimits::read(location().optionsFile());
    fRunner->setEnvironment(RunLimits::ideEnvironment(QProcessEnvironment::systemEnvironment()));
    if (!settings.port.isEmpty()) {
        // Said before anything runs: the IDE would only fail on it after compiling.
        if (const QString denied = PortPermissionHelp::check(fBoard.access, settings.port); !denied.isEmpty()) {
            if (fPrompt)
                fPrompt->showMessage(denied, UserPrompt::Icon::Warning);
            return;
        }
        if (fBoard.owner) {
            PortUse holder = PortUse::Live;
            fLease = fBoard.owner->take(settings.port, PortUse::Upload, {}, &holder);
            if (!fLease) {
                if (fPrompt)
                    fPrompt->showMessage(portInUseMessage(holder, settings.port), UserPrompt::Icon::Warning);
                return;
            }
        }
    }

    SketchUpload::Sink sink;
    sink.appendLine = [this](const QString &line) {
        fCodeView->moveCursor(QTextCursor::End);
        const QString text = fCodeView->toPlainText();
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            fCodeView->insertPlainText(u"\n"_s);
        fCodeView->insertPlainText(line + u'\n');
        fCodeView->verticalScrollBar()->setValue(fCodeView->verticalScrollBar()->maximum());
    };
    sink.appendText = [this](const QString &text) {
        fCodeView->moveCursor(QTextCursor::End);
        QString t = text;
        t.replace(u"\r\n"_s, u"\n"_s);
        fCodeView->insertPlainText(t);
        fCodeView->verticalScrollBar()->setValue(fCodeView->verticalScrollBar()->maximum());
    };
    sink.done = [this, sketch, lineBlocks, boardOverride, checkOnly](const BuildReport &report) {
        fLease.reset();
        emit runningChanged(false);
        emit finished(report);
        // A Nano that does not answer may carry the old bootloader: offer that once.
        if (!checkOnly && boardOverride.isEmpty() && report.mayBeOldNano() && fBoard.boardTypeId && fBoard.boardTypeId() == 1
            && fPrompt
            && fPrompt->askYesNo(u"Η πλακέτα δεν απάντησε. Να γίνει νέα προσπάθεια για Arduino Nano με τον "
                                 u"παλιό bootloader;"_s)
                   == UserPrompt::Answer::Yes)
            run(sketch, lineBlocks, IdeCommandLine::oldNanoIdentifier(), false);
    };
    QString error;
    if (!fUpload->start(sketch, lineBlocks, settings, sink, &error)) {
        fLease.reset();
        if (fPrompt)
            fPrompt->showMessage(error, UserPrompt::Icon::Error);
        return;
    }
    if (fUpload->running())
        emit runningChanged(true);
}

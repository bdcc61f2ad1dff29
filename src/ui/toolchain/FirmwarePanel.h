#pragma once

#include "serial/SerialPortOwner.h"

#include <QWidget>
#include <functional>
#include <memory>

class DebugLog;
class FirmwareBurn;
class PortAccess;
class ProcessIdeRunner;
class QPlainTextEdit;
class TimerClock;
class QPushButton;
class UserPrompt;

// The bottom of the board page in live mode: "Φόρτωση Λογισμικού στο Arduino" writes
// the interpreter firmware onto the board with avrdude, whose output shows below it;
// "Ακύρωση" beside it ends avrdude.
class FirmwarePanel : public QWidget {
    Q_OBJECT
public:
    struct Board {
        std::function<QString()> family;  // "Uno" or "Mega"
        std::function<QString()> port;    // empty when none is chosen
        QString firmwareFolder;
        SerialPortOwner *owner = nullptr;    // who else uses the port
        const PortAccess *access = nullptr;  // whether the user may open it
        QString optionsFile;                 // how long avrdude may go without progress
    };

    FirmwarePanel(Board board, DebugLog *log, UserPrompt *prompt, QWidget *parent = nullptr);
    ~FirmwarePanel() override;

    static QString buttonText() { return QStringLiteral("Φόρτωση Λογισμικού στο Arduino"); }
    QPushButton *button() const { return fButton; }
    // "Ακύρωση", shown while avrdude runs.
    QPushButton *cancelButton() const { return fCancel; }
    bool running() const;
    void cancel();
    QPlainTextEdit *output() const { return fMemo; }

    void BurnFirmware();

private:
    Board fBoard;
    std::unique_ptr<TimerClock> fClock;
    std::unique_ptr<ProcessIdeRunner> fRunner;
    std::unique_ptr<FirmwareBurn> fBurn;
    std::unique_ptr<SerialPortOwner::Lease> fLease;
    UserPrompt *fPrompt;
    QPushButton *fButton;
    QPushButton *fCancel;
    QPlainTextEdit *fMemo;
};

#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class DebugLog;
class FirmwareBurn;
class IdeRunner;
class QPlainTextEdit;
class QPushButton;
class UserPrompt;

// The bottom of the board page in live mode: "Φόρτωση Λογισμικού στο Arduino" writes
// the interpreter firmware onto the board with avrdude, whose output shows below it.
class FirmwarePanel : public QWidget {
    Q_OBJECT
public:
    struct Board {
        std::function<QString()> family;  // "Uno" or "Mega"
        std::function<QString()> port;    // empty when none is chosen
        QString firmwareFolder;
    };

    FirmwarePanel(Board board, DebugLog *log, UserPrompt *prompt, QWidget *parent = nullptr);
    ~FirmwarePanel() override;

    static QString buttonText() { return QStringLiteral("Φόρτωση Λογισμικού στο Arduino"); }
    QPushButton *button() const { return fButton; }
    QPlainTextEdit *output() const { return fMemo; }

    void BurnFirmware();

private:
    Board fBoard;
    std::unique_ptr<IdeRunner> fRunner;
    std::unique_ptr<FirmwareBurn> fBurn;
    QPushButton *fButton;
    QPlainTextEdit *fMemo;
};

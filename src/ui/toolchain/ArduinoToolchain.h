#pragma once

#include "toolchain/BuildReport.h"
#include "toolchain/IdeLocation.h"
#include "serial/SerialPortOwner.h"

#include <QObject>
#include <functional>
#include <memory>

class PortAccess;
class ProcessIdeRunner;
class QPlainTextEdit;
class TimerClock;
class SketchUpload;
class TfrmOptions;
class UserPrompt;
class QWidget;

// The window's side of the Arduino IDE: the options window, the start-up check of
// the IDE's folder, and sending the generated sketch to the board with the IDE's
// output shown in the code page while it runs.
class ArduinoToolchain : public QObject {
    Q_OBJECT
public:
    struct Board {
        std::function<int()> boardTypeId;
        std::function<QString()> port;  // empty when no port is chosen
        SerialPortOwner *owner = nullptr;    // who else uses the port
        const PortAccess *access = nullptr;  // whether the user may open it
    };

    ArduinoToolchain(QWidget *window, UserPrompt *prompt, const QString &writableFolder, QPlainTextEdit *codeView,
                     Board board);
    ~ArduinoToolchain() override;

    IdeLocation location() const;
    TfrmOptions *options() const { return fOptions; }
    QString writableFolder() const { return fWritableFolder; }

    // The IDE launcher's "-DDebug" setting, after start-up and after the options.
    void EnsureIdeDebugSetting();
    // Start-up: the options as stored are checked; an invalid folder opens the
    // options window, and leaving it with "Άκυρο" explains how to install the IDE.
    void checkIdePath();
    // "Επιλογές".
    void showOptions();
    static QString installMessage();

    // After the sketch was generated into the code page: asks, then compiles and
    // uploads. lineBlocks names the block behind each line of the sketch.
    void sendToBoard(const QString &sketch, const QStringList &lineBlocks);
    // "Έλεγχος": compiles the sketch without uploading it, and without asking.
    void checkSketch(const QString &sketch, const QStringList &lineBlocks);
    bool running() const;
    // The run going on is a check only.
    bool checking() const { return running() && fChecking; }
    // "Ακύρωση": the run and everything it started end; the report says so.
    void cancel();

signals:
    void runningChanged(bool running);
    // The run ended; blockText is filled in by the window when the report points at a
    // block.
    void finished(const BuildReport &report);

private:
    void run(const QString &sketch, const QStringList &lineBlocks, const QString &boardOverride, bool checkOnly);

    QWidget *fWindow;
    UserPrompt *fPrompt;
    QString fWritableFolder;
    QPlainTextEdit *fCodeView;
    Board fBoard;
    TfrmOptions *fOptions;
    std::unique_ptr<TimerClock> fClock;
    std::unique_ptr<ProcessIdeRunner> fRunner;
    std::unique_ptr<SketchUpload> fUpload;
    // The port, while the IDE uploads through it.
    std::unique_ptr<SerialPortOwner::Lease> fLease;
    bool fChecking = false;
};

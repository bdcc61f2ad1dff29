#pragma once

#include "serial/SerialPortOwner.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class DebugLog;
class FirmwarePanel;
class LiveConnection;
class PortAccess;
class Project;
class QAction;
class QProgressDialog;
class QWidget;
class UserPrompt;

// The window's side of live mode: "Αποστολή" sends the program on the canvas to the
// interpreter firmware over the chosen port, "Τερμάτισε" stops it there. A transfer
// keeps the window painting and shows its progress in a window-modal dialog, so
// nothing can change the program while it runs; what comes of it is said once that
// dialog is gone. The port stays open between transfers, so that the board's lines
// are read, and is given up when an upload or a burn needs it. The buttons show only
// when live mode is chosen in the options, and so does the board page's firmware
// button.
class LiveMode : public QObject {
    Q_OBJECT
public:
    struct Window {
        QWidget *widget = nullptr;
        Project *project = nullptr;
        DebugLog *log = nullptr;
        UserPrompt *prompt = nullptr;
        std::function<QString()> port;  // empty when none is chosen
        QAction *acConnect = nullptr;
        QAction *acStop = nullptr;
        // The tool bar's places of the two buttons.
        QAction *connectButton = nullptr;
        QAction *stopButton = nullptr;
        QString optionsFile;
        // Where the firmware button goes (shown in live mode only).
        std::function<void(QWidget *)> placeFirmwarePanel;
        std::function<QString()> boardFamily;
        QString firmwareFolder;
        SerialPortOwner *owner = nullptr;    // who else uses the port
        const PortAccess *access = nullptr;  // whether the user may open it
        // Shows what the board said, in Greek, where the pupil reads results.
        std::function<void(const QString &)> showStatus;
        // Outlines the block the board's program waits in (its name; empty: none).
        std::function<void(const QString &)> showRunningBlock;
    };

    explicit LiveMode(Window window);
    ~LiveMode() override;

    static QString progressText() { return QStringLiteral("Αποστολή προγράμματος…"); }

    // Shows or hides the buttons as "Options.ini" says.
    void applyOption();
    bool offered() const;
    void send();
    void stop();
    // Closing the window: the board is reset and the port closed.
    void resetOnClose();
    // Lets go of the port (live mode switched off, another port chosen); the next
    // "Αποστολή" opens it again. False while a transfer runs.
    bool releasePort();
    // The pupil chose another port: the one held is let go.
    void portChanged(const QString &port);
    bool busy() const;
    FirmwarePanel *firmwarePanel() const { return fFirmware; }

private:
    Window fWindow;
    std::unique_ptr<LiveConnection> fConnection;
    QProgressDialog *fProgress = nullptr;
    FirmwarePanel *fFirmware = nullptr;
    std::unique_ptr<SerialPortOwner::Lease> fLease;
};

#pragma once

#include "toolchain/StallWatch.h"
#include "toolchain/WatchedRun.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class DebugLog;
class IdeRunner;
class UserPrompt;

// Writing the interpreter firmware onto the board with avrdude: the firmware file of
// the board's family from the firmware folder, avrdude of that folder (else the one
// on PATH), its output shown as it comes, and the outcome said in a message: "Burning
// Complete!!!" only when avrdude ended well and said what it wrote.
class FirmwareBurn {
public:
    struct Settings {
        QString firmwareFolder;  // holds Morvane.ino.<family>.hex, maybe avrdude
        QString boardFamily;     // "Uno" (the Uno and the Nano) or "Mega"
        QString port;            // empty: none chosen
        // avrdude's configuration when the firmware folder has none.
        QString systemConfig = QStringLiteral("/etc/avrdude.conf");
        StallWatch::Limits limits;
    };
    struct Sink {
        std::function<void(const QString &line)> appendLine;  // a whole line
        std::function<void(const QString &text)> appendText;  // avrdude's output as it comes
        std::function<void(bool burnt)> done;
    };
    // What avrdude is run with.
    struct Command {
        QString program;
        QStringList arguments;
        QString shown;  // the command as the debug list and the output area show it
    };

    FirmwareBurn(IdeRunner &runner, Clock &clock, DebugLog &log, UserPrompt &prompt);
    ~FirmwareBurn();

    static QString noPortMessage() { return QStringLiteral("You must have a Com Port selected!!!"); }
    static QString missingFileMessage(const QString &path);
    static QString completeText() { return QStringLiteral("Burning Complete!!!"); }
    // Why the burn failed, from how avrdude ended and what it said.
    static QString failedMessage(const WatchedRun::End &end, const QString &output, const QString &port);
    static QString notStartedMessage(const QString &program);

    static QString firmwareFile(const QString &firmwareFolder, const QString &boardFamily);
    // avrdude's part and programmer: the Uno's optiboot speaks the arduino (stk500v1)
    // protocol, the Mega's bootloader the wiring (stk500v2) one.
    static Command command(const Settings &settings);

    // False when nothing was started (no port, no firmware file: said in a message,
    // or a burn still running). done is called only when avrdude was asked to run.
    bool BurnFirmware(const Settings &settings, Sink sink);
    bool running() const;
    void cancel();

private:
    std::unique_ptr<WatchedRun> fRun;
    DebugLog &fLog;
    UserPrompt &fPrompt;
};

#pragma once

#include "serial/FirmwareLine.h"
#include "serial/LiveProgram.h"
#include "util/UserPrompt.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class DebugLog;
class SerialLink;

// The host end of the live connection to the interpreter firmware: sends a block
// program over the serial link, sends the stop command, shows the firmware's text
// lines in the debug list while no transfer runs, and resets the board on closing.
//
// A transfer is a chain of events (bytes arriving, timers falling due), never a
// blocking wait, so the window stays live while it runs; what goes over the wire and
// when is exactly the sequence of the protocol: handshake, count, device and block
// records with a pause after every word, end marker until acknowledged, checksum.
class LiveConnection {
public:
    static constexpr int ResetPauseMs = 2000;
    static constexpr int HandshakeDeadlineMs = 5000;
    static constexpr int EndMarkerStepMs = 150;

    struct Events {
        // After each block record: records sent so far and in all.
        std::function<void(int sent, int total)> progress;
        // The transfer is over (sent is false when it stopped early). It comes before
        // any message about the transfer is shown.
        std::function<void(bool sent)> finished;
        // The firmware said something the pupil should read (in Greek).
        std::function<void(const FirmwareLine &line)> boardSaid;
        // The program on the board waits in this block now (its name), or no block
        // (empty) once it stopped.
        std::function<void(const QString &blockName)> blockReached;
    };

    LiveConnection(std::unique_ptr<SerialLink> link, std::unique_ptr<Clock> clock, DebugLog *log,
                   UserPrompt *prompt);
    ~LiveConnection();
    LiveConnection(const LiveConnection &) = delete;
    LiveConnection &operator=(const LiveConnection &) = delete;

    void setEvents(Events events) { fEvents = std::move(events); }

    // Starts sending the program (nothing when program is empty: no start block) to
    // the named port (empty: no port chosen). False when a transfer already runs.
    bool acConnectExecute(std::optional<LiveProgram> program, const QString &portName);
    // Sends the stop command when the port is open and no transfer runs; a failure is
    // swallowed.
    void acStopExecute();
    // Closing the window: resets the board if the port is open and closes the port.
    void resetOnClose();
    // Lets go of the port so that another program (the uploader) can open it; the next
    // transfer opens it again. False while a transfer runs.
    bool releasePort();
    // The port of the last transfer.
    QString portName() const { return fPortName; }

    bool busy() const { return fState != State::Idle; }
    bool isOpen() const;
    bool ComIdle() const { return fComIdle; }

    static QString noStartBlockMessage();
    static QString openFailedMessage(const QString &portName);
    static QString noAnswerMessage();
    static QString notFirmwareMessage();
    static QString portLostMessage(const QString &portName);
    // Where the firmware is written from.
    static QString burnHint();

private:
    enum class State { Idle, Resetting, Opening, Handshake, Sending, EndMarker };

    void afterReset();
    void OpenPort(bool retry);
    void beginHandshake();
    void handshakeDeadline(quint64 token);
    void sendSteps();
    void endMarker();
    bool takeAcknowledgement();
    void portLost();
    void finish(bool sent, const QString &message = {}, UserPrompt::Icon icon = UserPrompt::Icon::Warning);

    // False when the port went away during the transfer (which is then over).
    bool SendByte(char byte, bool fold);
    int ReadByte();
    void pulseDtr();
    void ComPort1RxChar();
    bool blockReport(const QString &line);
    void later(int ms, void (LiveConnection::*step)());

    std::unique_ptr<SerialLink> fLink;
    std::unique_ptr<Clock> fClock;
    DebugLog *fLog;
    UserPrompt *fPrompt;
    Events fEvents;

    State fState = State::Idle;
    quint64 fToken = 0;  // bumped when a transfer ends, so its pending timers lapse
    bool fComIdle = true;
    bool firstopen = true;
    quint8 ChkByte = 0;
    QString fLine;      // the received text line being assembled
    QByteArray fRx;     // bytes received during a transfer, read one at a time
    std::optional<LiveProgram> fProgram;
    QStringList fRecordBlocks;  // of the program last sent: the block of each record
    QString fPortName;
    qint64 fT0 = 0;
    std::size_t fNextStep = 0;
    int fBlocksSent = 0;
    int fOtherBytes = 0;  // bytes of the handshake that were not the acknowledgement
};

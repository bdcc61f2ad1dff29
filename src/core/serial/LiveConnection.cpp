#include "serial/LiveConnection.h"

#include "serial/FirmwareLine.h"
#include "serial/LiveWire.h"
#include "serial/SerialLink.h"
#include "util/Clock.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int NoByte = 32;  // what a read gives when nothing is waiting
}

LiveConnection::LiveConnection(std::unique_ptr<SerialLink> link, std::unique_ptr<Clock> clock, DebugLog *log,
                               UserPrompt *prompt)
    : fLink(std::move(link)), fClock(std::move(clock)), fLog(log), fPrompt(prompt)
{
    fLink->setListener({[this] { ComPort1RxChar(); },
                        [this](const QString &portText, const QString &systemText) {
                            fLog->AddDebug(portText);
                            fLog->AddDebug(systemText);
                        },
                        [this] { portLost(); }});
}

LiveConnection::~LiveConnection()
{
    fLink->setListener({});
}

QString LiveConnection::noStartBlockMessage()
{
    return u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!"_s;
}

QString LiveConnection::openFailedMessage(const QString &portName)
{
    // A Bluetooth link is named so; any other port by its own name.
    const QString what = portName.contains(u"rfcomm"_s) ? u"Σφάλμα Σύνδεσης με Bluetooth Port: "_s
                                                         : u"Σφάλμα Σύνδεσης με την πόρτα: "_s;
    return what + portName
           + u"\rΠατήστε διπλό κλικ στο όνομα της πόρτας κάτω αριστερά για επιλογή άλλης και ξαναπροσπαθήστε."_s;
}

QString LiveConnection::burnHint()
{
    return u"Αν η πλακέτα δεν έχει το λογισμικό της ζωντανής λειτουργίας, γράψτε το με το κουμπί «Φόρτωση "
           u"Λογισμικού στο Arduino» στη σελίδα «Συσκευές»."_s;
}

QString LiveConnection::noAnswerMessage()
{
    return u"Το Arduino δεν ανταποκρίνετε!!!. Ξαναδοκιμάστε.\n"_s + burnHint();
}

QString LiveConnection::notFirmwareMessage()
{
    return u"Το Arduino απάντησε, αλλά όχι όπως το λογισμικό της ζωντανής λειτουργίας: έχει άλλο πρόγραμμα ή "
           u"μόνο τον bootloader.\n"_s
           + burnHint();
}

QString LiveConnection::portLostMessage(const QString &portName)
{
    return u"Η σύνδεση με το Arduino χάθηκε (πόρτα «%1») και το πρόγραμμα δεν στάλθηκε. Συνδέστε ξανά την "
           u"πλακέτα, ανανεώστε τις πόρτες με διπλό κλικ στη γραμμή κατάστασης και πατήστε ξανά «Αποστολή»."_s.arg(
               portName);
}

bool LiveConnection::releasePort()
{
    if (busy())
        return false;
    if (fLink->isOpen()) {
        fLink->close();
        fLog->AddDebug(u"Port released: "_s + fPortName);
    }
    fLine.clear();
    return true;
}

void LiveConnection::portLost()
{
    if (!fLink->isOpen() && !busy())
        return;
    fLink->close();
    fLog->AddDebug(u"Port lost: "_s + fPortName);
    if (busy())
        finish(false, portLostMessage(fPortName), UserPrompt::Icon::Error);
}

bool LiveConnection::isOpen() const
{
    return fLink->isOpen();
}

void LiveConnection::later(int ms, void (LiveConnection::*step)())
{
    const quint64 token = fToken;
    fClock->callAfter(ms, [this, token, step] {
        if (token == fToken)
            (this->*step)();
    });
}

bool LiveConnection::acConnectExecute(std::optional<LiveProgram> program, const QString &portName)
{
    if (busy())
        return false;
    fProgram = std::move(program);
    fPortName = portName;
    fState = State::Resetting;
    if (fLink->isOpen()) {
        pulseDtr();
        later(ResetPauseMs, &LiveConnection::afterReset);
    } else {
        afterReset();
    }
    return true;
}

void LiveConnection::pulseDtr()
{
    fLink->setDataTerminalReady(true);
    fLink->setDataTerminalReady(false);
}

void LiveConnection::afterReset()
{
    if (!fProgram) {
        finish(false, noStartBlockMessage(), UserPrompt::Icon::Warning);
        return;
    }
    fState = State::Opening;
    OpenPort(false);
}

void LiveConnection::OpenPort(bool retry)
{
    if (!fLink->isOpen()) {
        // Without a chosen port nothing could answer: say so now rather than after
        // five seconds of writes to nowhere.
        if (fPortName.isEmpty()) {
            finish(false, openFailedMessage(fPortName), UserPrompt::Icon::Error);
            return;
        }
        fLog->AddDebug(fPortName);
        if (!fLink->open(fPortName)) {
            if (firstopen && !retry) {
                // The first failure of a run is tried once more, after the event loop
                // has had its turn (a board just plugged in may need the moment).
                firstopen = false;
                const quint64 token = fToken;
                fClock->callAfter(0, [this, token] {
                    if (token == fToken)
                        OpenPort(true);
                });
                return;
            }
            finish(false, openFailedMessage(fPortName), UserPrompt::Icon::Error);
            return;
        }
        fLog->AddDebug(u"Success"_s);
        // Opening the port raises DTR on Linux, and a board on USB restarts into its
        // bootloader then: the start byte would reach the bootloader, not the firmware.
        // The board gets the same time as after a reset of ours.
        later(ResetPauseMs, &LiveConnection::beginHandshake);
        return;
    }
    beginHandshake();
}

void LiveConnection::beginHandshake()
{
    fState = State::Handshake;
    fComIdle = false;
    fRx.clear();
    fOtherBytes = 0;
    if (!SendByte(LiveWire::StartTransfer, true))
        return;
    fT0 = fClock->nowMs();
    // A byte that arrives at the deadline itself still counts.
    const quint64 token = fToken;
    fClock->callAfter(HandshakeDeadlineMs + 1, [this, token] { handshakeDeadline(token); });
    ComPort1RxChar();
}

void LiveConnection::handshakeDeadline(quint64 token)
{
    if (token != fToken || fState != State::Handshake)
        return;
    // What came too late and was kept is no answer, but says the board is talking.
    for (char c : std::as_const(fRx))
        if (quint8(c) != LiveWire::Ready)
            ++fOtherBytes;
    // A byte may still be waiting in the port whose news has not come yet: it
    // arrived in time.
    fRx = fLink->readAll();
    if (takeAcknowledgement())
        return;
    // Bytes that were not the firmware's answer come from another program on the
    // board, or from its bootloader.
    const QString message = fOtherBytes > 0 ? notFirmwareMessage() : noAnswerMessage();
    fLink->close();
    finish(false, message, UserPrompt::Icon::Warning);
}

bool LiveConnection::takeAcknowledgement()
{
    while (!fRx.isEmpty()) {
        if (ReadByte() == LiveWire::Ready) {
            fState = State::Sending;
            fLog->AddDebug(u"Blocks:"_s + QString::number(fProgram->blockCount));
            SendByte(fProgram->countByte(), true);
            ChkByte = 0;
            fNextStep = 0;
            fBlocksSent = 0;
            if (fEvents.progress)
                fEvents.progress(0, fProgram->blockRecords);
            sendSteps();
            return true;
        }
        ++fOtherBytes;
    }
    return false;
}

void LiveConnection::sendSteps()
{
    // Steps without a pause (the characters of a text) go out together.
    while (fNextStep < fProgram->steps.size()) {
        const LiveStep &step = fProgram->steps[fNextStep++];
        for (const QString &line : step.log)
            fLog->AddDebug(line);
        for (char c : step.bytes)
            if (!SendByte(c, true))
                return;
        if (step.endsBlockRecord && fEvents.progress)
            fEvents.progress(++fBlocksSent, fProgram->blockRecords);
        if (step.pauseMs > 0) {
            later(step.pauseMs, &LiveConnection::sendSteps);
            return;
        }
    }
    fState = State::EndMarker;
    endMarker();
}

void LiveConnection::endMarker()
{
    if (!SendByte(LiveWire::EndOfProgram, false))
        return;
    const quint64 token = fToken;
    fClock->callAfter(EndMarkerStepMs, [this, token] {
        if (token != fToken)
            return;
        // A board that never acknowledges the marker still gets the checksum once the
        // handshake's deadline has passed.
        if (ReadByte() != LiveWire::Ready && fClock->nowMs() - fT0 <= HandshakeDeadlineMs) {
            endMarker();
            return;
        }
        const quint8 sum = LiveWire::FinalChecksum(ChkByte);
        if (!SendByte(char(sum), false))
            return;
        fLog->AddDebug(QString::number(sum));
        fLog->AddDebug(u"PROGRAM TRANSFERED"_s);
        fComIdle = true;
        finish(true);
    });
}

void LiveConnection::finish(bool sent, const QString &message, UserPrompt::Icon icon)
{
    if (fProgram)
        fRecordBlocks = sent ? fProgram->recordBlocks : QStringList();
    ++fToken;
    fState = State::Idle;
    fProgram.reset();
    fRx.clear();
    fComIdle = true;
    // Whatever showed the transfer goes first: the message is never under it.
    if (fEvents.finished)
        fEvents.finished(sent);
    if (!message.isEmpty())
        fPrompt->showMessage(message, icon);
}

void LiveConnection::acStopExecute()
{
    if (busy() || !fLink->isOpen())
        return;
    SendByte(LiveWire::StopProgram, true);
}

void LiveConnection::resetOnClose()
{
    ++fToken;
    fState = State::Idle;
    if (!fLink->isOpen())
        return;
    pulseDtr();
    fLink->close();
}

bool LiveConnection::SendByte(char byte, bool fold)
{
    if (fold)
        ChkByte ^= quint8(byte);
    if (fLink->write(QByteArray(1, byte)) || !busy())
        return true;
    // A port that cannot take a byte during a transfer has gone with its board.
    const quint64 token = fToken;
    portLost();
    return token == fToken && busy();
}

int LiveConnection::ReadByte()
{
    fRx += fLink->readAll();
    if (fRx.isEmpty())
        return NoByte;
    const int b = quint8(fRx.front());
    fRx.remove(0, 1);
    return b;
}

void LiveConnection::ComPort1RxChar()
{
    if (!fComIdle) {
        fRx += fLink->readAll();
        // The handshake reads until its deadline; what comes later is too late.
        if (fState == State::Handshake && fClock->nowMs() - fT0 <= HandshakeDeadlineMs)
            takeAcknowledgement();
        return;
    }
    for (char c : fLink->readAll()) {
        if (c == '\r' || c == '\n') {
            if (blockReport(fLine)) {
                // Said at every wait: not for the debug list.
            } else if (!fLine.isEmpty()) {
                fLog->AddDebug(fLine);
                if (fLine == u"Program stopped"_s && fEvents.blockReached)
                    fEvents.blockReached(QString());
                if (const std::optional<FirmwareLine> said = FirmwareLine::read(fLine)) {
                    fLog->AddDebug(said->text);
                    if (fEvents.boardSaid)
                        fEvents.boardSaid(*said);
                }
            }
            fLine.clear();
        } else {
            fLine += QChar::fromLatin1(c);
        }
    }
}

// "@<record>": the firmware waits in that block record.
bool LiveConnection::blockReport(const QString &line)
{
    if (!line.startsWith(u'@'))
        return false;
    bool ok = false;
    const int record = line.mid(1).toInt(&ok);
    if (!ok || record < 0)
        return false;
    if (fEvents.blockReached)
        fEvents.blockReached(record < fRecordBlocks.size() ? fRecordBlocks[record] : QString());
    return true;
}

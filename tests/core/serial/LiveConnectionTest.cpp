#include "serial/FakeBoardLink.h"

#include "serial/LiveConnection.h"
#include "serial/LiveWire.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint8 Start = 0x31, Ready = 0x52, EndMarker = 0xFD;
// The start byte of a transfer that opens the port: the board restarts on the opening.
constexpr qint64 T0 = LiveConnection::ResetPauseMs;

// A program of one-word block records 1, 2, 3 … (never a byte that looks like a
// protocol byte).
LiveProgram program(int words, int blockCount = 2)
{
    LiveProgram p;
    p.blockCount = blockCount;
    for (int i = 0; i < words; ++i)
        p.steps.push_back({{u"word %1"_s.arg(i)}, LiveWire::SplitWord(i % 40 + 1), LiveProgram::WordPauseMs, true});
    p.blockRecords = words;
    return p;
}

class LiveConnectionTest : public ::testing::Test {
protected:
    LiveConnectionTest()
    {
        auto clockOwned = std::make_unique<VirtualClock>();
        clock = clockOwned.get();
        auto linkOwned = std::make_unique<FakeBoardLink>(clock);
        board = linkOwned.get();
        live = std::make_unique<LiveConnection>(std::move(linkOwned), std::move(clockOwned), &log, &prompt);
        live->setEvents({[this](int sent, int total) { progress.append({sent, total}); },
                         [this](bool sent) {
                             results.append(sent);
                             messagesAtTheEnd.append(prompt.messages.size());
                         },
                         [this](const FirmwareLine &line) { boardSaid.append(line.text); }});
    }

    // The board acknowledges the handshake after ms and, when ackEnd, the first end marker.
    void answering(int handshakeMs = 5, bool ackEnd = true)
    {
        board->onByte = [this, handshakeMs, ackEnd](quint8 b) {
            if (b == Start)
                board->send(QByteArray(1, char(Ready)), handshakeMs);
            else if (b == EndMarker && ackEnd && board->timesOf(EndMarker).size() == 1)
                board->send(QByteArray(1, char(Ready)), 1);
        };
    }
    void transfer(std::optional<LiveProgram> p = program(3), const QString &port = u"/dev/ttyUSB0"_s)
    {
        ASSERT_TRUE(live->acConnectExecute(std::move(p), port));
        clock->runUntilIdle();
    }

    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    VirtualClock *clock = nullptr;
    FakeBoardLink *board = nullptr;
    std::unique_ptr<LiveConnection> live;
    QList<QPair<int, int>> progress;
    QList<bool> results;
    QList<qsizetype> messagesAtTheEnd;  // messages already shown when each transfer ended
    QStringList boardSaid;
};

TEST_F(LiveConnectionTest, SendsHandshakeCountWordsEndMarkerAndChecksumInTime)
{
    answering(5);
    const LiveProgram p = program(3);
    transfer(p);
    const QByteArray expected = QByteArray(1, char(Start)) + char(2) + LiveWire::SplitWord(1) + LiveWire::SplitWord(2)
                                + LiveWire::SplitWord(3) + char(EndMarker) + char(p.checksum());
    EXPECT_EQ(board->bytes().toHex(' '), expected.toHex(' '));
    std::vector<qint64> times;
    for (const auto &w : board->written)
        times.push_back(w.at - T0);
    // Both bytes of a word at once, 20 ms between words, the checksum one step after the
    // marker.
    EXPECT_EQ(times, (std::vector<qint64>{0, 5, 5, 5, 25, 25, 45, 45, 65, 215}));
    EXPECT_EQ(log.lines, (QStringList{u"/dev/ttyUSB0"_s, u"Success"_s, u"Blocks:2"_s, u"word 0"_s, u"word 1"_s,
                                      u"word 2"_s, QString::number(p.checksum()), u"PROGRAM TRANSFERED"_s}));
    EXPECT_EQ(progress, (QList<QPair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(results, QList<bool>{true});
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(live->isOpen());
    EXPECT_TRUE(live->ComIdle());
}

TEST_F(LiveConnectionTest, BoardRestartingOnTheOpeningIsAwaitedAndItsLineShown)
{
    // A board that comes back from its bootloader 1.4 s after the opening and takes
    // the start byte only then.
    board->onByte = [this](quint8 b) {
        if (b == Start && clock->nowMs() >= 1400)
            board->send(QByteArray(1, char(Ready)), 5);
    };
    board->send("Morvane ready\r\n", 1400);
    transfer();
    EXPECT_EQ(results, QList<bool>{true});
    EXPECT_EQ(board->timesOf(Start), std::vector<qint64>{T0});
    EXPECT_TRUE(log.lines.contains(u"Morvane ready"_s));
}

TEST_F(LiveConnectionTest, ChecksumThatLooksLikeTheEndMarkerGoesAsFE)
{
    answering();
    LiveProgram p;
    p.steps.push_back({{}, QByteArray(1, char(0xFD)), 0, true});
    transfer(p);
    EXPECT_EQ(quint8(board->bytes().back()), 0xFE);
}

TEST_F(LiveConnectionTest, NoiseBeforeTheAcknowledgementIsSkipped)
{
    board->onByte = [this](quint8 b) {
        if (b == Start)
            board->send("boot\r\n" + QByteArray(1, char(Ready)), 40);
    };
    transfer();
    EXPECT_EQ(results, QList<bool>{true});
    // Text that arrives during a transfer is protocol, not a line for the debug list.
    EXPECT_FALSE(log.lines.contains(u"boot"_s));
}

struct HandshakeCase {
    const char *name;
    int answerMs;  // −1: never
    bool sent;
};

class HandshakeDeadline : public LiveConnectionTest, public ::testing::WithParamInterface<HandshakeCase> {};

TEST_P(HandshakeDeadline, AcknowledgementCountsUpToFiveSeconds)
{
    if (GetParam().answerMs >= 0)
        answering(GetParam().answerMs);
    transfer();
    EXPECT_EQ(results, QList<bool>{GetParam().sent});
    if (GetParam().sent) {
        EXPECT_TRUE(prompt.messages.isEmpty());
    } else {
        EXPECT_EQ(prompt.messages, QStringList{LiveConnection::noAnswerMessage()});
        EXPECT_EQ(board->bytes(), QByteArray(1, char(Start)));
        EXPECT_FALSE(live->isOpen());
    }
}

INSTANTIATE_TEST_SUITE_P(Live, HandshakeDeadline,
                         ::testing::Values(HandshakeCase{"AtOnce", 0, true}, HandshakeCase{"AtTheDeadline", 5000, true},
                                           HandshakeCase{"OneMillisecondLate", 5001, false},
                                           HandshakeCase{"Never", -1, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LiveConnectionTest, SilentEndMarkerRepeatsEvery150msUntilFiveSecondsFromTheHandshake)
{
    answering(0, false);
    transfer(program(3));
    const auto markers = board->timesOf(EndMarker);
    // Data ends at 60 ms; markers at 60, 210, … while no more than 5000 ms have passed.
    ASSERT_FALSE(markers.empty());
    EXPECT_EQ(markers.front(), T0 + 60);
    EXPECT_EQ(markers.back(), T0 + 60 + 150 * 32);   // 4860: the step after it ends at 5010
    EXPECT_EQ(markers.size(), 33u);
    EXPECT_EQ(board->written.back().at, T0 + 5010);
    EXPECT_EQ(log.lines.back(), u"PROGRAM TRANSFERED"_s);
}

TEST_F(LiveConnectionTest, DataLongerThanTheDeadlineSendsOneMarkerAndNoWait)
{
    answering(0, false);
    transfer(program(260));  // 5200 ms of words
    EXPECT_EQ(board->timesOf(EndMarker), std::vector<qint64>{T0 + 5200});
    EXPECT_EQ(board->written.back().at, T0 + 5350);
    EXPECT_EQ(results, QList<bool>{true});
}

TEST_F(LiveConnectionTest, OnlyTheFirstFailedOpenOfTheRunIsRetried)
{
    board->failingOpens = -1;
    transfer();
    EXPECT_EQ(board->openedNames.size(), 2);
    transfer();
    EXPECT_EQ(board->openedNames.size(), 3);
    const QString message = u"Σφάλμα Σύνδεσης με την πόρτα: /dev/ttyUSB0\rΠατήστε διπλό κλικ στο όνομα της "
                            u"πόρτας κάτω αριστερά για επιλογή άλλης και ξαναπροσπαθήστε."_s;
    EXPECT_EQ(prompt.messages, (QStringList{message, message}));
    EXPECT_TRUE(log.lines.contains(u"No such file or directory"_s));
    EXPECT_TRUE(board->written.empty());
}

TEST_F(LiveConnectionTest, ABluetoothPortIsNamedSo)
{
    EXPECT_TRUE(LiveConnection::openFailedMessage(u"/dev/rfcomm0"_s)
                    .startsWith(u"Σφάλμα Σύνδεσης με Bluetooth Port: /dev/rfcomm0\r"_s));
}

TEST_F(LiveConnectionTest, AnAnswerWaitingInThePortAtTheDeadlineCounts)
{
    board->onByte = [this](quint8 b) {
        if (b == Start)
            board->sendQuietly(QByteArray(1, char(Ready)), 4000);
    };
    transfer();
    EXPECT_EQ(results, QList<bool>{true});
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// Every way a transfer fails is said after the transfer has ended (the window's
// progress box is gone by then), and the port is closed.
struct FailureCase {
    const char *name;
    std::function<void(FakeBoardLink &)> board;
    QString message;
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransferFailure : public LiveConnectionTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TransferFailure, IsToldOnceTheTransferIsOver)
{
    GetParam().board(*board);
    transfer(program(10));
    EXPECT_EQ(results, QList<bool>{false});
    EXPECT_EQ(messagesAtTheEnd, QList<qsizetype>{0});
    EXPECT_EQ(prompt.messages, QStringList{GetParam().message});
    EXPECT_FALSE(live->isOpen());
    EXPECT_FALSE(log.lines.contains(u"PROGRAM TRANSFERED"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Live, TransferFailure,
    ::testing::Values(
        FailureCase{"SilentBoard", [](FakeBoardLink &) {}, LiveConnection::noAnswerMessage()},
        // A sketch or a bootloader answers, but not with the firmware's acknowledgement.
        FailureCase{"BoardWithoutTheFirmware",
                    [](FakeBoardLink &b) {
                        b.onByte = [&b](quint8 x) {
                            if (x == Start)
                                b.send(QByteArray("\x14\x10\x00", 3), 30);
                        };
                    },
                    LiveConnection::notFirmwareMessage()},
        FailureCase{"UnpluggedDuringTheWords",
                    [](FakeBoardLink &b) {
                        b.onByte = [&b](quint8 x) {
                            if (x == Start) {
                                b.send(QByteArray(1, char(Ready)), 5);
                                b.unplug(LiveConnection::ResetPauseMs + 100);
                            }
                        };
                    },
                    LiveConnection::portLostMessage(u"/dev/ttyUSB0"_s)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LiveConnectionTest, APortLostBetweenTransfersIsOpenedAnewForTheNext)
{
    answering();
    transfer();
    ASSERT_TRUE(live->isOpen());
    board->unplug();
    clock->runUntilIdle();
    EXPECT_FALSE(live->isOpen());
    EXPECT_TRUE(prompt.messages.isEmpty());
    transfer();
    EXPECT_EQ(board->openedNames.size(), 2);
    EXPECT_EQ(results, (QList<bool>{true, true}));
}

TEST_F(LiveConnectionTest, ThePortIsReleasedOnlyBetweenTransfers)
{
    answering();
    ASSERT_TRUE(live->acConnectExecute(program(3), u"/dev/ttyUSB0"_s));
    clock->advance(LiveConnection::ResetPauseMs + 10);
    EXPECT_FALSE(live->releasePort());
    EXPECT_TRUE(live->isOpen());
    clock->runUntilIdle();
    EXPECT_TRUE(live->releasePort());
    EXPECT_FALSE(live->isOpen());
}

TEST_F(LiveConnectionTest, TheFirmwaresLinesReachThePupilInGreek)
{
    answering();
    transfer();
    board->send("Program start\r\nMorvane: checksum error, program not run\r\nhello\r\n");
    clock->runUntilIdle();
    ASSERT_EQ(boardSaid.size(), 2);
    EXPECT_EQ(boardSaid[0], u"Το πρόγραμμα τρέχει στο Arduino."_s);
    EXPECT_TRUE(boardSaid[1].startsWith(u"Το πρόγραμμα έφτασε αλλοιωμένο"_s));
    EXPECT_TRUE(log.lines.contains(u"hello"_s));
}

TEST_F(LiveConnectionTest, TheBlockTheBoardWaitsInIsNamedWithoutADebugLine)
{
    QStringList reached;
    live->setEvents({nullptr, nullptr, nullptr, [&](const QString &name) { reached.append(name); }});
    LiveProgram p = program(3);
    p.recordBlocks = {u"keloBlock__4"_s, u"keloBlock__7"_s, u"keloBlock__9"_s};
    answering();
    transfer(p);
    log.lines.clear();
    // A record of the program, another, one past its end, a line that only looks like
    // a report, and the end of the run.
    board->send("@1\r\n@2\r\n@5\r\n@x\r\nProgram stopped\r\n");
    clock->runUntilIdle();
    EXPECT_EQ(reached, (QStringList{u"keloBlock__7"_s, u"keloBlock__9"_s, QString(), QString()}));
    EXPECT_EQ(log.lines.first(), u"@x"_s);
    EXPECT_FALSE(log.lines.contains(u"@1"_s));
}

TEST_F(LiveConnectionTest, RetriedOpenThatWorksGoesOnWithTheTransfer)
{
    board->failingOpens = 1;
    answering();
    transfer();
    EXPECT_EQ(board->openedNames.size(), 2);
    EXPECT_EQ(results, QList<bool>{true});
}

TEST_F(LiveConnectionTest, NothingIsSentWithoutStartBlockOrPort)
{
    transfer(std::nullopt);
    EXPECT_EQ(prompt.messages, QStringList{u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!"_s});
    transfer(program(1), QString());
    EXPECT_EQ(prompt.messages.last(), LiveConnection::openFailedMessage(QString()));
    EXPECT_TRUE(board->openedNames.isEmpty());
    EXPECT_EQ(clock->nowMs(), 0);  // said at once, no waiting for a board
    EXPECT_EQ(results, (QList<bool>{false, false}));
}

TEST_F(LiveConnectionTest, NextTransferResetsTheBoardAndWaitsTwoSeconds)
{
    answering();
    transfer();
    const std::size_t before = board->written.size();
    const qint64 t = clock->nowMs();
    transfer();
    EXPECT_EQ(board->dtr, (QStringList{u"on"_s, u"off"_s}));
    EXPECT_EQ(board->written[before].at, t + 2000);
    EXPECT_EQ(board->openedNames.size(), 1);  // the port stayed open
}

TEST_F(LiveConnectionTest, TextLinesFromTheBoardWhileIdle)
{
    answering();
    transfer();
    log.lines.clear();
    board->send("Hel");
    board->send("lo\r\nWor");
    board->send("ld\n");
    clock->runUntilIdle();
    EXPECT_EQ(log.lines, (QStringList{u"Hello"_s, u"World"_s}));
}

TEST_F(LiveConnectionTest, StopSendsOneByteOnlyOnAnOpenPortBetweenTransfers)
{
    live->acStopExecute();
    EXPECT_TRUE(board->written.empty());
    answering();
    ASSERT_TRUE(live->acConnectExecute(program(3), u"/dev/ttyUSB0"_s));
    clock->advance(20);
    live->acStopExecute();  // the transfer runs: its bytes must not be mixed
    EXPECT_FALSE(live->acConnectExecute(program(3), u"/dev/ttyUSB0"_s));
    clock->runUntilIdle();
    const std::size_t n = board->written.size();
    live->acStopExecute();
    ASSERT_EQ(board->written.size(), n + 1);
    EXPECT_EQ(board->written.back().byte, 0x30);
    EXPECT_EQ(board->timesOf(0x30).size(), 1u);
}

TEST_F(LiveConnectionTest, ClosingResetsTheBoardAndClosesThePort)
{
    live->resetOnClose();
    EXPECT_TRUE(board->dtr.isEmpty());
    answering();
    transfer();
    live->resetOnClose();
    EXPECT_EQ(board->dtr, (QStringList{u"on"_s, u"off"_s}));
    EXPECT_FALSE(live->isOpen());
}

} // namespace

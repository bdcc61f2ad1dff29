// The live connection through a real serial port: a pseudo-terminal plays the board,
// answering the handshake and the end marker, then printing a line.
#include "platform/linux/TestPty.h"

#include "serial/LiveConnection.h"
#include "serial/LiveWire.h"
#include "serial/SerialPortLink.h"
#include "util/DebugLog.h"
#include "util/TimerClock.h"
#include "util/UserPrompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(LiveConnectionPty, TransfersAProgramAndShowsTheBoardsLines)
{
    TestPty board;
    ASSERT_TRUE(board.isValid());
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    LiveConnection live(std::make_unique<SerialPortLink>(), std::make_unique<TimerClock>(), &log, &prompt);
    bool done = false, sent = false;
    live.setEvents({{}, [&](bool ok) { done = true; sent = ok; }});

    LiveProgram program;
    program.blockCount = 1;
    for (int v : {1, -1, 0, -1, -1, 0})
        program.steps.push_back({{}, LiveWire::SplitWord(v), LiveProgram::WordPauseMs, false});
    ASSERT_TRUE(live.acConnectExecute(program, board.name()));

    // The board: acknowledges the start byte and the end marker, as the firmware does.
    QByteArray received;
    QTimer boardTick;
    QObject::connect(&boardTick, &QTimer::timeout, [&] {
        for (char c : board.readNow()) {
            received.append(c);
            if (c == LiveWire::StartTransfer || c == LiveWire::EndOfProgram)
                board.write(QByteArray(1, LiveWire::Ready));
        }
    });
    boardTick.start(2);
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_TRUE(done);
    EXPECT_TRUE(sent) << qPrintable(prompt.messages.join(u'\n'));

    while (received.size() < 16 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    QByteArray expected = QByteArray(1, LiveWire::StartTransfer) + char(1);
    QByteArray data;
    for (const LiveStep &s : program.steps)
        data += s.bytes;
    expected += data + LiveWire::EndOfProgram + char(LiveWire::FinalChecksum(program.checksum()));
    EXPECT_EQ(received.toHex(' '), expected.toHex(' '));
    EXPECT_EQ(log.lines.last(), u"PROGRAM TRANSFERED"_s);

    board.write("Interpreter ready\r\n");
    while (!log.lines.contains(u"Interpreter ready"_s) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_TRUE(log.lines.contains(u"Interpreter ready"_s));

    // A port without modem lines still closes cleanly.
    live.resetOnClose();
    EXPECT_FALSE(live.isOpen());
}

// A board unplugged while the words go out: the transfer ends as a failure said in
// Greek, the port is closed and the next transfer opens it anew.
TEST(LiveConnectionPty, ABoardUnpluggedDuringTheTransferEndsIt)
{
    TestPty board;
    ASSERT_TRUE(board.isValid());
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    LiveConnection live(std::make_unique<SerialPortLink>(), std::make_unique<TimerClock>(), &log, &prompt);
    bool done = false, sent = true;
    live.setEvents({{}, [&](bool ok) { done = true; sent = ok; }});
    LiveProgram program;
    program.blockCount = 1;
    for (int i = 0; i < 200; ++i)
        program.steps.push_back({{}, LiveWire::SplitWord(i + 1), LiveProgram::WordPauseMs, true});
    program.blockRecords = 200;
    ASSERT_TRUE(live.acConnectExecute(program, board.name()));

    QTimer boardTick;
    int words = 0;
    QObject::connect(&boardTick, &QTimer::timeout, [&] {
        for (char c : board.readNow()) {
            if (c == LiveWire::StartTransfer)
                board.write(QByteArray(1, LiveWire::Ready));
            else if (++words == 20)
                board.unplug();
        }
    });
    boardTick.start(2);
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 8000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_TRUE(done) << "the transfer went on after the board was unplugged";
    EXPECT_FALSE(sent);
    EXPECT_EQ(prompt.messages, QStringList{LiveConnection::portLostMessage(board.name())});
    EXPECT_FALSE(live.isOpen());
    EXPECT_FALSE(log.lines.contains(u"PROGRAM TRANSFERED"_s));
}

} // namespace

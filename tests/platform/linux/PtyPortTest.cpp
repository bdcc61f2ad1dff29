// A pseudo-terminal stands in for a board: named in "BTPort.ini" it is the one port
// listed and selected, and the serial port opens it and talks through it.
#include "serial/PlatformPorts.h"
#include "serial/PortPermissionHelp.h"
#include "serial/SerialPortOpener.h"
#include "serial/SerialPorts.h"
#include "shell/IntSettings.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

#include "platform/linux/TestPty.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DenyAll : public PortAccess {
public:
    bool permissionDenied(const QString &) const override { return true; }
};

TEST(PtyPort, NamedInBTPortIniIsListedAloneSelectedAndOpens)
{
    TestPty board;
    ASSERT_TRUE(board.isValid());
    QTemporaryDir programFolder;
    ASSERT_TRUE(programFolder.isValid());
    {
        QFile ini(programFolder.filePath(u"BTPort.ini"_s));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Bluetooth]\r\nComPort=" + board.name().toLocal8Bit() + "\r\n");
    }

    PortEnvironment machine = PlatformPorts::forThisMachine();
    MemoryIntSettings settings;
    settings.values.insert(SerialPorts::indexKey(), 3);
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    SerialPorts ports(std::move(machine.sources), settings, log, &prompt, machine.access.get());
    ports.RefreshPorts(SerialPorts::ReadBluetoothPortSetting(programFolder.path()));
    EXPECT_EQ(ports.ports(), QStringList{board.name()});
    EXPECT_EQ(ports.BtIndex(), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(log.lines.isEmpty()) << qPrintable(log.lines.join(u'\n'));

    // A pseudo-terminal has no DTR or RTS line: opening must not fail on them.
    QSerialPort port;
    QString error;
    ASSERT_TRUE(SerialPortOpener::open(port, ports.selectedPort(), machine.access.get(), &error)) << qPrintable(error);
    EXPECT_EQ(port.error(), QSerialPort::NoError);
    EXPECT_EQ(port.baudRate(), 9600);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.parity(), QSerialPort::NoParity);
    EXPECT_EQ(port.stopBits(), QSerialPort::OneStop);

    // Bytes go both ways unchanged: the port is raw, no line editing or echo.
    const QByteArray toBoard("\x01\x30\r\nΑ", 6);
    ASSERT_EQ(port.write(toBoard), toBoard.size());
    ASSERT_TRUE(port.waitForBytesWritten(1000));
    EXPECT_EQ(board.read(toBoard.size(), 2000), toBoard);

    const QByteArray fromBoard("OK\r\n\x00\xff", 6);
    ASSERT_TRUE(board.write(fromBoard));
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < fromBoard.size() && timer.elapsed() < 2000) {
        port.waitForReadyRead(50);
        got += port.readAll();
    }
    EXPECT_EQ(got, fromBoard);
}

TEST(PtyPort, FailedOpenSaysWhy)
{
    QSerialPort port;
    QString error;
    const QString missing = u"/dev/vimsel-no-such-port"_s;
    EXPECT_FALSE(SerialPortOpener::open(port, missing, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(port.isOpen());

    // Refused for lack of permission: the explanation of how to get it.
    DenyAll denied;
    EXPECT_FALSE(SerialPortOpener::open(port, missing, &denied, &error));
    EXPECT_EQ(error, PortPermissionHelp::lines(missing).join(u'\n'));
}

} // namespace

#include "serial/PortAccess.h"
#include "serial/PortPermissionHelp.h"
#include "serial/PortSource.h"
#include "serial/SerialPorts.h"
#include "shell/IntSettings.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

class FakeSource : public PortSource {
public:
    explicit FakeSource(QStringList found, QString traceLine = {}) : ports(std::move(found)), trace(std::move(traceLine)) {}
    QStringList listPorts(DebugLog &log) const override
    {
        if (!trace.isEmpty())
            log.AddDebug(trace);
        return ports;
    }
    void listInBackground() override { ++backgroundStarts; }
    QStringList ports;
    QString trace;
    int backgroundStarts = 0;
};

class FakeAccess : public PortAccess {
public:
    bool permissionDenied(const QString &port) const override { return refused.contains(port); }
    QStringList refused;
};

struct Ports {
    explicit Ports(const std::vector<QStringList> &found)
    {
        std::vector<std::unique_ptr<PortSource>> sources;
        for (const QStringList &ports : found) {
            sources.push_back(std::make_unique<FakeSource>(ports));
            fakes.push_back(static_cast<FakeSource *>(sources.back().get()));
        }
        list = std::make_unique<SerialPorts>(std::move(sources), settings, log, &prompt, &access);
    }
    MemoryIntSettings settings;
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    FakeAccess access;
    std::vector<FakeSource *> fakes;
    std::unique_ptr<SerialPorts> list;
};

struct RefreshCase {
    const char *name;
    std::vector<QStringList> sources;
    QString fixedPort;              // the port of "BTPort.ini"
    std::optional<int> storedIndex;
    QString storedPort;
    QStringList ports;
    int index;
    QString shown;
};

void PrintTo(const RefreshCase &c, std::ostream *os)
{
    *os << c.name;
}

// Start-up lets the sources look in the background; a port fixed in "BTPort.ini" is
// all that is offered, and nothing is looked for then.
TEST(SerialPorts, SourcesLookInTheBackgroundUnlessAPortIsFixed)
{
    for (const QString &fixed : {QString(), u"/dev/rfcomm0"_s}) {
        Ports p({{u"/dev/ttyUSB0"_s}, {}});
        p.list->listInBackground(fixed);
        int starts = 0;
        for (const FakeSource *source : p.fakes)
            starts += source->backgroundStarts;
        EXPECT_EQ(starts, fixed.isEmpty() ? 2 : 0) << qPrintable(fixed);
    }
}

class PortRefresh : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(PortRefresh, ListsSelectsAndShows)
{
    const RefreshCase &c = GetParam();
    Ports p(c.sources);
    if (c.storedIndex)
        p.settings.values.insert(SerialPorts::indexKey(), *c.storedIndex);
    if (!c.storedPort.isEmpty())
        p.settings.texts.insert(SerialPorts::portKey(), c.storedPort);

    p.list->RefreshPorts(c.fixedPort);

    EXPECT_EQ(p.list->ports(), c.ports);
    EXPECT_EQ(p.list->BtIndex(), c.index);
    EXPECT_EQ(p.list->shownText(), c.shown);
    EXPECT_EQ(p.list->selectedPort(), c.index >= 0 ? c.shown : QString());
    EXPECT_EQ(p.prompt.messages, c.index < 0 ? QStringList{SerialPorts::noPortsText()} : QStringList());
    // A refresh never writes the choice: the stored index applies again when the
    // ports come back.
    EXPECT_EQ(p.settings.writes, 0);
}

const QStringList Three{u"/dev/ttyACM0"_s, u"/dev/ttyS0"_s, u"/dev/ttyUSB0"_s};

INSTANTIATE_TEST_SUITE_P(
    Cases, PortRefresh,
    ::testing::Values(
        RefreshCase{"SortedAsTextIgnoringCase", {{u"COM3"_s, u"COM10"_s}}, {}, {}, {},
                    {u"COM10"_s, u"COM3"_s}, 0, u"COM10"_s},
        RefreshCase{"LinuxNamesSortedIgnoringCase", {{u"/dev/ttyUSB0"_s, u"/dev/ttyS0"_s, u"/dev/ttyACM0"_s}}, {}, {}, {},
                    Three, 0, u"/dev/ttyACM0"_s},
        RefreshCase{"PortOfTwoSourcesListedOnce", {{u"COM3"_s, u"COM4"_s}, {u"COM4"_s, u"COM3"_s, u"COM4"_s}}, {}, {}, {},
                    {u"COM3"_s, u"COM4"_s}, 0, u"COM3"_s},
        // Device names are case-sensitive on Linux: both are real, in a fixed order.
        RefreshCase{"NamesEqualButForCaseBothListed", {{u"/dev/ttyusb0"_s}, {u"/dev/ttyUSB0"_s, QString()}}, {}, {}, {},
                    {u"/dev/ttyUSB0"_s, u"/dev/ttyusb0"_s}, 0, u"/dev/ttyUSB0"_s},
        RefreshCase{"FixedPortReplacesDiscovery", {Three}, u"COM7"_s, {}, {}, {u"COM7"_s}, 0, u"COM7"_s},
        RefreshCase{"FixedPortSelectedWhateverIsStored", {Three}, u"/dev/pts/4"_s, 2, u"/dev/ttyUSB0"_s,
                    {u"/dev/pts/4"_s}, 0, u"/dev/pts/4"_s},
        RefreshCase{"StoredIndexSelects", {Three}, {}, 1, {}, Three, 1, u"/dev/ttyS0"_s},
        RefreshCase{"StoredIndexAboveCountSelectsLast", {Three}, {}, 5, {}, Three, 2, u"/dev/ttyUSB0"_s},
        RefreshCase{"NegativeStoredIndexIgnored", {Three}, {}, -1, {}, Three, 0, u"/dev/ttyACM0"_s},
        RefreshCase{"NoPortsWithStoredIndex", {{}}, {}, 2, u"/dev/ttyUSB0"_s, {}, -1, u"None"_s},
        RefreshCase{"NoSourcesAtAll", {}, {}, {}, {}, {}, -1, u"None"_s},
        // Another adapter plugged in moved the chosen board down the list.
        RefreshCase{"StoredPortFollowedByName", {Three}, {}, 0, u"/dev/ttyUSB0"_s, Three, 2, u"/dev/ttyUSB0"_s},
        RefreshCase{"StoredPortGoneStoredIndexApplies", {Three}, {}, 1, u"/dev/ttyUSB7"_s, Three, 1, u"/dev/ttyS0"_s}),
    [](const ::testing::TestParamInfo<RefreshCase> &info) { return std::string(info.param.name); });

TEST(SerialPorts, ChoiceIsStoredWithItsNameAndFollowsThePort)
{
    Ports p({{u"/dev/ttyACM0"_s, u"/dev/ttyUSB0"_s}});
    p.list->RefreshPorts({});
    p.list->PortSelected(1);
    EXPECT_EQ(p.list->BtIndex(), 1);
    EXPECT_EQ(p.settings.values.value(SerialPorts::indexKey()), 1);
    EXPECT_EQ(p.settings.texts.value(SerialPorts::portKey()), u"/dev/ttyUSB0"_s);

    // Outside the list nothing changes and nothing is written.
    const int writes = p.settings.writes;
    p.list->PortSelected(2);
    p.list->PortSelected(-1);
    EXPECT_EQ(p.list->BtIndex(), 1);
    EXPECT_EQ(p.settings.writes, writes);

    // The next run lists a third port before it: the choice is still the same port.
    Ports next({{u"/dev/ttyACM0"_s, u"/dev/ttyACM1"_s, u"/dev/ttyUSB0"_s}});
    next.settings.values = p.settings.values;
    next.settings.texts = p.settings.texts;
    next.list->RefreshPorts({});
    EXPECT_EQ(next.list->selectedPort(), u"/dev/ttyUSB0"_s);
}

TEST(SerialPorts, RefreshAfterThePortsWentAwayKeepsNoStaleSelection)
{
    auto source = std::make_unique<FakeSource>(QStringList{u"/dev/ttyUSB0"_s});
    FakeSource *fake = source.get();
    std::vector<std::unique_ptr<PortSource>> sources;
    sources.push_back(std::move(source));
    MemoryIntSettings settings;
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    SerialPorts ports(std::move(sources), settings, log, &prompt);
    ports.RefreshPorts({});
    ASSERT_EQ(ports.selectedPort(), u"/dev/ttyUSB0"_s);

    fake->ports.clear();
    ports.RefreshPorts({});
    EXPECT_EQ(ports.BtIndex(), -1);
    EXPECT_TRUE(ports.selectedPort().isEmpty());
    EXPECT_EQ(prompt.messages, QStringList{SerialPorts::noPortsText()});
}

TEST(SerialPorts, SourcesTraceIntoTheDebugList)
{
    std::vector<std::unique_ptr<PortSource>> sources;
    sources.push_back(std::make_unique<FakeSource>(QStringList{u"/dev/rfcomm0"_s},
                                                   u"Bluetooth Port Added: /dev/rfcomm0"_s));
    MemoryIntSettings settings;
    MemoryDebugLog log;
    SerialPorts ports(std::move(sources), settings, log, nullptr);
    ports.RefreshPorts({});
    EXPECT_EQ(log.lines, QStringList{u"Bluetooth Port Added: /dev/rfcomm0"_s});
}

TEST(SerialPorts, RefusedPortIsExplainedWhenSelected)
{
    Ports p({{u"/dev/ttyACM0"_s, u"/dev/ttyUSB0"_s}});
    p.access.refused = {u"/dev/ttyUSB0"_s};
    p.list->RefreshPorts({});
    EXPECT_TRUE(p.log.lines.isEmpty());

    p.list->PortSelected(1);
    EXPECT_EQ(p.log.lines, PortPermissionHelp::lines(u"/dev/ttyUSB0"_s));
    p.log.lines.clear();
    p.list->RefreshPorts({});
    EXPECT_EQ(p.log.lines, PortPermissionHelp::lines(u"/dev/ttyUSB0"_s));

    const QStringList lines = PortPermissionHelp::lines(u"/dev/ttyUSB0"_s);
    EXPECT_TRUE(lines.first().contains(u"/dev/ttyUSB0"_s));
    EXPECT_TRUE(lines.contains(u"sudo usermod -aG dialout $USER"_s)) << qPrintable(lines.join(u'\n'));
    EXPECT_TRUE(PortPermissionHelp::text().contains(u"αποσυνδεθείτε και συνδεθείτε ξανά"_s));
}

TEST(SerialPorts, FixedPortComesFromBTPortIni)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(SerialPorts::ReadBluetoothPortSetting(dir.path()).isEmpty());

    const auto write = [&](const QByteArray &bytes) {
        QFile f(dir.filePath(u"BTPort.ini"_s));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    write("[Other]\r\nComPort=COM9\r\n");
    EXPECT_TRUE(SerialPorts::ReadBluetoothPortSetting(dir.path()).isEmpty());
    write("[bluetooth]\r\ncomport = /dev/rfcomm0 \r\n");
    EXPECT_EQ(SerialPorts::ReadBluetoothPortSetting(dir.path()), u"/dev/rfcomm0"_s);
}

} // namespace

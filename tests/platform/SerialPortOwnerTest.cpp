// One owner per serial port: live mode lets go between transfers, a running upload or
// burn keeps its port, a lease gives the port back when it ends.
#include "serial/SerialPortOwner.h"

#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SerialPortOwner, LiveModeLetsGoOfItsPortForAnUpload)
{
    SerialPortOwner owner;
    bool open = true;
    std::unique_ptr<SerialPortOwner::Lease> live =
        owner.take(u"/dev/ttyUSB0"_s, PortUse::Live, [&open] { open = false; return true; });
    ASSERT_TRUE(live);
    auto upload = owner.take(u"/dev/ttyUSB0"_s, PortUse::Upload);
    ASSERT_TRUE(upload);
    EXPECT_FALSE(open);
    EXPECT_EQ(owner.holder(u"/dev/ttyUSB0"_s), PortUse::Upload);
    // The old lease ending does not give away the upload's port.
    live.reset();
    EXPECT_EQ(owner.holder(u"/dev/ttyUSB0"_s), PortUse::Upload);
    upload.reset();
    EXPECT_FALSE(owner.holder(u"/dev/ttyUSB0"_s));
}

TEST(SerialPortOwner, APortInUseIsRefusedNamingItsUser)
{
    SerialPortOwner owner;
    auto transfer = owner.take(u"/dev/ttyUSB0"_s, PortUse::Live, [] { return false; });
    PortUse heldBy = PortUse::Burn;
    EXPECT_FALSE(owner.take(u"/dev/ttyUSB0"_s, PortUse::Upload, {}, &heldBy));
    EXPECT_EQ(heldBy, PortUse::Live);
    auto burn = owner.take(u"/dev/ttyACM0"_s, PortUse::Burn);
    ASSERT_TRUE(burn);
    EXPECT_FALSE(owner.take(u"/dev/ttyACM0"_s, PortUse::Live, [] { return true; }, &heldBy));
    EXPECT_EQ(heldBy, PortUse::Burn);
    EXPECT_TRUE(portInUseMessage(heldBy, u"/dev/ttyACM0"_s).contains(u"«Ακύρωση»"_s));
}

TEST(SerialPortOwner, ALinkAndItsTargetAreOnePort)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"ttyS9"_s), link = dir.filePath(u"board"_s);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(target, link));
    SerialPortOwner owner;
    auto burn = owner.take(link, PortUse::Burn);
    ASSERT_TRUE(burn);
    EXPECT_FALSE(owner.take(target, PortUse::Upload));
}

TEST(SerialPortOwner, ALeaseMayOutliveItsOwner)
{
    auto owner = std::make_unique<SerialPortOwner>();
    auto lease = owner->take(u"/dev/ttyUSB0"_s, PortUse::Upload);
    owner.reset();
    lease.reset();
}

} // namespace

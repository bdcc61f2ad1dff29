#include "serial/linux/FilePortAccess.h"
#include "serial/linux/RfcommPortSource.h"
#include "util/DebugLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path);
}

TEST(RfcommPortSource, ListsBoundBluetoothPortsOnly)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    for (const QString &name : {u"rfcomm1"_s, u"rfcomm0"_s, u"ttyS0"_s, u"ttyUSB0"_s})
        touch(dev.filePath(name));

    MemoryDebugLog log;
    const QStringList ports = RfcommPortSource(dev.path()).listPorts(log);
    const QStringList expected{dev.filePath(u"rfcomm0"_s), dev.filePath(u"rfcomm1"_s)};
    EXPECT_EQ(ports, expected);
    EXPECT_EQ(log.lines, (QStringList{u"Bluetooth Port Added: "_s + expected[0], u"Bluetooth Port Added: "_s + expected[1]}));

    MemoryDebugLog none;
    EXPECT_TRUE(RfcommPortSource(dev.filePath(u"missing"_s)).listPorts(none).isEmpty());
}

// Asks the check as a user outside the port's group. Root may open every file, so
// then the check runs in a child process that has become the user "nobody".
bool refusedToAnotherUser(const QString &port)
{
    if (geteuid() != 0)
        return FilePortAccess().permissionDenied(port);
    const pid_t child = fork();
    if (child == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        _exit(FilePortAccess().permissionDenied(port) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST(FilePortAccess, RefusesOnlyPortsTheUserMayNotOpen)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    const QString port = dev.filePath(u"ttyUSB0"_s);
    touch(port);
    FilePortAccess access;
    EXPECT_FALSE(access.permissionDenied(port));
    EXPECT_FALSE(access.permissionDenied(dev.filePath(u"ttyUSB9"_s)));

    // As in /dev: everybody may look into the folder, only the owner use the port.
    ASSERT_TRUE(QFile::setPermissions(dev.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                      | QFileDevice::ReadOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(port, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    if (geteuid() != 0)
        ASSERT_TRUE(QFile::setPermissions(port, QFileDevice::Permissions()));
    EXPECT_TRUE(refusedToAnotherUser(port));
    EXPECT_FALSE(refusedToAnotherUser(dev.filePath(u"ttyUSB9"_s)));
}

} // namespace

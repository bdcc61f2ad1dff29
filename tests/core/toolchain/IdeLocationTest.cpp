#include "toolchain/IdeDebugSetting.h"
#include "toolchain/IdeLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A folder holding an executable launcher.
void makeIde(const QString &folder)
{
    QDir().mkpath(folder);
    QFile launcher(folder + u'/' + IdeLocation::launcherName());
    ASSERT_TRUE(launcher.open(QIODevice::WriteOnly));
    launcher.write("#!/bin/sh\n");
    launcher.close();
    launcher.setPermissions(launcher.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

class IdeLocationTest : public ::testing::Test {
protected:
    QString dir(const QString &name) const { return root.filePath(name); }
    IdeLocation location(const QString &pathFolder) const
    {
        return IdeLocation(dir(u"program"_s), dir(u"writable"_s), pathFolder);
    }
    QTemporaryDir root;
};

TEST_F(IdeLocationTest, WithoutOptionsTheWindowAndTheBuildFallBackToTheIdeFoundOnPath)
{
    QDir().mkpath(dir(u"writable"_s));
    makeIde(dir(u"bin"_s));
    const IdeLocation where = location(dir(u"bin"_s));
    EXPECT_EQ(where.windowDefault(), dir(u"bin"_s));
    EXPECT_EQ(where.ReadIdePath(), dir(u"bin"_s));

    // An IDE in the folder "Arduino" beside the program comes first for the window.
    makeIde(dir(u"program/Arduino"_s));
    EXPECT_EQ(location(dir(u"bin"_s)).windowDefault(), dir(u"program"_s) + u"/Arduino"_s);
    // Without any, the window proposes that folder all the same.
    EXPECT_EQ(location({}).windowDefault(), dir(u"program"_s) + u"/Arduino"_s);
}

TEST_F(IdeLocationTest, TheFolderIsStoredAsEnteredAndReadAnewEachTime)
{
    QDir().mkpath(dir(u"writable"_s));
    makeIde(dir(u"ide"_s));
    const IdeLocation where = location({});
    ASSERT_TRUE(where.writePath(dir(u"ide"_s) + u'/'));
    EXPECT_EQ(where.ReadIdePath(), dir(u"ide"_s) + u'/');
    EXPECT_EQ(where.storedOrDefault(), dir(u"ide"_s) + u'/');
    QFile options(where.optionsFile());
    ASSERT_TRUE(options.open(QIODevice::ReadOnly));
    EXPECT_EQ(options.readAll(), "[Arduino]\r\nPath=" + (dir(u"ide"_s) + u'/').toUtf8() + "\r\n");
    options.close();

    ASSERT_TRUE(where.writePath(dir(u"ide"_s)));
    EXPECT_EQ(where.ReadIdePath(), dir(u"ide"_s));
}

TEST_F(IdeLocationTest, OnlyAFolderWithAnExecutableLauncherIsValid)
{
    makeIde(dir(u"ide"_s));
    EXPECT_TRUE(IdeLocation::isValidFolder(dir(u"ide"_s)));
    EXPECT_TRUE(IdeLocation::isValidFolder(dir(u"ide"_s) + u'/'));
    EXPECT_FALSE(IdeLocation::isValidFolder(dir(u"nothing"_s)));
    EXPECT_FALSE(IdeLocation::isValidFolder(QString()));
    QDir().mkpath(dir(u"plain"_s));
    QFile notRunnable(dir(u"plain"_s) + u'/' + IdeLocation::launcherName());
    ASSERT_TRUE(notRunnable.open(QIODevice::WriteOnly));
    notRunnable.close();
    notRunnable.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(IdeLocation::isValidFolder(dir(u"plain"_s)));
}

struct DebugCase {
    const char *name;
    QByteArray before;
    QByteArray after;  // equal to before: left alone
};

void PrintTo(const DebugCase &c, std::ostream *os)
{
    *os << c.name;
}

class LauncherDebugSetting : public ::testing::TestWithParam<DebugCase> {};

TEST_P(LauncherDebugSetting, AnEmptyOrMissingValueBecomesFalse)
{
    QTemporaryDir ide;
    const QString file = ide.filePath(IdeDebugSetting::launcherFileName());
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(GetParam().before);
    }
    EXPECT_EQ(IdeDebugSetting::ensure(ide.path()), GetParam().after != GetParam().before);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LauncherDebugSetting,
    ::testing::Values(DebugCase{"EmptyValue", "-Xms256m\r\n-DDebug=\r\n-Xmx512m\r\n", "-Xms256m\r\n-DDebug=false\r\n-Xmx512m\r\n"},
                      DebugCase{"NoValue", "-DDebug\n-Xmx512m\n", "-DDebug=false\n-Xmx512m\n"},
                      DebugCase{"Missing", "-Xms256m\r\n", "-Xms256m\r\n-DDebug=false\r\n"},
                      DebugCase{"Set", "-DDebug=true\r\n", "-DDebug=true\r\n"},
                      DebugCase{"OtherNameWithThePrefix", "-DDebugger=1\r\n-DDebug=x\r\n", "-DDebugger=1\r\n-DDebug=x\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LauncherDebugSettingFile, AFolderWithoutTheFileIsLeftAlone)
{
    QTemporaryDir ide;
    EXPECT_FALSE(IdeDebugSetting::ensure(ide.path()));
    EXPECT_FALSE(QFile::exists(ide.filePath(IdeDebugSetting::launcherFileName())));
}

} // namespace

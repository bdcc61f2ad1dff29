#include "toolchain/LiveModeOption.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LiveModeOption, OffUntilChosenAndStoredBesideTheIdeFolder)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Options.ini"_s);
    EXPECT_FALSE(LiveModeOption::read(file));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Arduino]\r\nPath=/usr/bin\r\n");
    }
    ASSERT_TRUE(LiveModeOption::write(file, true));
    EXPECT_TRUE(LiveModeOption::read(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Arduino]\r\nPath=/usr/bin\r\n[Live]\r\nEnabled=1\r\n");
    f.close();
    ASSERT_TRUE(LiveModeOption::write(file, false));
    EXPECT_FALSE(LiveModeOption::read(file));
}

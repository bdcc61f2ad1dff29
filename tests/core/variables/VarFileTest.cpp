#include "variables/VarFile.h"

#include "util/IniFile.h"
#include "variables/TArduVariables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class VarFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString project() const { return dir.filePath(u"robot.vzl"_s); }
    QString varFile() const { return dir.filePath(u"robot.var"_s); }

    void writeVarFile(const QByteArray &bytes) const
    {
        QFile f(varFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QStringList names(const TArduVariables &v) const
    {
        QStringList out;
        for (int i = 0; i < v.count(); ++i)
            out.append(v.GetArduVar(i)->VarName);
        return out;
    }

    QTemporaryDir dir;
    TArduVariables vars;
};

TEST(VarFileNameTest, ReplacesOrAppendsTheExtension)
{
    EXPECT_EQ(VarFileName(u"C:\\Έργα\\robot.vzl"_s), u"C:\\Έργα\\robot.var"_s);
    EXPECT_EQ(VarFileName(u"/home/a.b/robot"_s), u"/home/a.b/robot.var"_s);
    EXPECT_EQ(VarFileName(u"robot.old.vzl"_s), u"robot.old.var"_s);
}

TEST_F(VarFileTest, GreekNamesRoundTrip)
{
    vars.Newvar(u"Μετρητής"_s);
    vars.Newvar(u"Θέση Χ"_s);
    vars.Newvar(u" κενά γύρω "_s);  // kept exactly despite the INI trimming
    ASSERT_TRUE(SaveVars(vars, project()));

    TArduVariables loaded;
    ASSERT_TRUE(LoadVars(loaded, project()));
    EXPECT_EQ(names(loaded), names(vars));
    EXPECT_EQ(loaded.GetArduVar(2)->VarID, 3);

    IniFile ini(varFile());
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.sectionNames(), (QStringList{u"Var Count"_s, u"Var_0"_s, u"Var_1"_s, u"Var_2"_s}));
    EXPECT_EQ(ini.readString(u"Var_0"_s, u"VarName"_s), u"Μετρητής"_s);
}

TEST_F(VarFileTest, SavingFewerLeavesOldSectionsThatLoadingIgnores)
{
    for (const QString &n : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s})
        vars.Newvar(n);
    ASSERT_TRUE(SaveVars(vars, project()));
    vars.DeleteVar(u"a"_s);
    vars.DeleteVar(u"c"_s);
    ASSERT_TRUE(SaveVars(vars, project()));

    IniFile ini(varFile());
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInteger(u"Var Count"_s, u"Count"_s, -1), 3);
    EXPECT_EQ(ini.readString(u"Var_3"_s, u"VarName"_s), u"d"_s);
    EXPECT_EQ(ini.readString(u"Var_4"_s, u"VarName"_s), u"e"_s);

    TArduVariables loaded;
    ASSERT_TRUE(LoadVars(loaded, project()));
    EXPECT_EQ(names(loaded), (QStringList{u"b"_s, u"d"_s, u"e"_s}));
    EXPECT_EQ(loaded.GetVarByName(u"e"_s)->VarID, 5);
}

TEST_F(VarFileTest, StoredIdsAreKept)
{
    writeVarFile("[Var Count]\r\nCount=2\r\n"
                 "[Var_0]\r\nVarName=x\r\nVarID=7\r\nVarValue=\r\n"
                 "[Var_1]\r\nVarName=y\r\nVarID=3\r\nVarValue=\r\n");
    ASSERT_TRUE(LoadVars(vars, project()));
    EXPECT_EQ(vars.GetVarByName(u"x"_s)->VarID, 7);
    EXPECT_EQ(vars.GetVarByName(u"y"_s)->VarID, 3);
    EXPECT_EQ(vars.Newvar(u"z"_s)->VarID, 8);
}

TEST_F(VarFileTest, MissingAndDamagedEntries)
{
    // Var_1 has no name and a non-numeric id; Var_2 is missing altogether.
    writeVarFile("[var count]\ncount = 3\n"
                 "[VAR_0]\nvarname=a\nvarid=5\nvarvalue=v\n"
                 "[Var_1]\nVarID=x7\n");
    int notifications = 0;
    vars.Newvar(u"old"_s);
    vars.addChangeListener([&] { ++notifications; });
    ASSERT_TRUE(LoadVars(vars, project()));
    EXPECT_EQ(notifications, 4);  // EmptyVars, then one Newvar per variable
    ASSERT_EQ(vars.count(), 3);
    EXPECT_EQ(vars.GetArduVar(0)->VarValue, u"v"_s);
    EXPECT_EQ(vars.GetArduVar(1)->VarName, QString());
    EXPECT_EQ(vars.GetArduVar(1)->VarID, 6);  // the id Newvar gave
    EXPECT_EQ(vars.GetArduVar(2)->VarID, 7);
}

TEST_F(VarFileTest, CountMissingOrNotANumberGivesEmptyTable)
{
    for (const QByteArray &bytes : {QByteArray("[Var_0]\r\nVarName=a\r\n"),
                                    QByteArray("[Var Count]\r\nCount=zwei\r\n[Var_0]\r\nVarName=a\r\n")}) {
        writeVarFile(bytes);
        vars.Newvar(u"old"_s);
        ASSERT_TRUE(LoadVars(vars, project()));
        EXPECT_EQ(vars.count(), 0);
    }
    ASSERT_TRUE(QFile::remove(varFile()));
    vars.Newvar(u"old"_s);
    EXPECT_TRUE(LoadVars(vars, project()));
    EXPECT_EQ(vars.count(), 0);
}

TEST_F(VarFileTest, HugeCountIsBoundedByTheFile)
{
    writeVarFile("[Var Count]\r\nCount=2000000000\r\n[Var_0]\r\nVarName=a\r\n");
    ASSERT_TRUE(LoadVars(vars, project()));
    EXPECT_EQ(vars.count(), 2);
    EXPECT_EQ(vars.GetArduVar(0)->VarName, u"a"_s);
}

TEST_F(VarFileTest, GreekWindowsFileLoads)
{
    // "Μετρητής" and "Θέση" in Windows-1253.
    writeVarFile("[Var Count]\r\nCount=2\r\n"
                 "[Var_0]\r\nVarName=\xCC\xE5\xF4\xF1\xE7\xF4\xDE\xF2\r\nVarID=1\r\nVarValue=\r\n"
                 "[Var_1]\r\nVarName=\xC8\xDD\xF3\xE7\r\nVarID=2\r\nVarValue=\r\n");
    ASSERT_TRUE(LoadVars(vars, project()));
    EXPECT_EQ(names(vars), (QStringList{u"Μετρητής"_s, u"Θέση"_s}));
    EXPECT_EQ(vars.GetRealVarName(u"Μετρητής"_s), u"Metritis"_s);
}

TEST_F(VarFileTest, UnreadableFileIsReportedAndNotOverwritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"robot.var"_s));  // a folder where the file should be
    vars.Newvar(u"a"_s);
    QString error;
    EXPECT_FALSE(SaveVars(vars, project(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(LoadVars(vars, project(), &error));
    EXPECT_EQ(vars.count(), 0);
}

} // namespace

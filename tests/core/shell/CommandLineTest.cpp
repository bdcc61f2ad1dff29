#include "shell/CommandLine.h"

#include "shell/ProgramVersion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Action = CommandLine::Action;

struct LineCase {
    const char *name;
    QStringList args;
    Action action;
    QString file;           // expected for Action::Run
    QString errorContains;  // expected for Action::Error
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandLineCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineCases, Parse)
{
    const LineCase &c = GetParam();
    const CommandLine::Result r = CommandLine::parse(c.args, u"/home/teacher/Έγγραφα"_s);
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.file, c.file);
    if (c.action == Action::Error)
        EXPECT_TRUE(r.error.contains(c.errorContains)) << qPrintable(r.error);
    else
        EXPECT_TRUE(r.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineCases,
    ::testing::Values(
        LineCase{"Nothing", {}, Action::Run, {}, {}},
        LineCase{"AbsoluteFile", {u"/srv/τάξη/φανάρι.vzl"_s}, Action::Run, u"/srv/τάξη/φανάρι.vzl"_s, {}},
        LineCase{"RelativeFileFromTheCurrentFolder", {u"../Β2/robot.vzl"_s}, Action::Run,
                 u"/home/teacher/Β2/robot.vzl"_s, {}},
        LineCase{"FileAddress", {u"file:///home/teacher/SOS%20%CE%B1.vzl"_s}, Action::Run,
                 u"/home/teacher/SOS α.vzl"_s, {}},
        LineCase{"HelpWinsOverAFile", {u"blink.vzl"_s, u"--help"_s}, Action::Help, {}, {}},
        LineCase{"ShortHelp", {u"-h"_s}, Action::Help, {}, {}},
        LineCase{"Version", {u"--version"_s}, Action::Version, {}, {}},
        LineCase{"VersionWinsOverAnUnknownOption", {u"--what"_s, u"-v"_s}, Action::Version, {}, {}},
        LineCase{"UnknownOption", {u"--fullscreen"_s}, Action::Error, {}, u"«--fullscreen»"_s},
        LineCase{"TwoFiles", {u"a.vzl"_s, u"b.vzl"_s}, Action::Error, {}, u"2 αρχεία"_s},
        LineCase{"DashDashEndsTheOptions", {u"--"_s, u"-odd-name.vzl"_s}, Action::Run,
                 u"/home/teacher/Έγγραφα/-odd-name.vzl"_s, {}},
        LineCase{"HelpAfterDashDashIsAFile", {u"--"_s, u"--help"_s}, Action::Run,
                 u"/home/teacher/Έγγραφα/--help"_s, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CommandLine, HelpAndVersionAreGreekAndCarryTheProgramVersion)
{
    const QString help = CommandLine::helpText(u"/home/μαθητής/.local/share/x"_s);
    EXPECT_TRUE(help.startsWith(u"Χρήση: vimsel [ΑΡΧΕΙΟ.vzl]\n"_s));
    EXPECT_TRUE(help.contains(u"--version"_s));
    EXPECT_TRUE(help.contains(u"  /home/μαθητής/.local/share/x\n"_s));
    EXPECT_EQ(CommandLine::versionText(),
              u"vimsel "_s + ProgramVersion::versionText() + u"\nΈλεγχος συσκευών Arduino\n"_s);
}

// The package carries the version the program says it is.
TEST(CommandLine, VersionIsThePackagesVersion)
{
    EXPECT_EQ(ProgramVersion::comparedVersion(), QStringLiteral(VIMSEL_PACKAGE_VERSION));
}

} // namespace

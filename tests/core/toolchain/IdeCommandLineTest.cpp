#include "toolchain/IdeCommandLine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct BoardCase {
    const char *name;
    int boardTypeId;
    QString identifier;
};

void PrintTo(const BoardCase &c, std::ostream *os)
{
    *os << c.name;
}

class BoardIdentifiers : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BoardIdentifiers, FollowTheBoardModel)
{
    EXPECT_EQ(IdeCommandLine::boardIdentifier(GetParam().boardTypeId), GetParam().identifier);
}

INSTANTIATE_TEST_SUITE_P(Boards, BoardIdentifiers,
                         ::testing::Values(BoardCase{"Uno", 0, u"arduino:avr:uno"_s},
                                           BoardCase{"Nano", 1, u"arduino:avr:uno"_s},
                                           BoardCase{"Mega", 2, u"arduino:avr:mega:cpu=atmega2560"_s},
                                           BoardCase{"NoBoard", -1, u"arduino:avr:"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(IdeCommandLine, WithAPortUploadsWithoutOneOnlyCompiles)
{
    const IdeCommandLine up = IdeCommandLine::make(u"/usr/bin"_s, u"arduino:avr:uno"_s, u"/dev/ttyUSB0"_s,
                                                   u"/opt/v/Out/Output.ino"_s, u"/opt/v/Arduino"_s);
    EXPECT_TRUE(up.upload());
    EXPECT_EQ(up.program, u"/usr/bin/arduino"_s);
    EXPECT_EQ(up.arguments,
              (QStringList{u"--board"_s, u"arduino:avr:uno"_s, u"--port"_s, u"/dev/ttyUSB0"_s, u"--upload"_s,
                           u"--pref"_s, u"compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__"_s, u"--pref"_s,
                           u"sketchbook.path=/opt/v/Arduino"_s, u"--verbose-upload"_s,
                           u"/opt/v/Out/Output.ino"_s}));

    const IdeCommandLine check = IdeCommandLine::make(u"/usr/bin/"_s, u"arduino:avr:mega:cpu=atmega2560"_s, {},
                                                      u"/opt/v/Out/Output.ino"_s, u"/opt/v/Arduino"_s);
    EXPECT_FALSE(check.upload());
    EXPECT_EQ(check.program, u"/usr/bin/arduino"_s);
    EXPECT_TRUE(check.arguments.contains(u"--verify"_s));
    EXPECT_FALSE(check.arguments.contains(u"--port"_s));
    EXPECT_FALSE(check.arguments.contains(u"--upload"_s));
    EXPECT_FALSE(check.arguments.contains(u"--verbose-upload"_s));
}

TEST(IdeCommandLine, PathsWithSpacesAndGreekLettersStayWholeArguments)
{
    const QString sketch = u"/home/μαθητής/Τα έργα μου/Out/Output.ino"_s;
    const IdeCommandLine c = IdeCommandLine::make(u"/opt/Arduino IDE"_s, u"arduino:avr:uno"_s, u"/dev/ttyACM0"_s,
                                                  sketch, u"/home/μαθητής/Vimsel/Arduino"_s);
    EXPECT_EQ(c.program, u"/opt/Arduino IDE/arduino"_s);
    EXPECT_EQ(c.arguments.last(), sketch);
    EXPECT_TRUE(c.arguments.contains(u"sketchbook.path=/home/μαθητής/Vimsel/Arduino"_s));
    // The shown command quotes what has spaces, so it can be copied into a terminal.
    EXPECT_TRUE(c.text().startsWith(u"\"/opt/Arduino IDE/arduino\" --board arduino:avr:uno --port /dev/ttyACM0 --upload"_s))
        << qPrintable(c.text());
    EXPECT_TRUE(c.text().endsWith(u" \"/home/μαθητής/Τα έργα μου/Out/Output.ino\""_s)) << qPrintable(c.text());
}

} // namespace

#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "devices/DeviceTypes.h"
#include "serial/LiveProgram.h"
#include "serial/LiveWire.h"

namespace {

QByteArray words(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += LiveWire::SplitWord(v);
    return out;
}

struct WordCase {
    const char *name;
    int value;
    QByteArray bytes;
};

class SplitWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(SplitWordTest, GivesLowByteThenTruncatedQuotient)
{
    EXPECT_EQ(LiveWire::SplitWord(GetParam().value).toHex(' '), GetParam().bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Words, SplitWordTest,
    ::testing::Values(WordCase{"Zero", 0, QByteArray::fromHex("0000")},
                      WordCase{"MinusOneIsFF00", -1, QByteArray::fromHex("ff00")},
                      WordCase{"MinusTwoFiftyFive", -255, QByteArray::fromHex("0100")},
                      WordCase{"MinusTwoFiftySix", -256, QByteArray::fromHex("00ff")},
                      WordCase{"ThreeHundred", 300, QByteArray::fromHex("2c01")},
                      WordCase{"Largest", 65535, QByteArray::fromHex("ffff")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FinalChecksum, OnlyTheEndMarkerValueIsMoved)
{
    EXPECT_EQ(LiveWire::FinalChecksum(0xFD), 0xFE);
    EXPECT_EQ(LiveWire::FinalChecksum(0xFE), 0xFE);
    EXPECT_EQ(LiveWire::FinalChecksum(0xFC), 0xFC);
    EXPECT_EQ(LiveWire::FinalChecksum(0x00), 0x00);
}

class LiveProgramTest : public ProjectFixture {
protected:
    QByteArray allBytes(const LiveProgram &p)
    {
        QByteArray out;
        for (const LiveStep &s : p.steps)
            out += s.bytes;
        return out;
    }
    QStringList allLog(const LiveProgram &p)
    {
        QStringList out;
        for (const LiveStep &s : p.steps)
            out += s.log;
        return out;
    }
    LiveProgram encode()
    {
        return LiveProgram::encode(ws().findStartBlock(), project.devices(), project.variables());
    }
};

TEST_F(LiveProgramTest, StartAndEndAreTwoRecordsWithAPauseAfterEveryWord)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    pb.below(start, place(u"Τερματισμός προγράμματος"_s));
    const LiveProgram p = encode();
    EXPECT_EQ(p.blockCount, 2);
    EXPECT_EQ(p.countByte(), 2);
    EXPECT_EQ(p.blockRecords, 2);
    EXPECT_EQ(allBytes(p).toHex(' '), words({1, -1, 0, -1, -1, 0, 2, -1, 0, -1, -1, 0}).toHex(' '));
    ASSERT_EQ(p.steps.size(), 12u);
    for (const LiveStep &s : p.steps)
        EXPECT_EQ(s.pauseMs, LiveProgram::WordPauseMs);
    EXPECT_EQ(allLog(p), (QStringList{u"Sending CMD=1 Dev= -1 p_1=0 v_1=-1 v_2=-1 p_2=0"_s,
                                      u"Sending CMD=2 Dev= -1 p_1=0 v_1=-1 v_2=-1 p_2=0"_s}));
}

TEST_F(LiveProgramTest, TextGoesAsLengthPlusOneThenItsBytesAndAZeroWithoutPauses)
{
    project.devices().AddDevice(DeviceTypes::LCD_Serial, &prompt);
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    TKeloBlock *lcd = pb.below(start, place(u"Τύπωσε στην LCD κείμενο %ps "_s));
    lcd->SetParamStr(u"AB"_s);
    const int param2Before = lcd->GetParam2();
    const LiveProgram p = encode();
    const QByteArray bytes = allBytes(p);
    EXPECT_TRUE(bytes.endsWith(LiveWire::SplitWord(3) + QByteArray("AB", 2) + QByteArray(1, '\0'))) << bytes.toHex(' ').constData();
    ASSERT_GE(p.steps.size(), 3u);
    const auto n = p.steps.size();
    EXPECT_EQ(p.steps[n - 3].log, QStringList{u"Sending ch:A"_s});
    EXPECT_EQ(p.steps[n - 2].log, QStringList{u"Sending ch:B"_s});
    EXPECT_EQ(p.steps[n - 1].pauseMs, 0);
    EXPECT_TRUE(p.steps[n - 1].endsBlockRecord);
    // Sending reads the program, it does not change it.
    EXPECT_EQ(lcd->GetParam2(), param2Before);
}

TEST_F(LiveProgramTest, RobotSendsFourRecordsTheLastCarryingItsParameterCount)
{
    const int k = project.devices().AddDevice(DeviceTypes::ROBOT, &prompt);
    for (int i = 1; i <= 7; ++i)
        project.devices().SetParam(k, i, 10 + i);
    place(u"Έναρξη προγράμματος"_s);
    const LiveProgram p = encode();
    const int cmd = DeviceTypes::at(DeviceTypes::ROBOT).DeviceCmdId;
    const QByteArray devices = words({cmd, 0, 11, -1, -1, 12, cmd, 0, 13, -1, -1, 14,
                                      cmd, 0, 15, -1, -1, 16, cmd, 0, 17, -1, -1, 7});
    EXPECT_EQ(allBytes(p).left(devices.size()).toHex(' '), devices.toHex(' '));
    EXPECT_EQ(p.deviceCount, 1);
    EXPECT_EQ(p.countByte(), 2);
    EXPECT_EQ(allLog(p).mid(0, 8),
              (QStringList{u"------------------------"_s, u"Setup Cmd:50"_s, u"Device ID:0"_s, u"Param 1  :11"_s,
                           u"Vars 1   :-1"_s, u"Vars 2   :-1"_s, u"Param 2  :12"_s, u"------------------------"_s}));
}

TEST_F(LiveProgramTest, DeviceWithoutParametersStillSendsOneRecord)
{
    project.devices().AddDevice(DeviceTypes::BMP, &prompt);
    place(u"Έναρξη προγράμματος"_s);
    const QByteArray bytes = allBytes(encode());
    const int cmd = DeviceTypes::at(DeviceTypes::BMP).DeviceCmdId;
    EXPECT_EQ(bytes.left(12).toHex(' '), words({cmd, 0, 0, -1, -1, 0}).toHex(' '));
    EXPECT_EQ(bytes.size(), 12 + 12);
}

TEST_F(LiveProgramTest, SlotValuesAreVariableIdsReadingCommandsOrMinusOne)
{
    project.variables().Newvar(u"Άλφα"_s);
    TArduVar *beta = project.variables().Newvar(u"Βήτα"_s);
    project.variables().setVarID(beta, 42);
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    TKeloBlock *w = pb.below(start, wait());
    w->SetVarParam1(pb.placeVariable(u"Βήτα"_s));
    const LiveProgram p = encode();
    EXPECT_EQ(allBytes(p).mid(12, 12).toHex(' '), words({250, -1, w->GetParam1(), 42, -1, w->GetParam2()}).toHex(' '));

    TKeloBlock reading(&ws());
    reading.CommndID = 180;
    EXPECT_EQ(LiveProgram::variableValue(&reading, project.variables()), 180);
    reading.CommndID = 7;
    reading.param1question = u"Γάμμα"_s;  // no such variable: a damaged project
    EXPECT_EQ(LiveProgram::variableValue(&reading, project.variables()), 0);
    EXPECT_EQ(LiveProgram::variableValue(nullptr, project.variables()), -1);
}

TEST_F(LiveProgramTest, ContainerBodyThenElseChainThenEndBlockThenTheRest)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = static_cast<TKeloContainerBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
    auto *cond = static_cast<TKeloControlElseBlock *>(pb.intoBody(loop, place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s)));
    pb.intoBody(cond, place(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s));
    pb.intoElse(cond, place(u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s));
    pb.after(loop, place(u"Τερματισμός προγράμματος"_s));
    QList<int> commands;
    const LiveProgram p = encode();
    for (const QString &line : allLog(p))
        commands.append(line.section(u'=', 1, 1).section(u' ', 0, 0).toInt());
    EXPECT_EQ(commands, (QList<int>{1, 70, 94, 202, TKeloBlock::ElseHeaderCommandId, 203,
                                    TKeloBlock::EndBlockCommandId, TKeloBlock::EndBlockCommandId, 2}));
    EXPECT_EQ(p.blockRecords, commands.size());
    EXPECT_EQ(p.blockCount, start->getKeloBlockListSize());
}

TEST_F(LiveProgramTest, DeepNestingIsEncodedWithoutRecursion)
{
    pb.setLayout(false);
    // Deep enough to overflow the stack of a walk that recurses once per level; built
    // apart, then put under the start block.
    auto *outer = static_cast<TKeloContainerBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    TKeloContainerBlock *inner = outer;
    for (int i = 1; i < 100000; ++i)
        inner = static_cast<TKeloContainerBlock *>(pb.intoBody(inner, place(u"Επανάλαβε %p1 φορές"_s)));
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    pb.below(start, outer);
    const LiveProgram p = encode();
    EXPECT_EQ(p.blockRecords, 1 + 200000);
    EXPECT_EQ(p.blockCount, start->getKeloBlockListSize());
    // Each loop reports the size of its body, as the block itself gives it.
    EXPECT_TRUE(allLog(p).at(1).endsWith(u" p_2="_s + QString::number(outer->getContainersize())))
        << qPrintable(allLog(p).at(1));
    EXPECT_TRUE(allLog(p).at(100000).endsWith(u" p_2=1"_s)) << qPrintable(allLog(p).at(100000));
    // Loops first, then their end blocks.
    EXPECT_TRUE(allLog(p).at(100000).startsWith(u"Sending CMD=70 "_s)) << qPrintable(allLog(p).at(100000));
    EXPECT_TRUE(allLog(p).at(100001).startsWith(u"Sending CMD=%1 "_s.arg(TKeloBlock::EndBlockCommandId)));
    ws().destroyBlock(start);
}

} // namespace

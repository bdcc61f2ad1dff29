#include "support/ProjectFixture.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"
#include "project/BlockReader.h"
#include "project/BlockWriter.h"
#include "project/ExampleProject.h"
#include "project/ObjectTextWriter.h"
#include "project/ProjectFiles.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProgramFile : public ProjectFixture {
protected:
    // A program with every kind of block: loops, an if/else with both branches, value
    // blocks in slots, variable commands, device commands and a loose block.
    void buildRichProgram()
    {
        ActiveDevices &d = project.devices();
        d.AddDevice(DeviceTypes::UltraSonic, &prompt);
        d.SetParam(0, 1, 7);
        d.SetParam(0, 2, 8);
        d.AddDevice(DeviceTypes::Servo, &prompt);
        d.SetParam(1, 1, 9);
        d.AddDevice(DeviceTypes::LCD_Serial, &prompt);
        project.variables().Newvar(u"Απόσταση"_s);
        project.variables().Newvar(u"Μετρητής"_s);

        TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
        start->SetBounds(30, 20, start->Width(), start->Height());
        auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
        loop->SetParam1(3);
        auto *set = static_cast<TKeloCommandVarBlock *>(pb.intoBody(loop, place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s)));
        set->VarComboChange(0);
        TKeloBlock *reading = place(u"%pd → Απόσταση"_s);
        reading->DeviceComboChange(0);
        set->SetVarParam1(reading);
        auto *cond = static_cast<TKeloControlElseBlock *>(pb.intoBody(loop, place(u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"_s)));
        cond->DeviceComboChange(0);
        cond->CompareListChange(2);
        cond->SetParam2(20);
        TKeloBlock *servo = pb.intoBody(cond, place(u"%pd → Μετακίνησε ΣΕ %p1 μοίρες (0-90) Αριστερά"_s));
        servo->DeviceComboChange(1);
        servo->SetVarParam1(pb.placeVariable(u"Απόσταση"_s));
        TKeloBlock *print = pb.intoElse(cond, place(u"Τύπωσε στην LCD κείμενο %ps "_s));
        print->ParamStrEditChange(u"Don't stop: Γειά σου κόσμε, this text is long enough to wrap lines"_s);
        auto *change = static_cast<TKeloCommandVarBlock *>(pb.after(loop, place(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s)));
        change->VarComboChange(1);
        pb.below(change, place(u"Τερματισμός προγράμματος"_s));
        TKeloBlock *loose = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
        loose->SetBounds(400, 300, loose->Width(), loose->Height());
    }
};

TEST_F(ProgramFile, WaitBlockIsWrittenAsTheThirtyLines)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    TKeloBlock *wait = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    ASSERT_EQ(start->Name(), u"keloBlock__1"_s);
    ASSERT_EQ(wait->Name(), u"keloBlock__2"_s);
    start->SetBounds(40, 39, start->Width(), start->Height());
    pb.below(start, wait);
    wait->SetParam1(500);
    wait->SetWidth(330);
    ObjectTextWriter out;
    BlockWriter::WriteBlockText(*wait, out);
    EXPECT_EQ(out.data(), readFile(QStringLiteral(TEST_DATA_DIR "/objecttext/example30.vzl")));
}

TEST_F(ProgramFile, SaveLoadSaveGivesTheSameFilesAndProgram)
{
    buildRichProgram();
    const QStringList sketchBefore = sketch();
    QTemporaryDir dir;
    const QString first = dir.filePath(u"first.vzl"_s), second = dir.filePath(u"second.vzl"_s);
    QString error;
    ASSERT_TRUE(ProjectFiles::saveProject(project, first, &error)) << qPrintable(error);

    Project loaded(&measurer, &log, &prompt);
    loaded.buildPalette();
    const auto result = ProjectFiles::loadProject(loaded, first);
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_TRUE(log.lines.filter(u"Error reading"_s).isEmpty()) << qPrintable(log.lines.filter(u"Error reading"_s).join(u'\n'));
    ASSERT_TRUE(ProjectFiles::saveProject(loaded, second, &error)) << qPrintable(error);

    for (const char *ext : {".vzl", ".adv", ".var"}) {
        const QString a = dir.filePath(u"first"_s + QLatin1String(ext)), b = dir.filePath(u"second"_s + QLatin1String(ext));
        EXPECT_EQ(readFile(a), readFile(b)) << ext;
    }
    const QByteArray program = readFile(first);
    EXPECT_TRUE(program.contains("#39"));
    EXPECT_TRUE(program.contains(" +\r\n"));
    for (char c : program)
        ASSERT_TRUE(uchar(c) < 128);

    auto sketchAfter = loaded.generateSketch();
    ASSERT_TRUE(sketchAfter.has_value());
    EXPECT_EQ(*sketchAfter, sketchBefore);
}

TEST_F(ProgramFile, LoadedProgramKeepsLinksSlotsAndChoices)
{
    buildRichProgram();
    const QByteArray bytes = BlockWriter::writeProgram(ws());
    Project loaded(&measurer, &log, &prompt);
    loaded.buildPalette();
    // Devices and variables come first, as opening a project reads them first.
    loaded.devices().AddDevice(DeviceTypes::UltraSonic, &prompt);
    loaded.devices().AddDevice(DeviceTypes::Servo, &prompt);
    loaded.devices().AddDevice(DeviceTypes::LCD_Serial, &prompt);
    loaded.variables().Newvar(u"Απόσταση"_s);
    loaded.variables().Newvar(u"Μετρητής"_s);
    ASSERT_TRUE(BlockReader::LoadProgramText(loaded.workspace(), bytes, &log).ok);

    TKeloBlock *start = loaded.workspace().findStartBlock();
    ASSERT_NE(start, nullptr);
    auto *loop = dynamic_cast<TKeloLoopBlock *>(start->firstBlock());
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->GetParam2(), 5);  // the set command, the condition (with its branch)
    auto *set = dynamic_cast<TKeloCommandVarBlock *>(loop->firstBlock());
    ASSERT_NE(set, nullptr);
    ASSERT_NE(set->VarParam1(), nullptr);
    EXPECT_EQ(set->VarParam1()->parentBlock(), set);
    EXPECT_EQ(set->GetParam2(), 1);
    auto *cond = dynamic_cast<TKeloControlElseBlock *>(set->firstBlock());
    ASSERT_NE(cond, nullptr);
    EXPECT_EQ(cond->compareList.text, u"ίση με"_s);
    EXPECT_EQ(cond->GetParam1(), 4);
    EXPECT_TRUE(cond->ElseBlock()->Visible());
    EXPECT_EQ(cond->EndBlock()->ContainerBlock(), cond);
    EXPECT_EQ(loop->EndBlock()->firstBlock()->CommndID, 231);
}

TEST_F(ProgramFile, EmptyLoopKeepsAnEmptyBody)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, place(u"Επανάλαβε συνεχώς"_s)));
    const QByteArray bytes = BlockWriter::writeProgram(ws());
    EXPECT_TRUE(bytes.contains("LinkTo = frmVimsel." + loop->EndBlock()->Name().toLatin1()));
    ASSERT_TRUE(BlockReader::LoadProgramText(ws(), bytes, &log).ok);
    auto *again = dynamic_cast<TKeloLoopBlock *>(ws().findStartBlock()->firstBlock());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->firstBlock(), nullptr);
    EXPECT_EQ(again->GetLinkTo()->CommndID, 99);
}

TEST_F(ProgramFile, MisspeltPropertyIsLoggedAndSkipped)
{
    place(u"Έναρξη προγράμματος"_s);
    place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    QByteArray bytes = BlockWriter::writeProgram(ws());
    bytes.replace("  CommndID = 250", "  ComndID = 250");
    log.lines.clear();
    const auto result = BlockReader::LoadProgramText(ws(), bytes, &log);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.blocksRead, 2);
    EXPECT_EQ(log.lines.filter(u"Error reading"_s),
              QStringList{u"Error reading keloBlock__2.ComndID: Property ComndID does not exist"_s});
}

struct BrokenFileCase {
    const char *name;
    const char *tail;  // appended after one good block
    const char *messagePart;
};

class BrokenProgramFile : public ProjectFixture, public ::testing::WithParamInterface<BrokenFileCase> {};

TEST_P(BrokenProgramFile, StopsWithAMessageKeepingWhatWasRead)
{
    place(u"Έναρξη προγράμματος"_s);
    QByteArray bytes = BlockWriter::writeProgram(ws());
    bytes += GetParam().tail;
    const auto result = BlockReader::LoadProgramText(ws(), bytes, &log);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QLatin1String(GetParam().messagePart))) << qPrintable(result.error);
    EXPECT_EQ(ws().canvas().children().size(), 1u);
}

const BrokenFileCase kBroken[] = {
    {"ParseError", "object keloBlock__9: TKeloBlock\r\n  Left 5\r\nend\r\n", "line"},
    {"NotABlockClass", "object Form1: TForm\r\nend\r\n", "TForm"},
    {"DuplicateName", "object KELOBLOCK__1: TKeloBlock\r\nend\r\n", "KELOBLOCK__1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BrokenProgramFile, ::testing::ValuesIn(kBroken),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProgramFile, BlockWithAStaleDeviceNameKeepsToItsPosition)
{
    project.devices().AddDevice(DeviceTypes::Servo, &prompt);
    TKeloBlock *turn = place(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s);
    turn->DeviceComboChange(0);
    QByteArray bytes = BlockWriter::writeProgram(ws());
    bytes.replace("ParamD = 'Servo_0'", "ParamD = 'Servo_7'");
    ASSERT_TRUE(BlockReader::LoadProgramText(ws(), bytes, &log).ok);
    TKeloBlock *loaded = ws().canvas().children().front();
    EXPECT_EQ(loaded->ParamD(), u"Servo_0"_s);
    EXPECT_EQ(loaded->GetArduinoCommand(1), u"Servo_0.servoRight(0);"_s);
}

TEST_F(ProgramFile, EmptyFileClearsTheCanvasAndReportsIt)
{
    place(u"Έναρξη προγράμματος"_s);
    const auto result = BlockReader::LoadProgramText(ws(), QByteArray(), &log);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(ws().canvas().children().empty());
}

} // namespace

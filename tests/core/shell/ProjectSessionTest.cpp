#include "support/ProjectFixture.h"

#include "devices/DeviceTypes.h"
#include "project/ExampleProject.h"
#include "shell/ProjectSession.h"
#include "variables/VariablePrototypes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Answer = UserPrompt::Answer;

class ProjectSessionTest : public ProjectFixture {
protected:
    ProjectSessionTest()
    {
        session.setOpenChooser([this](const QString &) { ++openDialogs; return openName; });
        session.setSaveChooser([this](const QString &) { ++saveDialogs; return saveName; });
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    // The blink example, saved, then changed by one more variable.
    void savedExampleWithChange()
    {
        buildBlinkExample(project);
        VariablePrototypes::recreate(ws(), project.variables());
        saveName = path(u"blink.vzl"_s);
        ASSERT_TRUE(session.save());
        project.variables().Newvar(u"Νέα"_s);
        ASSERT_TRUE(session.hasUnsavedChanges());
    }

    QTemporaryDir dir;
    ProjectSession session{project, &prompt};
    QString openName;
    QString saveName;
    int openDialogs = 0;
    int saveDialogs = 0;
};

TEST_F(ProjectSessionTest, ModelChangesMarkTheProjectChanged)
{
    EXPECT_FALSE(session.isModified());
    project.variables().Newvar(u"x"_s);
    EXPECT_TRUE(session.isModified());

    session.setModified(false);
    project.devices().AddDevice(DeviceTypes::Laser, &prompt);
    EXPECT_TRUE(session.isModified());

    session.setModified(false);
    project.devices().setBoardTypeId(2);
    EXPECT_TRUE(session.isModified());

    session.setModified(false);
    session.markModified();
    EXPECT_TRUE(session.isModified());
    // Save could not write anything: no question is worth asking.
    EXPECT_FALSE(session.hasUnsavedChanges());
}

TEST_F(ProjectSessionTest, SaveOpenAndNewRoundTrip)
{
    buildBlinkExample(project);
    VariablePrototypes::recreate(ws(), project.variables());
    const QStringList sketchBefore = sketch();
    saveName = path(u"blink.vzl"_s);
    ASSERT_TRUE(session.save());
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(session.fileName(), saveName);
    EXPECT_FALSE(session.isModified());
    for (const char *ext : {"vzl", "adv", "var"})
        EXPECT_TRUE(QFile::exists(path(u"blink."_s + QLatin1StringView(ext))));

    // A second save goes to the same file without asking.
    EXPECT_TRUE(session.save());
    EXPECT_EQ(saveDialogs, 1);

    prompt.answers = {Answer::Yes};
    ASSERT_TRUE(session.newProject());
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::confirmNewText()});
    EXPECT_FALSE(ws().CanvasHasBlocks());
    EXPECT_EQ(project.variables().count(), 0);
    EXPECT_EQ(project.devices().count(), 0);
    EXPECT_EQ(VariablePrototypes::panel(ws())->children().size(), 2u);
    EXPECT_TRUE(session.fileName().isEmpty());
    EXPECT_FALSE(session.isModified());

    openName = saveName;
    ASSERT_TRUE(session.openProject());
    EXPECT_EQ(session.fileName(), saveName);
    EXPECT_FALSE(session.isModified());
    EXPECT_EQ(sketch(), sketchBefore);
    EXPECT_EQ(VariablePrototypes::panel(ws())->children().size(), 3u);
}

TEST_F(ProjectSessionTest, NewWithoutChangesAsksForConfirmation)
{
    buildBlinkExample(project);
    session.setModified(false);
    prompt.answers = {Answer::No};
    EXPECT_FALSE(session.newProject());
    EXPECT_TRUE(ws().CanvasHasBlocks());
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::confirmNewText()});
}

TEST_F(ProjectSessionTest, EmptyCanvasSavesNothingAndAsksNothing)
{
    project.variables().Newvar(u"x"_s);
    saveName = path(u"empty.vzl"_s);
    EXPECT_FALSE(session.save());
    EXPECT_FALSE(session.saveAs());
    EXPECT_EQ(saveDialogs, 0);
    EXPECT_FALSE(QFile::exists(saveName));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ProjectSessionTest, CancelledSaveAsKeepsTheCurrentFile)
{
    buildBlinkExample(project);
    saveName = path(u"a.vzl"_s);
    ASSERT_TRUE(session.save());
    saveName.clear();
    EXPECT_FALSE(session.saveAs());
    EXPECT_EQ(session.fileName(), path(u"a.vzl"_s));

    saveName = path(u"b.vzl"_s);
    EXPECT_TRUE(session.saveAs());
    EXPECT_EQ(session.fileName(), saveName);
    EXPECT_TRUE(QFile::exists(saveName));
}

TEST_F(ProjectSessionTest, AFailedSaveLeavesTheOldFilesWholeAndSaysSo)
{
    buildBlinkExample(project);
    saveName = path(u"blink.vzl"_s);
    ASSERT_TRUE(session.save());
    QFile program(saveName);
    ASSERT_TRUE(program.open(QIODevice::ReadOnly));
    const QByteArray before = program.readAll();
    program.close();
    // The variables file cannot be replaced (a folder stands in its place), as with
    // a read-only folder or a full disk; the other two must not change either.
    QFile::remove(path(u"blink.var"_s));
    ASSERT_TRUE(QDir(path(QString())).mkdir(u"blink.var"_s));
    wait(2500);
    session.markModified();
    EXPECT_FALSE(session.save());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(ProjectSession::saveFailedText(saveName, QString()).left(20)))
        << qPrintable(prompt.messages[0]);
    EXPECT_TRUE(prompt.messages[0].contains(u"έμειναν όπως ήταν"_s));
    ASSERT_TRUE(program.open(QIODevice::ReadOnly));
    EXPECT_EQ(program.readAll(), before);
    EXPECT_TRUE(session.isModified());
}

TEST_F(ProjectSessionTest, FailedSaveIsShownAndKeepsTheProjectUnsaved)
{
    buildBlinkExample(project);
    saveName = path(u"missing-folder/x.vzl"_s);
    EXPECT_FALSE(session.save());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_FALSE(prompt.messages[0].isEmpty());
    EXPECT_TRUE(session.fileName().isEmpty());
    EXPECT_TRUE(session.isModified());
}

// What each answer to the unsaved-changes question does to a command that replaces
// the project: the old project must survive every way but No and a successful save.
struct UnsavedCase {
    const char *name;
    Answer answer;
    bool proceeds;
    bool savedNewVariable;
};

void PrintTo(const UnsavedCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnsavedChangesQuestion : public ProjectSessionTest, public ::testing::WithParamInterface<UnsavedCase> {};

TEST_P(UnsavedChangesQuestion, DecidesWhetherNewGoesOn)
{
    const UnsavedCase &c = GetParam();
    savedExampleWithChange();
    prompt.answers = {c.answer};
    EXPECT_EQ(session.newProject(), c.proceeds);
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::unsavedChangesText()});
    EXPECT_EQ(ws().CanvasHasBlocks(), !c.proceeds);

    QFile var(path(u"blink.var"_s));
    ASSERT_TRUE(var.open(QIODevice::ReadOnly));
    EXPECT_EQ(var.readAll().contains("Count=2"), c.savedNewVariable);
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedChangesQuestion,
                         ::testing::Values(UnsavedCase{"Cancel", Answer::Cancel, false, false},
                                           UnsavedCase{"No", Answer::No, true, false},
                                           UnsavedCase{"Yes", Answer::Yes, true, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProjectSessionTest, YesWithACancelledSaveDialogAbortsTheCommand)
{
    buildBlinkExample(project);
    ASSERT_TRUE(session.hasUnsavedChanges());
    prompt.answers = {Answer::Yes};
    openName = path(u"other.vzl"_s);
    EXPECT_FALSE(session.openProject());
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(openDialogs, 0);
    EXPECT_TRUE(ws().CanvasHasBlocks());
    EXPECT_EQ(project.variables().count(), 1);
}

TEST_F(ProjectSessionTest, YesWithAFailingSaveAbortsTheCommand)
{
    buildBlinkExample(project);
    saveName = path(u"missing-folder/x.vzl"_s);
    prompt.answers = {Answer::Yes};
    EXPECT_FALSE(session.newProject());
    EXPECT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(ws().CanvasHasBlocks());
    EXPECT_TRUE(session.hasUnsavedChanges());
}

TEST_F(ProjectSessionTest, FailedOpenKeepsWhatWasReadAndForgetsTheFile)
{
    buildBlinkExample(project);
    saveName = path(u"good.vzl"_s);
    ASSERT_TRUE(session.save());

    // A second copy of the first object: loading stops there with an error.
    QFile good(saveName);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray text = good.readAll();
    const QByteArray firstObject = text.left(text.indexOf("end\r\n") + 5);
    QFile bad(path(u"bad.vzl"_s));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(firstObject + firstObject);
    bad.close();

    openName = bad.fileName();
    EXPECT_FALSE(session.openProject());
    EXPECT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(ws().CanvasHasBlocks());
    EXPECT_TRUE(session.fileName().isEmpty());
    EXPECT_TRUE(session.isModified());
}

// An example opened from the program's own (read-only) folder is a copy: the pupil's
// "Αποθήκευση" asks where to keep it and never writes over the example.
TEST_F(ProjectSessionTest, AnExampleOpensAsACopyThatSaveAsksAPlaceFor)
{
    buildBlinkExample(project);
    saveName = path(u"example.vzl"_s);
    ASSERT_TRUE(session.save());
    const QStringList exampleSketch = sketch();
    QFile example(saveName);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray exampleBytes = example.readAll();
    example.close();
    prompt.answers = {Answer::Yes};
    ASSERT_TRUE(session.newProject());

    ASSERT_TRUE(session.openCopy(saveName));
    EXPECT_EQ(sketch(), exampleSketch);
    EXPECT_TRUE(session.fileName().isEmpty());
    // Unchanged, nothing is worth a question.
    EXPECT_FALSE(session.hasUnsavedChanges());

    project.variables().Newvar(u"Δικό_μου"_s);
    saveName = path(u"mine.vzl"_s);
    ASSERT_TRUE(session.save());
    EXPECT_EQ(saveDialogs, 2);
    EXPECT_EQ(session.fileName(), saveName);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    EXPECT_EQ(example.readAll(), exampleBytes);
}

// A file named on the command line (a double-click) goes through the same question as
// "Άνοιγμα": "Άκυρο" keeps the work on the canvas, and so does a failed save.
TEST_F(ProjectSessionTest, AFileOpenedByNameAsksAboutUnsavedChangesFirst)
{
    savedExampleWithChange();
    const QString other = path(u"other.vzl"_s);
    ASSERT_TRUE(QFile::copy(path(u"blink.vzl"_s), other));
    ASSERT_TRUE(QFile::copy(path(u"blink.adv"_s), path(u"other.adv"_s)));
    ASSERT_TRUE(QFile::copy(path(u"blink.var"_s), path(u"other.var"_s)));

    prompt.answers = {Answer::Cancel};
    EXPECT_FALSE(session.openNamed(other));
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::unsavedChangesText()});
    EXPECT_EQ(session.fileName(), path(u"blink.vzl"_s));
    EXPECT_EQ(project.variables().count(), 2);

    prompt.answers = {Answer::No};
    EXPECT_TRUE(session.openNamed(other));
    EXPECT_EQ(session.fileName(), other);
    EXPECT_EQ(project.variables().count(), 1);
    EXPECT_TRUE(session.discardedChanges());
    EXPECT_EQ(openDialogs, 0);
}

} // namespace

namespace {

TEST(ProjectSessionDevices, RefreshingBlocksIsNoChangeButAnEditIs)
{
    FixedTextMeasurer measurer;
    RecordingUserPrompt prompt;
    Project project(&measurer, nullptr, &prompt);
    ProjectSession session(project, &prompt);
    const int k = project.devices().AddDevice(DeviceTypes::Servo, &prompt);
    session.setModified(false);
    project.devices().refreshBlocks(k);
    project.devices().SetParam(k, 1, project.devices().device(k).ActDevParams[1]);
    EXPECT_FALSE(session.isModified());
    project.devices().SetParam(k, 1, 9);
    EXPECT_TRUE(session.isModified());
}

} // namespace

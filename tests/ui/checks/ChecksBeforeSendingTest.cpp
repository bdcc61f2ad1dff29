#include "shell/ShellTestSupport.h"
#include "devices/TDefDevForm.h"

#include "blocks/TKeloLoopBlock.h"
#include "catalogue/PanelSpec.h"
#include "checks/FindingsPanel.h"
#include "devices/DeviceTypes.h"
#include "program/ProgramView.h"
#include "shell/DeviceTile.h"
#include "shell/DevicesPage.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// "Αποστολή στο Arduino" runs the checks first; what they find waits beside the
// canvas for the pupil, who clicks the findings and sends or fixes.
class ChecksBeforeSending : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->resize(1200, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    FindingsPanel *panel() const { return window->programPage()->findingsPanel(); }
    void pressSend()
    {
        QTest::mouseClick(window->findChild<QToolButton *>(u"btGetCode"_s), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void clickFinding(int row)
    {
        QListWidget *list = panel()->list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    // The first program a pupil writes: pin 13 on and off in a loop, with no
    // "Διαμόρφωσε" block and no LED device. It lies below the visible canvas.
    void openBlinkWithoutConfiguring()
    {
        openName = writeProgram(u"blink.vzl"_s, [](ProgramBuilder &pb) {
            TKeloBlock *start = pb.place(u"Έναρξη προγράμματος"_s);
            start->SetBounds(90, 1400, start->Width(), start->Height());
            auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, pb.place(u"Επανάλαβε συνεχώς"_s)));
            for (const auto &[text, param] : {std::pair{u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s, 13},
                                              std::pair{u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, 500},
                                              std::pair{u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s, 13},
                                              std::pair{u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, 500}})
                pb.intoBody(loop, pb.place(text))->SetParam1(param);
        });
        window->acopen()->trigger();
        QCoreApplication::processEvents();
    }
    TKeloBlock *firstPinBlock()
    {
        for (TKeloBlock *b : ws().components())
            if (!b->prototype() && b->CommandText() == u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s)
                return b;
        return nullptr;
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(ChecksBeforeSending, BlinkWithoutConfiguringIsToldThenSentOnContinue)
{
    openBlinkWithoutConfiguring();
    TKeloBlock *pinBlock = firstPinBlock();
    ASSERT_NE(pinBlock, nullptr);
    const QStringList expectedSketch = *window->project().generateSketch();

    pressSend();
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    ASSERT_TRUE(panel()->isVisible());
    EXPECT_TRUE(panel()->asking());
    ASSERT_EQ(panel()->list()->count(), 1);
    EXPECT_TRUE(panel()->list()->item(0)->text().startsWith(
        u"Προσοχή — «Θέσε το pin 13 σε 1 (high=5 Volt)»\nΤο pin 13 δεν έχει διαμορφωθεί για έξοδο"_s))
        << qPrintable(panel()->list()->item(0)->text());
    EXPECT_TRUE(prompt.questions.isEmpty()) << "nothing is sent before the pupil chooses";
    EXPECT_FALSE(QFile::exists(programDir.filePath(u"Out/Output.ino"_s)));

    // A click on the finding outlines the pin block and scrolls it into view.
    const QRect visible = viewport()->rect();
    ASSERT_TRUE(!widgetOf(pinBlock) || !visible.intersects(widgetOf(pinBlock)->geometry()))
        << "the program starts out of view";
    clickFinding(0);
    ASSERT_NE(widgetOf(pinBlock), nullptr) << "scrolled into view, the block has its widget";
    auto *view = window->programPage()->findChild<ProgramView *>();
    EXPECT_EQ(view->highlighted(), pinBlock);
    const QRect shown(widgetOf(pinBlock)->mapTo(viewport(), QPoint(0, 0)), widgetOf(pinBlock)->size());
    EXPECT_TRUE(visible.contains(shown)) << shown.y() << " in " << visible.height();
    EXPECT_TRUE(panel()->asking());

    // "Συνέχεια" goes on exactly as without findings: the sketch, then the question.
    prompt.answers = {UserPrompt::Answer::No};
    QTest::mouseClick(panel()->continueButton(), Qt::LeftButton);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(prompt.questions, QStringList{u"Να σταλεί στο Arduino;"_s});
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::CodePageIndex);
    QString expected = expectedSketch.join(u'\n');
    expected.replace(u"\r\n"_s, u"\n"_s);
    EXPECT_EQ(window->codeView()->toPlainText(), expected);
}

TEST_F(ChecksBeforeSending, FixSendsNothingAndKeepsTheListUntilACleanSend)
{
    openBlinkWithoutConfiguring();
    pressSend();
    ASSERT_TRUE(panel()->asking());
    QTest::mouseClick(panel()->fixButton(), Qt::LeftButton);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_FALSE(panel()->asking());
    EXPECT_TRUE(panel()->closeButton()->isVisible());
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    // The list still leads to the block while the pupil fixes it.
    clickFinding(0);
    EXPECT_EQ(window->programPage()->findChild<ProgramView *>()->highlighted(), firstPinBlock());
    QTest::mouseClick(panel()->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(panel()->isVisible());

    // The blink example sets pin 13 up through its LED: nothing to tell, on it goes.
    openExample(u"blink"_s);
    prompt.answers = {UserPrompt::Answer::No};
    pressSend();
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(prompt.questions, QStringList{u"Να σταλεί στο Arduino;"_s});
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::CodePageIndex);
}

// With the panel open, the findings follow the program: fixing one takes it away.
TEST_F(ChecksBeforeSending, AFixedFindingLeavesTheOpenPanel)
{
    openBlinkWithoutConfiguring();
    pressSend();
    QTest::mouseClick(panel()->fixButton(), Qt::LeftButton);
    ASSERT_TRUE(panel()->isVisible());
    // The pupil adds an LED and wires it to pin 13, which makes the pin an output.
    QTest::mouseClick(window->devicesPage()->getPanelAddButton(window->devicesPage()->FindDeviceTile(DeviceTypes::Laser)),
                      Qt::LeftButton);
    QCoreApplication::processEvents();
    TDefDevForm *led = window->devicesPage()->deviceWindow(0);
    ASSERT_NE(led, nullptr);
    QSpinBox *pin = led->ParamSE(1);
    QTest::mouseClick(pin, Qt::LeftButton);
    QTest::keySequence(pin, QKeySequence::SelectAll);
    QTest::keyClicks(pin, u"13"_s);
    QTest::keyClick(pin, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel()->isVisible(); }, 3000))
        << qPrintable(panel()->list()->count() ? panel()->list()->item(0)->text() : QString());
}

TEST_F(ChecksBeforeSending, DeviceAndVariableFindingsLeadToTheirPages)
{
    // A project whose variable is named "ιντ", which becomes the keyword int.
    openName = writeProgram(u"names.vzl"_s, [](ProgramBuilder &pb) { pb.place(u"Έναρξη προγράμματος"_s); });
    QFile vars(path(u"names.var"_s));
    ASSERT_TRUE(vars.open(QIODevice::WriteOnly));
    vars.write(u"[Var Count]\r\nCount=1\r\n[Var_0]\r\nVarName=ιντ\r\nVarID=1\r\nVarValue=\r\n"_s.toUtf8());
    vars.close();
    window->acopen()->trigger();
    QCoreApplication::processEvents();
    // A fresh LED sits on pin 0, the USB link.
    DevicesPage *devices = window->devicesPage();
    window->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
    QTest::mouseClick(devices->getPanelAddButton(devices->FindDeviceTile(DeviceTypes::Laser)), Qt::LeftButton);
    ASSERT_EQ(window->project().devices().count(), 1);

    pressSend();
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    ASSERT_EQ(panel()->list()->count(), 2);
    EXPECT_TRUE(panel()->list()->item(0)->text().startsWith(u"Λάθος — μεταβλητή «ιντ»"_s))
        << qPrintable(panel()->list()->item(0)->text());
    EXPECT_TRUE(panel()->list()->item(1)->text().startsWith(u"Προσοχή — συσκευή LaserLED_0"_s))
        << qPrintable(panel()->list()->item(1)->text());

    clickFinding(1);
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::DevicesPageIndex);
    EXPECT_EQ(devices->deviceNotebook()->currentIndex(), 1);

    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    clickFinding(0);
    EXPECT_EQ(window->programPage()->findChild<QTabWidget *>()->currentIndex(), int(VariablesTab));
    EXPECT_TRUE(prompt.questions.isEmpty());
}

} // namespace

// A pupil's session through the main window: blocks dragged from the palette snap
// into a program, a number is typed, code is generated, a variable goes into a slot
// and out again, a chain goes to the trash, and the project survives save and open.
#include "blocks/TKeloBlock.h"
#include "blocks/TKeloEdit.h"
#include "blocks/TKeloLoopBlock.h"
#include "project/Project.h"
#include "program/BlockWidget.h"
#include "program/ProgramPage.h"
#include "project/BlockWriter.h"
#include "shell/ShellTestSupport.h"

#include "checks/FindingsPanel.h"
#include "variables/VariablePrototypes.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

class PupilSession : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->resize(1200, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    ProgramPage *page() { return window->programPage(); }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(PupilSession, BuildsRunsAndKeepsAProgram)
{
    TKeloBlock *start = dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(100, 60));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->parentArea(), &ws().canvas());
    auto *loop = dynamic_cast<TKeloLoopBlock *>(
        dragFromPalette(u"Επανάλαβε %p1 φορές"_s, QPoint(start->Left() + 5, start->Top() + 40)));
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(start->firstBlock(), loop);
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                                       QPoint(loop->Left() + 22, loop->Top() + 38));
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(loop->firstBlock(), wait);

    // Type 3 into the loop's number.
    ASSERT_NE(typeNumber(loop, u"3"_s), nullptr);
    EXPECT_EQ(loop->GetParam1(), 3);

    window->generateCode();
    EXPECT_TRUE(window->codeView()->toPlainText().contains(u"for (int ik1=0;ik1<3;ik1++){"_s));
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    QCoreApplication::processEvents();

    // A variable into the wait block's slot, and out again.
    window->programPage()->findChild<QTabWidget *>()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    QToolButton *addVariable = nullptr;
    for (QToolButton *b : page()->findChildren<QToolButton *>())
        if (b->text() == u"Νέα"_s && b->isVisible())
            addVariable = b;
    ASSERT_NE(addVariable, nullptr);
    // The name is typed into the question that the button asks.
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue(u"Μετρητής"_s);
        dialog->accept();
    });
    QTest::mouseClick(addVariable, Qt::LeftButton);
    QCoreApplication::processEvents();
    TKeloBlock *varProto = nullptr;
    for (TKeloBlock *b : ws().components())
        if (b->prototype() && b->CommandText() == u"Μετρητής"_s)
            varProto = b;
    ASSERT_NE(varProto, nullptr);
    const QRect slot = wait->GetParam1Rect();
    dragTo(widgetOf(varProto), QPoint(30, 12), slot.topLeft() + QPoint(3, 0));
    ASSERT_NE(wait->VarParam1(), nullptr);
    TKeloBlock *value = wait->VarParam1();
    window->generateCode();
    // The variable is read but never given a value: the checks say so, and the pupil
    // goes on all the same.
    FindingsPanel *findings = window->programPage()->findingsPanel();
    ASSERT_TRUE(findings->isVisible());
    EXPECT_TRUE(findings->list()->item(0)->text().contains(u"«Μετρητής»"_s));
    QTest::mouseClick(findings->continueButton(), Qt::LeftButton);
    EXPECT_TRUE(window->codeView()->toPlainText().contains(u"delay(Metritis);"_s));
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    QCoreApplication::processEvents();
    dragTo(widgetOf(value), QPoint(5, 5), QPoint(500, 400));
    EXPECT_EQ(wait->VarParam1(), nullptr);
    EXPECT_EQ(value->parentArea(), &ws().canvas());

    // Save, start anew, open: the same blocks come back.
    const QByteArray before = BlockWriter::writeProgram(ws());
    saveName = path(u"pupil.vzl"_s);
    window->saveProject();
    prompt.answer = UserPrompt::Answer::Yes;
    window->newProject();
    EXPECT_FALSE(ws().CanvasHasBlocks());
    openName = saveName;
    window->openProject();
    EXPECT_EQ(BlockWriter::writeProgram(ws()), before);

    // The loop with its body goes to the trash; the start block stays.
    TKeloBlock *reopenedStart = ws().findStartBlock();
    ASSERT_NE(reopenedStart, nullptr);
    TKeloBlock *reopenedLoop = reopenedStart->firstBlock();
    ASSERT_NE(reopenedLoop, nullptr);
    const QString waitName = reopenedLoop->firstBlock()->Name();
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    page()->canvasArea()->horizontalScrollBar()->setValue(0);
    page()->canvasArea()->verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    BlockWidget *lw = widgetOf(reopenedLoop);
    ASSERT_NE(lw, nullptr);
    dragTo(lw, QPoint(5, 5), QPoint(10, 10));
    EXPECT_EQ(reopenedStart->firstBlock(), nullptr);
    EXPECT_EQ(ws().findBlock(waitName), nullptr);
    EXPECT_NE(ws().findStartBlock(), nullptr);
}

} // namespace

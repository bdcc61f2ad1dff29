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
#include "variables/VariablePrototypes.h"

#include <QLineEdit>
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
        QCoreApplication::processEvents();
        page()->sync();
    }
    ProgramPage *page() { return window->programPage(); }
    Workspace &ws() { return window->project().workspace(); }
    QWidget *viewport() { return page()->canvasArea()->viewport(); }

    BlockWidget *widgetOf(const TKeloBlock *b)
    {
        for (BlockWidget *w : window->findChildren<BlockWidget *>())
            if (w->block() == b)
                return w;
        return nullptr;
    }
    TKeloBlock *prototype(const QString &text)
    {
        for (TKeloBlock *b : ws().components())
            if (b->prototype() && b->CommandText() == text)
                return b;
        return nullptr;
    }
    // Presses on w at grab, moves the pointer so that the block's corner lands on
    // the canvas point target, and releases.
    void dragTo(BlockWidget *w, QPoint grab, QPoint target)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, grab);
        const QPoint at = w->mapFromGlobal(viewport()->mapToGlobal(target + grab));
        QTest::mouseMove(w, at);
        QTest::mouseMove(w, at);  // the first move brings a fresh copy onto the canvas
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    TKeloBlock *dragFromPalette(const QString &text, QPoint target)
    {
        TKeloBlock *proto = prototype(text);
        EXPECT_NE(proto, nullptr) << qPrintable(text);
        BlockWidget *w = widgetOf(proto);
        EXPECT_NE(w, nullptr);
        if (!w)
            return nullptr;
        window->programPage()->findChild<QTabWidget *>()->setCurrentIndex(proto->DeviceOnlyCommandID() >= 0 ? 1 : 0);
        dragTo(w, QPoint(8, 12), target);
        for (TKeloBlock *b : ws().canvas().children())
            if (!b->prototype() && b->CommandText() == text && b->Id == ws().smallestFreeNumber(u"keloBlock_"_s) - 1)
                return b;
        TKeloBlock *last = nullptr;
        for (TKeloBlock *b : ws().components())
            if (!b->prototype() && b->CommandText() == text)
                last = b;
        return last;
    }

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
    TKeloEdit *edit = nullptr;
    for (TKeloEdit *e : widgetOf(loop)->findChildren<TKeloEdit *>())
        if (e->isVisible())
            edit = e;
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(edit->EditMode());
    edit->lineEdit()->selectAll();
    QTest::keyClicks(edit->lineEdit(), u"3"_s);
    EXPECT_EQ(loop->GetParam1(), 3);

    window->generateCode();
    EXPECT_TRUE(window->codeView()->toPlainText().contains(u"for (int ik1=0;ik1<3;ik1++){"_s));
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    QCoreApplication::processEvents();

    // A variable into the wait block's slot, and out again.
    VariablePrototypes::add(ws(), window->project().variables(), u"Μετρητής"_s, true);
    page()->sync();
    window->programPage()->findChild<QTabWidget *>()->setCurrentIndex(2);
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

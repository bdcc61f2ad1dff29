// Undo and redo as a pupil uses them: Ctrl+Z after a chain went to the trash, after a
// variable that sat in a slot was deleted, and the changed mark following along.
#include "shell/ShellTestSupport.h"

#include "blocks/TKeloVarBlock.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QTimer>
#include <QToolButton>

namespace {

class UndoInTheWindow : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->resize(1200, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void press(QKeySequence keys)
    {
        QTest::keySequence(window.get(), keys);
        QCoreApplication::processEvents();
    }
    QToolButton *variablesButton(const QString &text)
    {
        window->programPage()->findChild<QTabWidget *>()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        for (QToolButton *b : window->programPage()->findChildren<QToolButton *>())
            if (b->text() == text && b->isVisible())
                return b;
        return nullptr;
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(UndoInTheWindow, ChainFromTheTrashComesBackWhereItWas)
{
    EXPECT_FALSE(window->acUndo()->isEnabled());
    TKeloBlock *start = dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120));
    ASSERT_NE(start, nullptr);
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                                       QPoint(start->Left() + 5, start->Top() + 40));
    ASSERT_NE(wait, nullptr);
    ASSERT_EQ(start->firstBlock(), wait);
    ASSERT_NE(typeNumber(wait, u"750"_s), nullptr);
    // Clicking the empty canvas ends the typing.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(600, 500));
    QCoreApplication::processEvents();
    const QString startName = start->Name(), waitName = wait->Name();
    const QRect startPlace = widgetOf(start)->geometry(), waitPlace = widgetOf(wait)->geometry();

    // The whole chain onto the trash.
    dragTo(widgetOf(start), QPoint(5, 5), QPoint(10, 10));
    ASSERT_FALSE(ws().CanvasHasBlocks());
    EXPECT_TRUE(window->acUndo()->isEnabled());

    press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    TKeloBlock *back = ws().findBlock(startName);
    ASSERT_NE(back, nullptr);
    TKeloBlock *backWait = ws().findBlock(waitName);
    ASSERT_NE(backWait, nullptr);
    EXPECT_EQ(back->firstBlock(), backWait);
    EXPECT_EQ(backWait->GetParam1(), 750);
    ASSERT_NE(widgetOf(back), nullptr);
    EXPECT_TRUE(widgetOf(back)->isVisible());
    EXPECT_EQ(widgetOf(back)->geometry(), startPlace);
    EXPECT_EQ(widgetOf(backWait)->geometry(), waitPlace);
    // The number field is back, showing the number.
    bool editorShown = false;
    for (TKeloEdit *e : widgetOf(backWait)->findChildren<TKeloEdit *>())
        editorShown = editorShown || (e->isVisible() && e->Text() == u"750"_s);
    EXPECT_TRUE(editorShown);

    // Redo sends it to the trash again; undo twice more goes back before the typing.
    press(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_FALSE(ws().CanvasHasBlocks());
    press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_FALSE(ws().CanvasHasBlocks()) << "nothing more to redo";
    press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_NE(ws().findBlock(waitName), nullptr);
    EXPECT_EQ(ws().findBlock(waitName)->GetParam1(), 1000) << "typing 750 was one step";
}

TEST_F(UndoInTheWindow, ADeletedVariableComesBackIntoItsSlot)
{
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, QPoint(200, 120));
    ASSERT_NE(wait, nullptr);
    QToolButton *add = variablesButton(u"Νέα"_s);
    ASSERT_NE(add, nullptr);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue(u"Μετρητής"_s);
        dialog->accept();
    });
    QTest::mouseClick(add, Qt::LeftButton);
    QCoreApplication::processEvents();
    TKeloBlock *proto = prototype(u"Μετρητής"_s);
    ASSERT_NE(proto, nullptr);
    dragTo(widgetOf(proto), QPoint(30, 12), wait->GetParam1Rect().topLeft() + QPoint(3, 0));
    ASSERT_NE(wait->VarParam1(), nullptr);
    const QString waitName = wait->Name();

    // Ticked and deleted: the variable goes, and with it the value in the slot.
    proto = prototype(u"Μετρητής"_s);
    auto *box = widgetOf(proto)->findChild<QCheckBox *>();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    QTest::mouseClick(variablesButton(u"Διαγραφή"_s), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(window->project().variables().count(), 0);
    ASSERT_EQ(ws().findBlock(waitName)->VarParam1(), nullptr);

    window->acUndo()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->project().variables().count(), 1);
    EXPECT_NE(prototype(u"Μετρητής"_s), nullptr);
    TKeloBlock *waitAgain = ws().findBlock(waitName);
    ASSERT_NE(waitAgain, nullptr);
    ASSERT_NE(waitAgain->VarParam1(), nullptr);
    EXPECT_EQ(waitAgain->VarParam1()->CommandText(), u"Μετρητής"_s);
    ASSERT_NE(widgetOf(waitAgain->VarParam1()), nullptr);
    EXPECT_TRUE(widgetOf(waitAgain->VarParam1())->isVisible());
}

TEST_F(UndoInTheWindow, UndoingBackToTheSavedStateLeavesNothingUnsaved)
{
    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
    saveName = path(u"saved.vzl"_s);
    window->acsave()->trigger();
    ASSERT_FALSE(window->session().isModified());
    ASSERT_NE(dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, QPoint(400, 300)), nullptr);
    EXPECT_TRUE(window->session().isModified());
    window->acUndo()->trigger();
    EXPECT_FALSE(window->session().isModified());
    // Saving keeps the history: the step before the save can still be undone.
    EXPECT_TRUE(window->acUndo()->isEnabled());
    window->acRedo()->trigger();
    EXPECT_TRUE(window->session().isModified());
}

} // namespace

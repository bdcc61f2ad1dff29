// Reports how long a pointer move takes while the head of a long chain is dragged.
// A report, not a timed assertion: machines differ.
#include "project/ProgramBuilder.h"
#include "project/ProjectFiles.h"
#include "shell/ShellTestSupport.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"

#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdio>

namespace {

class DragSpeed : public ShellTest {
protected:
    // A chain of the start block and waits, written by the core and opened in a shown
    // window as a pupil opens a file.
    std::unique_ptr<TfrmVimsel> openChain(int blocks)
    {
        const QString file = writeProgram(u"chain.vzl"_s, [blocks](ProgramBuilder &pb) {
            TKeloBlock *head = pb.place(u"Έναρξη προγράμματος"_s);
            head->SetBounds(60, 40, head->Width(), head->Height());
            TKeloBlock *tail = head;
            for (int i = 1; i < blocks; ++i)
                tail = pb.below(tail, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
        });
        auto window = makeWindow();
        window->resize(1200, 800);
        window->show();
        if (QTest::qWaitForWindowExposed(window.get())) {
            openName = file;
            window->acopen()->trigger();
            QCoreApplication::processEvents();
        }
        return window;
    }
};

TEST_F(DragSpeed, PointerMovesWithAThousandBlockChain)
{
    auto window = openChain(1000);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    TKeloBlock *head = ws().findStartBlock();
    ASSERT_NE(head, nullptr);
    BlockWidget *w = widgetOf(head);
    ASSERT_NE(w, nullptr);
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
    const int moves = qEnvironmentVariableIntValue("VIMSEL_MOVES") > 0 ? qEnvironmentVariableIntValue("VIMSEL_MOVES") : 30;
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= moves; ++i) {
        QTest::mouseMove(w, QPoint(10 + (i % 2), 10 + (i % 3)));
        QCoreApplication::processEvents();
    }
    const double perMove = double(timer.nsecsElapsed()) / 1e6 / moves;
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(10, 10));
    std::printf("[ timing   ] %.2f ms per pointer move with 1000 blocks\n", perMove);
    RecordProperty("ms_per_move", std::to_string(perMove));
    EXPECT_EQ(head->getKeloBlockListSize(), 1000);
}

TEST_F(DragSpeed, WheelScrollsThroughTenThousandBlocks)
{
    auto window = openChain(10000);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    QWidget *canvas = viewport();
    const QPoint at = canvas->rect().center();
    const int steps = 30;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < steps; ++i) {
        QWheelEvent wheel(at, canvas->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(canvas, &wheel);
        QCoreApplication::processEvents();
    }
    const double perStep = double(timer.nsecsElapsed()) / 1e6 / steps;
    std::printf("[ timing   ] %.2f ms per wheel step with 10000 blocks\n", perStep);
    RecordProperty("ms_per_wheel_step", std::to_string(perStep));

    // What scrolled into view has its widgets, in their places.
    const int scrolled = window->programPage()->canvasArea()->verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    int shown = 0;
    for (BlockWidget *w : window->findChildren<BlockWidget *>())
        if (w->block() && !w->block()->prototype() && w->isVisible()) {
            ++shown;
            EXPECT_EQ(w->mapTo(canvas, QPoint(0, 0)), w->block()->BoundsRect().topLeft());
        }
    EXPECT_GT(shown, 10);
    EXPECT_LT(shown, 200) << "only the blocks in view and near it have widgets";
}

} // namespace

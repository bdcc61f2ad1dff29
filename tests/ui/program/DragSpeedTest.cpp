// Reports how long a pointer move takes while the head of a long chain is dragged.
// A report, not a timed assertion: machines differ.
#include "project/ProgramBuilder.h"
#include "project/ProjectFiles.h"
#include "shell/ShellTestSupport.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

class DragSpeed : public ShellTest {};

TEST_F(DragSpeed, PointerMovesWithAThousandBlockChain)
{
    // The program is written by the core and opened as a pupil opens a file.
    const QString file = writeProgram(u"long.vzl"_s, [](ProgramBuilder &pb) {
        TKeloBlock *head = pb.place(u"Έναρξη προγράμματος"_s);
        head->SetBounds(60, 40, head->Width(), head->Height());
        TKeloBlock *tail = head;
        for (int i = 1; i < 1000; ++i)
            tail = pb.below(tail, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
    });
    auto window = makeWindow();
    window->resize(1200, 800);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    openName = file;
    window->acopen()->trigger();
    QCoreApplication::processEvents();

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

} // namespace

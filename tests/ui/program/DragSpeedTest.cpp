// Reports how long a pointer move takes while the head of a long chain is dragged.
// A report, not a timed assertion: machines differ.
#include "blocks/TKeloBlock.h"
#include "program/BlockWidget.h"
#include "program/ProgramPage.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QElapsedTimer>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(DragSpeed, PointerMovesWithAThousandBlockChain)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    ProgramBuilder pb(project);
    TKeloBlock *head = pb.place(u"Έναρξη προγράμματος"_s);
    head->SetBounds(60, 40, head->Width(), head->Height());
    TKeloBlock *tail = head;
    for (int i = 1; i < 1000; ++i)
        tail = pb.below(tail, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
    ProgramPage page(project, &prompt);
    page.resize(1200, 800);
    page.show();
    QCoreApplication::processEvents();
    page.sync();

    BlockWidget *w = nullptr;
    for (BlockWidget *c : page.canvasArea()->widget()->findChildren<BlockWidget *>())
        if (c->block() == head)
            w = c;
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

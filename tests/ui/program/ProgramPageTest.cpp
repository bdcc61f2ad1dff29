// The program canvas of a window built as the program builds it, driven with the
// mouse and keyboard and through files: drops work from the first second and after
// the window changes size, the scroll range follows the blocks, opened projects are
// laid out, and number fields make room for what is typed.
#include "blocks/TKeloEdit.h"
#include "blocks/TKeloUpDown.h"
#include "project/ProgramBuilder.h"
#include "shell/FontTextMeasurer.h"
#include "shell/ShellTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTabBar>
#include <QToolButton>

namespace {

const QString StartText = u"Έναρξη προγράμματος"_s;
const QString WaitText = u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s;
const QString LoopText = u"Επανάλαβε %p1 φορές"_s;

class ProgramCanvas : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QWidget *content() { return window->programPage()->canvasArea()->widget(); }
    // Where a block's widget shows inside the visible part of the canvas.
    QPoint shownAt(const TKeloBlock *b) { return widgetOf(b)->mapTo(viewport(), QPoint(0, 0)); }
    void open(const QString &file)
    {
        openName = file;
        window->acopen()->trigger();
        QCoreApplication::processEvents();
    }
    TKeloBlock *lastOfChain(TKeloBlock *b)
    {
        while (b->GetLinkTo())
            b = b->GetLinkTo();
        return b;
    }

    // The value blocks sit in their slots and the text after a slot starts after it;
    // editors show the model's text at the model's place.
    void expectLaidOut()
    {
        for (TKeloBlock *b : ws().components()) {
            if (b->prototype() || !b->parentBlock())
                continue;
            TKeloBlock *host = b->parentBlock();
            BlockWidget *w = widgetOf(b);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->geometry(), b->BoundsRect()) << qPrintable(b->CommandText());
            const int right = b->Left() + b->Width();
            EXPECT_GE(host->Width(), right) << qPrintable(host->CommandText());
            for (const TextPiece &piece : host->textPieces())
                if (piece.x > b->Left())
                    EXPECT_GE(piece.x, right) << qPrintable(host->CommandText()) << " / " << qPrintable(piece.text);
        }
        for (BlockWidget *bw : win->findChildren<BlockWidget *>()) {
            const TKeloBlock *b = bw->block();
            if (!b || b->prototype())
                continue;
            QList<QPair<QRect, QString>> shown, model;
            for (TKeloEdit *e : bw->findChildren<TKeloEdit *>(Qt::FindDirectChildrenOnly))
                if (e->NumbersOnly() && !e->isHidden())
                    shown.append({e->geometry(), e->Text()});
            for (const SlotEditor *m : {&b->ctrl1, &b->ctrl2})
                if (m->visible)
                    model.append({m->rect, m->text});
            if (b->HasDeviceParam())
                for (QComboBox *devicesBox : bw->findChildren<QComboBox *>(Qt::FindDirectChildrenOnly))
                    if (!devicesBox->isHidden() && devicesBox->font() == FontTextMeasurer::fontFor(BlockFont::DeviceList))
                        EXPECT_EQ(devicesBox->currentText(), b->ParamD()) << qPrintable(b->CommandText());
            const auto byX = [](const auto &l, const auto &r) { return l.first.x() < r.first.x(); };
            std::sort(shown.begin(), shown.end(), byX);
            std::sort(model.begin(), model.end(), byX);
            EXPECT_EQ(shown.size(), model.size()) << qPrintable(b->CommandText());
            for (qsizetype i = 0; i < std::min(shown.size(), model.size()); ++i) {
                EXPECT_EQ(shown[i].first, model[i].first) << qPrintable(b->CommandText());
                EXPECT_EQ(shown[i].second, model[i].second) << qPrintable(b->CommandText());
            }
        }
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(ProgramCanvas, ThePaletteShowsAllThreeTabCaptionsWhicheverIsChosen)
{
    auto *palette = window->programPage()->findChild<QTabWidget *>();
    ASSERT_NE(palette, nullptr);
    QTabBar *bar = palette->tabBar();
    ASSERT_EQ(bar->count(), 3);
    for (int chosen = 0; chosen < 3; ++chosen) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(chosen).center());
        QCoreApplication::processEvents();
        ASSERT_EQ(palette->currentIndex(), chosen);
        EXPECT_GE(palette->width(), 320);
        for (int i = 0; i < 3; ++i) {
            const QRect r = bar->tabRect(i);
            EXPECT_GE(r.left(), 0) << i << " with " << chosen << " chosen";
            EXPECT_LE(r.right(), bar->width() - 1) << i << " with " << chosen << " chosen";
            EXPECT_GE(r.width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
                << qPrintable(bar->tabText(i)) << " with " << chosen << " chosen";
        }
        for (QToolButton *arrow : bar->findChildren<QToolButton *>())
            EXPECT_FALSE(arrow->isVisible());
    }
}

TEST_F(ProgramCanvas, TheFirstDropAfterStartStays)
{
    TKeloBlock *start = dragFromPalette(StartText, QPoint(150, 100));
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(widgetOf(start)->isVisible());
    EXPECT_EQ(shownAt(start), QPoint(150, 100));
}

TEST_F(ProgramCanvas, DropsFollowTheWindowAndTheSplitter)
{
    window->resize(1400, 950);
    QCoreApplication::processEvents();
    const QPoint farCorner(viewport()->width() - 220, viewport()->height() - 60);
    TKeloBlock *start = dragFromPalette(StartText, farCorner);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(shownAt(start), farCorner);

    // The splitter handle dragged 120 pixels to the right narrows the canvas.
    auto *splitter = window->programPage()->findChild<QSplitter *>();
    ASSERT_NE(splitter, nullptr);
    QSplitterHandle *handle = splitter->handle(1);
    const int before = viewport()->width();
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(60, 0));
    QTest::mouseMove(handle, grip + QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(120, 0));
    QCoreApplication::processEvents();
    ASSERT_LT(viewport()->width(), before);

    const QPoint nearLeft(40, viewport()->height() - 60);
    TKeloBlock *wait = dragFromPalette(WaitText, nearLeft);
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(shownAt(wait), nearLeft);
}

TEST_F(ProgramCanvas, TheScrollRangeCoversEveryBlock)
{
    open(writeProgram(u"long.vzl"_s, [](ProgramBuilder &pb) {
        TKeloBlock *start = pb.place(StartText);
        start->SetBounds(60, 60, start->Width(), start->Height());
        TKeloBlock *tail = start;
        for (int i = 0; i < 80; ++i)
            tail = pb.below(tail, pb.place(WaitText));
    }));
    TKeloBlock *start = ws().findStartBlock();
    ASSERT_NE(start, nullptr);
    // In the canvas's content: the last block is far out of view and has no widget.
    const auto bottomOfChain = [&] {
        const TKeloBlock *last = lastOfChain(start);
        return ws().canvas().scrollY + last->Top() + last->Height();
    };
    ASSERT_EQ(widgetOf(lastOfChain(start)), nullptr) << "out of view, no widget";
    ASSERT_GT(bottomOfChain(), 2000);
    EXPECT_EQ(content()->height(), bottomOfChain() + Workspace::CanvasMargin);

    // A block dropped under the start block pushes the chain down.
    const int pushedFrom = bottomOfChain();
    TKeloBlock *inserted = dragFromPalette(WaitText, shownAt(start) + QPoint(5, 40));
    ASSERT_NE(inserted, nullptr);
    ASSERT_EQ(start->firstBlock(), inserted);
    EXPECT_GT(bottomOfChain(), pushedFrom);
    EXPECT_EQ(content()->height(), bottomOfChain() + Workspace::CanvasMargin);

    // The lowest block can be scrolled into view.
    QScrollBar *bar = window->programPage()->canvasArea()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    const QRect last(shownAt(lastOfChain(start)), widgetOf(lastOfChain(start))->size());
    EXPECT_TRUE(viewport()->rect().contains(last)) << last.y() << " in " << viewport()->height();

    // The chain below the start block goes to the trash: the range shrinks.
    bar->setValue(0);
    QCoreApplication::processEvents();
    dragTo(widgetOf(inserted), QPoint(5, 5), QPoint(10, 10));
    EXPECT_EQ(start->firstBlock(), nullptr);
    EXPECT_EQ(content()->height(), viewport()->height());
}

TEST_F(ProgramCanvas, AnOpenedProjectIsLaidOutAtOnce)
{
    openExample(u"lcd-temperature"_s);
    ASSERT_TRUE(ws().CanvasHasBlocks());
    expectLaidOut();

    // The same when it is opened while the devices page is shown.
    prompt.answer = UserPrompt::Answer::No;
    window->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
    QCoreApplication::processEvents();
    openExample(u"robot"_s);
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    QCoreApplication::processEvents();
    ASSERT_TRUE(ws().CanvasHasBlocks());
    expectLaidOut();
}

TEST_F(ProgramCanvas, ANumberFieldMakesRoomForWhatIsTyped)
{
    TKeloBlock *loop = dragFromPalette(LoopText, QPoint(150, 100));
    ASSERT_NE(loop, nullptr);
    TKeloEdit *edit = nullptr;
    for (TKeloEdit *e : widgetOf(loop)->findChildren<TKeloEdit *>())
        if (e->isVisible())
            edit = e;
    ASSERT_NE(edit, nullptr);
    // The words after the field start where the field (with its spinner) ends, and
    // the block's outline holds them.
    const auto expectRoom = [&](const char *when) {
        const TextPiece &after = loop->textPieces().last();
        EXPECT_GE(after.x, edit->geometry().right() + 1) << when;
        EXPECT_EQ(edit->geometry(), loop->ctrl1.rect) << when;
        EXPECT_GE(loop->Width(), after.x + QFontMetrics(widgetOf(loop)->font()).horizontalAdvance(after.text))
            << when;
        EXPECT_GE(edit->width(), QFontMetrics(edit->font()).horizontalAdvance(edit->Text())) << when;
    };
    expectRoom("shown");

    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(edit->EditMode());
    ASSERT_TRUE(edit->upDown()->isVisible());
    expectRoom("spinner shown");

    edit->lineEdit()->selectAll();
    QTest::keyClicks(edit->lineEdit(), u"12345"_s);
    EXPECT_EQ(loop->GetParam1(), 12345);
    expectRoom("typed");

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(600, 500));
    QCoreApplication::processEvents();
    ASSERT_FALSE(edit->EditMode());
    EXPECT_EQ(edit->Text(), u"12345"_s);
    expectRoom("left");
}

} // namespace

// The code as a live companion of the blocks, driven as a pupil drives the window:
// blocks dropped and edited show in the code page and beside the canvas without
// sending; pointing at or pressing a block marks its lines; a click on a line
// outlines its block; the Arduino IDE's keys; a check compiles without uploading.
#include "shell/ShellTestSupport.h"

#include "blocks/TKeloLoopBlock.h"
#include "code/CodeCompanion.h"
#include "code/CodeMenus.h"
#include "code/CodeView.h"
#include "codegen/SketchGenerator.h"
#include "program/ProgramView.h"
#include "shell/DebugList.h"
#include "shell/ElidedLabel.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBlock>

namespace {

class CodeBesideBlocks : public ShellTest {
protected:
    void SetUp() override
    {
        useStandInIde();
        window = makeWindow({});
        showWindow();
    }
    void showWindow()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    CodeView *beside() const { return window->codeCompanion()->besideView(); }
    QString codePage() const { return window->codeView()->toPlainText(); }
    // The sketch of the program on the canvas, as the file holds its lines.
    QStringList sketch()
    {
        SketchLineMap map;
        const std::optional<QStringList> lines = window->project().sketchForView(&map);
        return lines ? SketchGenerator::fileLines(*lines) : QStringList();
    }
    // Waits for the views to catch up with the program (they follow after a pause).
    bool viewsShowTheSketch()
    {
        const QStringList expected = sketch();
        return QTest::qWaitFor([&] { return beside()->sketch() == expected && codePage().startsWith(expected.join(u'\n')); },
                               3000);
    }
    QAction *menuItem(const QString &menu, const QString &item) const
    {
        for (QAction *top : window->menuBar()->actions())
            if (top->text() == menu && top->menu())
                for (QAction *a : top->menu()->actions())
                    if (a->text() == item)
                        return a;
        return nullptr;
    }
    // What the menus show: each item with its key.
    QStringList menuTexts(const QString &menu) const
    {
        QStringList texts;
        for (QAction *top : window->menuBar()->actions())
            if (top->text() == menu && top->menu())
                for (QAction *a : top->menu()->actions())
                    texts << (a->isSeparator() ? u"-"_s
                                               : (a->text() + u' ' + a->shortcut().toString(QKeySequence::NativeText)).trimmed());
        return texts;
    }
    void showBeside()
    {
        QAction *item = menuItem(u"Προβολή"_s, u"Κώδικας δίπλα στα blocks"_s);
        ASSERT_NE(item, nullptr);
        if (!item->isChecked())
            item->trigger();
        ASSERT_TRUE(beside()->isVisible());
    }
    QStringList marked(CodeView *v) const
    {
        const SketchLineMap::Lines l = v->markedLines();
        return l.isEmpty() ? QStringList() : v->sketch().mid(l.first, l.last - l.first + 1);
    }
    // Brings the block into the visible canvas and moves the pointer onto it.
    void pointAt(const TKeloBlock *b, QPoint at = QPoint(6, 6))
    {
        window->programPage()->canvasArea()->ensureWidgetVisible(widgetOf(b));
        QTest::mouseMove(widgetOf(b), at);
    }
    void clickLine(CodeView *v, int line)
    {
        v->verticalScrollBar()->setValue(std::max(0, line - 1));
        QCoreApplication::processEvents();
        const QRect r = v->cursorRect(QTextCursor(v->document()->findBlockByNumber(line)));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 2, r.center().y()));
    }
    const TKeloBlock *outlined() const { return window->programPage()->findChild<ProgramView *>()->highlighted(); }
    // Blocks far out of view have no widget at all.
    bool shownOnCanvas(const TKeloBlock *b)
    {
        if (!widgetOf(b))
            return false;
        const QRect shown(widgetOf(b)->mapTo(viewport(), QPoint(0, 0)), widgetOf(b)->size());
        return viewport()->rect().contains(shown);
    }
    // Presses the key in the window, as its shortcut.
    void press(QKeyCombination key)
    {
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
    }
    void waitForTheRun()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->acgetcode()->isEnabled(); }, 15000));
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(CodeBesideBlocks, TheCodeFollowsTheBlocksWithoutSending)
{
    TKeloBlock *start = dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100));
    ASSERT_NE(start, nullptr);
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                                       QPoint(start->Left() + 5, start->Top() + 40));
    ASSERT_EQ(start->firstBlock(), wait);
    ASSERT_TRUE(viewsShowTheSketch());
    EXPECT_EQ(codePage(), sketch().join(u'\n')) << "the sketch alone";
    EXPECT_TRUE(codePage().contains(u"\n   delay(1000);\n"_s));
    ASSERT_NE(typeNumber(wait, u"250"_s), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return codePage().contains(u"\n   delay(250);\n"_s); }, 3000));
    EXPECT_TRUE(viewsShowTheSketch());

    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_FALSE(QDir(programDir.filePath(u"Out"_s)).exists());
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex) << "the pupil stays where they work";
    EXPECT_TRUE(window->debugList()->findItems(u"Sending CMD"_s, Qt::MatchStartsWith).isEmpty())
        << "following the blocks traces nothing";

    // Undo takes the code back too; the code page is read-only.
    window->acUndo()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return codePage().contains(u"\n   delay(1000);\n"_s); }, 3000));
    EXPECT_TRUE(window->codeView()->isReadOnly());
    EXPECT_TRUE(beside()->isReadOnly());
}

TEST_F(CodeBesideBlocks, TheSideViewIsAViewChoiceKeptInTheSettings)
{
    EXPECT_FALSE(beside()->isVisible());
    showBeside();
    QScrollArea *canvas = window->programPage()->canvasArea();
    const int canvasRight = canvas->mapTo(window.get(), QPoint(canvas->width(), 0)).x();
    EXPECT_GE(beside()->mapTo(window.get(), QPoint(0, 0)).x(), canvasRight) << "right of the canvas";
    EXPECT_GT(canvas->width(), beside()->width());
    EXPECT_GE(beside()->width(), 150);
    EXPECT_EQ(window->notebook()->widget(TfrmVimsel::CodePageIndex), window->codeView()) << "the code page stays";

    window.reset();
    window = makeWindow({});
    showWindow();
    EXPECT_TRUE(menuItem(u"Προβολή"_s, u"Κώδικας δίπλα στα blocks"_s)->isChecked());
    EXPECT_TRUE(beside()->isVisible());
    menuItem(u"Προβολή"_s, u"Κώδικας δίπλα στα blocks"_s)->trigger();
    EXPECT_FALSE(beside()->isVisible());
    window.reset();
    window = makeWindow({});
    showWindow();
    EXPECT_FALSE(beside()->isVisible());
}

TEST_F(CodeBesideBlocks, PointingAtOrPressingABlockMarksItsLines)
{
    openExample(u"blink"_s);
    showBeside();
    ASSERT_TRUE(viewsShowTheSketch());
    TKeloLoopBlock *loop = nullptr;
    for (TKeloBlock *b : ws().canvas().children())
        if (auto *l = dynamic_cast<TKeloLoopBlock *>(b))
            loop = l;
    ASSERT_NE(loop, nullptr);
    TKeloBlock *firstWait = loop->firstBlock()->GetLinkTo();
    ASSERT_EQ(firstWait->CommandText(), u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    const TKeloBlock *start = ws().findStartBlock();

    pointAt(firstWait);
    EXPECT_EQ(marked(beside()), QStringList{u"      delay(500);"_s});
    EXPECT_EQ(marked(static_cast<CodeView *>(window->codeView())), QStringList{u"      delay(500);"_s});
    pointAt(loop);
    const QStringList loopLines{u"   while (1){"_s,         u"      digitalWrite(13,HIGH);"_s, u"      delay(500);"_s,
                                u"      digitalWrite(13,LOW);"_s, u"      delay(500);"_s,       u"   }"_s,
                                u"   "_s};
    EXPECT_EQ(marked(beside()), loopLines);

    // Pressed, the wait stays marked once the pointer leaves for the bare canvas.
    pointAt(firstWait);
    QTest::mouseClick(widgetOf(firstWait), Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseMove(viewport(), QPoint(viewport()->width() - 5, viewport()->height() - 5));
    EXPECT_EQ(marked(beside()), QStringList{u"      delay(500);"_s});
    pointAt(start);
    EXPECT_EQ(marked(beside()).value(0), u"void loop() {"_s) << "the start block is all of loop()";
    EXPECT_EQ(marked(beside()).size(), 10);

    // The marks follow the program as it changes.
    QTest::mouseMove(viewport(), QPoint(viewport()->width() - 5, viewport()->height() - 5));
    ASSERT_NE(typeNumber(firstWait, u"75"_s), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return marked(beside()) == QStringList{u"      delay(75);"_s}; }, 3000))
        << qPrintable(marked(beside()).join(u'|'));
}

TEST_F(CodeBesideBlocks, ClickingALineOutlinesItsBlockAndScrollsToIt)
{
    // A program longer than the canvas: its last waits start out of view.
    openName = writeProgram(u"long.vzl"_s, [](ProgramBuilder &pb) {
        TKeloBlock *above = pb.place(u"Έναρξη προγράμματος"_s);
        for (int ms = 1; ms <= 30; ++ms) {
            TKeloBlock *w = pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
            w->SetParam1(ms);
            above = pb.below(above, w);
        }
    });
    window->acopen()->trigger();
    showBeside();
    ASSERT_TRUE(viewsShowTheSketch());
    const TKeloBlock *last = nullptr;
    for (TKeloBlock *b : ws().canvas().children())
        if (b->GetParam1() == 30 && !b->isStartBlock())
            last = b;
    ASSERT_NE(last, nullptr);
    ASSERT_FALSE(shownOnCanvas(last));

    const int line = int(beside()->sketch().indexOf(u"   delay(30);"_s));
    ASSERT_GT(line, 0);
    clickLine(beside(), line);
    EXPECT_EQ(outlined(), last);
    EXPECT_TRUE(shownOnCanvas(last));
    EXPECT_EQ(marked(beside()), QStringList{u"   delay(30);"_s});

    // From the code page the program page comes to the front.
    window->notebook()->setCurrentIndex(TfrmVimsel::CodePageIndex);
    auto *page = static_cast<CodeView *>(window->codeView());
    const int first = int(page->sketch().indexOf(u"   delay(1);"_s));
    clickLine(page, first);
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    ASSERT_NE(outlined(), nullptr);
    EXPECT_EQ(outlined()->GetParam1(), 1);

    // A line no block made changes nothing.
    clickLine(beside(), 0);
    EXPECT_EQ(outlined()->GetParam1(), 1);
}

TEST_F(CodeBesideBlocks, TheArduinoIdesKeysAreInTheMenus)
{
    EXPECT_EQ(menuTexts(u"Προβολή"_s), (QStringList{u"Κώδικας δίπλα στα blocks"_s, u"-"_s, u"Μαθήματα"_s}));
    EXPECT_EQ(menuTexts(u"Arduino"_s), (QStringList{u"Έλεγχος Ctrl+R"_s, u"Αποστολή στο Arduino Ctrl+U"_s}));
    EXPECT_EQ(menuTexts(u"Αρχείο"_s).value(0), u"Νέο Ctrl+N"_s);

    // F1, as in the IDE, opens the lessons page (at the teacher's guide).
    press(Qt::Key_F1);
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::LessonsPageIndex);
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);

    prompt.answers = {UserPrompt::Answer::No};
    press(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::confirmNewText()});

    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100)), nullptr);
    prompt.answers = {UserPrompt::Answer::No};
    press(Qt::CTRL | Qt::Key_U);
    EXPECT_EQ(prompt.questions.value(1), u"Να σταλεί στο Arduino;"_s);
}

TEST_F(CodeBesideBlocks, ACheckCompilesWithoutUploadingAndPointsAtTheMistake)
{
    window.reset();
    window = makeWindow({u"/dev/ttyUSB0"_s});
    showWindow();
    TKeloBlock *start = dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100));
    ASSERT_NE(start, nullptr);
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                                       QPoint(start->Left() + 5, start->Top() + 40));
    ASSERT_NE(wait, nullptr);

    press(Qt::CTRL | Qt::Key_R);
    EXPECT_EQ(window->resultPanel()->text(), u"Έλεγχος…"_s);
    waitForTheRun();
    EXPECT_TRUE(prompt.questions.isEmpty()) << "a check asks nothing";
    EXPECT_TRUE(codePage().contains(u"--verify"_s));
    EXPECT_FALSE(codePage().contains(u"--upload"_s));
    EXPECT_TRUE(codePage().contains(u"Compiling... Please Wait!!!"_s));
    ASSERT_FALSE(prompt.messages.isEmpty());
    EXPECT_TRUE(prompt.messages.last().startsWith(u"Έλεγχος: το πρόγραμμα είναι σωστό."_s))
        << qPrintable(prompt.messages.last());
    EXPECT_EQ(window->resultPanel()->text(), u"Έλεγχος: το πρόγραμμα είναι σωστό."_s);

    // The program changes: the code page's sketch follows, the run's output stays below.
    window->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);
    ASSERT_NE(typeNumber(wait, u"4321"_s), nullptr);
    ASSERT_TRUE(viewsShowTheSketch());
    EXPECT_TRUE(codePage().contains(u"\n   delay(4321);\n"_s));
    EXPECT_TRUE(codePage().contains(u"\nDone!!!\n"_s));

    // The stand-in IDE finds a mistake in that line: the block is outlined.
    prompt.messages.clear();
    press(Qt::CTRL | Qt::Key_R);
    waitForTheRun();
    ASSERT_FALSE(prompt.messages.isEmpty());
    EXPECT_TRUE(prompt.messages.last().startsWith(u"Έλεγχος: το πρόγραμμα έχει λάθος."_s));
    EXPECT_TRUE(prompt.messages.last().contains(u"«Περίμενε 4321 χιλιοστά δευτερολέπτου»"_s));
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    EXPECT_EQ(outlined(), wait);
    EXPECT_EQ(codePage().count(u"Done!!!"_s), 1) << "a new run starts from the sketch alone";
    EXPECT_TRUE(prompt.questions.isEmpty());
}

// A report, not a timed assertion: how long the views take to show a change once the
// changes have paused, in a program of a thousand blocks.
TEST_F(CodeBesideBlocks, ReportsHowFastALongProgramsCodeFollows)
{
    openName = writeProgram(u"long.vzl"_s, [](ProgramBuilder &pb) {
        TKeloBlock *tail = pb.place(u"Έναρξη προγράμματος"_s);
        tail->SetBounds(60, 40, tail->Width(), tail->Height());
        for (int i = 1; i < 1000; ++i)
            tail = pb.below(tail, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
    });
    window->acopen()->trigger();
    showBeside();
    ASSERT_TRUE(viewsShowTheSketch());
    TKeloBlock *first = ws().findStartBlock()->firstBlock();
    ASSERT_NE(first, nullptr);
    QElapsedTimer timer;
    timer.start();
    ASSERT_NE(typeNumber(first, u"7"_s), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return beside()->sketch().contains(u"   delay(7);"_s); }, 5000));
    const double ms = double(timer.nsecsElapsed()) / 1e6 - CodeCompanion::DelayMs;
    std::printf("[ timing   ] %.1f ms to show a change in the code of 1000 blocks, after the %d ms pause\n", ms,
                CodeCompanion::DelayMs);
    RecordProperty("ms_per_change", std::to_string(ms));
    EXPECT_TRUE(viewsShowTheSketch());
}

} // namespace

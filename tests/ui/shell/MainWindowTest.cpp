#include "ShellTestSupport.h"

#include "program/ProgramPage.h"
#include "project/Project.h"
#include "shell/DebugList.h"
#include "shell/DevicesPage.h"
#include "lessons/LessonsPage.h"
#include "sim/SimulationPage.h"
#include "shell/ProjectSession.h"
#include "devices/DeviceTypes.h"
#include "devices/TDefDevForm.h"
#include "devices/TfrmTemp.h"
#include "shell/DeviceTile.h"
#include "project/ProgramBuilder.h"

#include <QComboBox>
#include <QSpinBox>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

using Answer = UserPrompt::Answer;

class MainWindow : public ShellTest {
protected:
    void SetUp() override { w = makeWindow(); }
    void openBlink() { openExample(u"blink"_s); }
    std::unique_ptr<TfrmVimsel> w;
};

TEST_F(MainWindow, ShowsTheTextsOfItsCommandsAndPages)
{
    EXPECT_EQ(w->windowTitle(), u"Έλεγχος συσκευών Arduino 0.96 (Βήτα έκδοση 27/02/2022)"_s);

    QStringList pages;
    for (int i = 0; i < w->notebook()->count(); ++i)
        pages << w->notebook()->tabText(i);
    EXPECT_EQ(pages, (QStringList{u"Πρόγραμμα"_s, u"Συσκευές"_s, u"Μαθήματα"_s, u"Arduino Κώδικας"_s, u"Προσομοίωση"_s}));
    EXPECT_EQ(w->notebook()->widget(TfrmVimsel::CodePageIndex), w->codeView());
    // The code follows the blocks: nothing typed there would last.
    EXPECT_TRUE(w->codeView()->isReadOnly());

    const QList<QAction *> top = w->menuBar()->actions();
    ASSERT_EQ(top.size(), 6);
    EXPECT_EQ(top[0]->text(), u"Αρχείο"_s);
    EXPECT_EQ(top[1]->text(), u"Επεξεργασία"_s);
    EXPECT_EQ(top[2]->text(), u"Προβολή"_s);
    EXPECT_EQ(top[3]->text(), u"Arduino"_s);
    EXPECT_EQ(top[4]->text(), u"Σχετικά..."_s);
    EXPECT_EQ(top[5]->text(), u"Βοήθεια"_s);
    QStringList help;
    for (QAction *a : top[5]->menu()->actions())
        help << a->text() + u' ' + a->shortcut().toString();
    EXPECT_EQ(help, QStringList{u"Οδηγός εκπαιδευτικού F1"_s});
    QStringList edit;
    for (QAction *a : top[1]->menu()->actions())
        edit << a->text() + u' ' + a->shortcuts().value(0).toString() + u' ' + a->shortcuts().value(1).toString();
    EXPECT_EQ(edit, (QStringList{u"Αναίρεση Ctrl+Z "_s, u"Επανάληψη Ctrl+Y Ctrl+Shift+Z"_s}));
    QStringList file;
    for (QAction *a : top[0]->menu()->actions())
        file << (a->isSeparator() ? u"-"_s : a->text());
    EXPECT_EQ(file, (QStringList{u"Νέο"_s, u"Άνοιγμα"_s, u"Παραδείγματα"_s, u"Αποθήκευση"_s, u"Αποθήκευση ώς ..."_s, u"-"_s,
                                 u"Επιλογές"_s, u"-"_s, u"Έξοδος"_s}));

    EXPECT_EQ(w->acNew()->toolTip(), u"Δημιουργεί νέο πρόγραμμα αφού διαγράψει το υπάρχων"_s);
    EXPECT_EQ(w->acopen()->toolTip(), u"Άνοιγμα Αρχείου"_s);
    EXPECT_EQ(w->acopen()->shortcut(), QKeySequence(u"Ctrl+O"_s));
    EXPECT_EQ(w->acsave()->shortcut(), QKeySequence(u"Ctrl+S"_s));
    EXPECT_EQ(w->acgetcode()->text(), u"Κώδικας Arduino"_s);
    EXPECT_EQ(w->acStop()->toolTip(), u"Σταματά την εκτέλεση του προγράμματος στό robot"_s);
    EXPECT_TRUE(w->acConnect()->isEnabled());
    EXPECT_TRUE(w->acStop()->isEnabled());

    auto *bar = w->findChild<QToolBar *>();
    ASSERT_NE(bar, nullptr);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    // The live buttons have their places in the bar, hidden unless live mode is on.
    QList<QAction *> buttons = bar->actions();
    buttons.removeIf([](const QAction *a) { return !a->isVisible(); });
    ASSERT_EQ(buttons.size(), 6);
    EXPECT_EQ(buttons.mid(0, 5),
              (QList<QAction *>{w->acNew(), w->acopen(), w->acsave(), w->acUndo(), w->acRedo()}));
    EXPECT_EQ(bar->widgetForAction(w->acopen())->toolTip(), u"Άνοιγμα Αρχείου προγράμματος  από το δίσκο"_s);
    auto *getCode = qobject_cast<QToolButton *>(bar->widgetForAction(buttons[5]));
    ASSERT_NE(getCode, nullptr);
    EXPECT_EQ(getCode->text(), u"Αποστολή στο Arduino"_s);
    EXPECT_EQ(getCode->toolTip(), u"Παράγει Κώδικα για το Arduino και το αποστέλλει"_s);
    for (const char *hidden : {"btConnect", "btStop"}) {
        auto *button = bar->findChild<QToolButton *>(QLatin1StringView(hidden));
        ASSERT_NE(button, nullptr) << hidden;
        EXPECT_FALSE(button->isVisible()) << hidden;
    }

    EXPECT_EQ(w->portPanel()->text(), u"Port: "_s);
    EXPECT_GE(w->portPanel()->width(), 100);  // wider when a long port name needs it
    EXPECT_EQ(w->filePanel()->width(), 500);
}

TEST_F(MainWindow, DebugListCollectsLinesAndEmptiesOnDoubleClick)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    DebugList *list = w->debugList();
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(list->count() - 1)->text(), QSysInfo::machineHostName());

    for (int i = 0; i < 50; ++i)
        w->AddDebug(u"line %1"_s.arg(i));
    EXPECT_EQ(list->item(list->count() - 1)->text(), u"line 49"_s);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(list->count(), 0);
}

TEST_F(MainWindow, FileCommandsOverFiles)
{
    // An empty canvas: Save and Save as write nothing and show no dialog.
    saveName = path(u"blink.vzl"_s);
    w->acsave()->trigger();
    w->acsaveas()->trigger();
    EXPECT_EQ(saveDialogs, 0);
    EXPECT_FALSE(QFile::exists(saveName));

    openBlink();
    saveName = path(u"blink.vzl"_s);
    EXPECT_EQ(w->filePanel()->text(), saveName);
    QFile::remove(saveName);
    w->acsave()->trigger();
    EXPECT_EQ(saveDialogs, 0);
    EXPECT_TRUE(QFile::exists(saveName));

    prompt.answers = {Answer::Yes};
    w->acNew()->trigger();
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::confirmNewText()});
    EXPECT_TRUE(ProjectSession::confirmNewText().contains(u"νέο, άδειο πρόγραμμα"_s));
    EXPECT_FALSE(w->project().workspace().CanvasHasBlocks());
    EXPECT_TRUE(w->filePanel()->text().isEmpty());

    openName = saveName;
    w->acopen()->trigger();
    EXPECT_TRUE(w->project().workspace().CanvasHasBlocks());
    EXPECT_EQ(w->project().variables().count(), 1);
    EXPECT_EQ(w->project().devices().count(), 1);
    EXPECT_EQ(w->filePanel()->text(), saveName);

    saveName = path(u"copy.vzl"_s);
    w->acsaveas()->trigger();
    EXPECT_TRUE(QFile::exists(saveName));
    EXPECT_EQ(w->filePanel()->text(), saveName);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(MainWindow, ProgramAndBoardChangesCountAsUnsaved)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_FALSE(w->session().isModified());
    openBlink();
    saveName = path(u"blink.vzl"_s);
    w->acsave()->trigger();
    ASSERT_FALSE(w->session().isModified());

    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(400, 300)), nullptr);
    EXPECT_TRUE(w->session().isModified());

    w->acsave()->trigger();
    ASSERT_FALSE(w->session().isModified());
    w->devicesPage()->boardGroup()->button(2)->click();
    EXPECT_EQ(w->project().devices().BoardTypeId(), 2);
    EXPECT_TRUE(w->session().isModified());
}

struct CloseCase {
    const char *name;
    Answer answer;
    bool closes;
    bool saves;
};

void PrintTo(const CloseCase &c, std::ostream *os)
{
    *os << c.name;
}

class ClosingWithUnsavedChanges : public MainWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingWithUnsavedChanges, AsksWhetherToSave)
{
    const CloseCase &c = GetParam();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    openBlink();
    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(400, 300)), nullptr);
    // Saving goes to the opened file's name.
    saveName = path(u"blink.vzl"_s);
    QFile::remove(saveName);

    prompt.answers = {c.answer};
    EXPECT_EQ(w->close(), c.closes);
    EXPECT_EQ(prompt.questions,
              QStringList{u"Το πρόγραμμα έχει αλλαγές που δεν αποθηκεύτηκαν. Να αποθηκευτούν;"_s});
    EXPECT_EQ(w->isVisible(), !c.closes);
    EXPECT_EQ(QFile::exists(saveName), c.saves);
    // Closing frees every block; a cancelled close keeps the project.
    EXPECT_EQ(w->project().workspace().components().empty(), c.closes);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingWithUnsavedChanges,
                         ::testing::Values(CloseCase{"Cancel", Answer::Cancel, false, false},
                                           CloseCase{"No", Answer::No, true, false},
                                           CloseCase{"Yes", Answer::Yes, true, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindow, ClosingWithoutChangesAsksNothing)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(prompt.questions.isEmpty());
}

TEST_F(MainWindow, CodeCommandFillsTheCodePageAndTheClipboard)
{
    openBlink();
    w->codeView()->setPlainText(u"earlier text"_s);
    w->acgetcode()->trigger();
    EXPECT_EQ(w->notebook()->currentIndex(), TfrmVimsel::CodePageIndex);
    const QStringList expected{u"#include \"Arduino.h\""_s, u""_s, u" "_s, u"int Metritis;"_s, u""_s,
                               u"void setup() {"_s, u"  pinMode(13,OUTPUT);"_s, u"}"_s, u""_s,
                               u"void loop() {"_s, u"   "_s, u"   while (1){"_s,
                               u"      digitalWrite(13,HIGH);"_s, u"      delay(500);"_s,
                               u"      digitalWrite(13,LOW);"_s, u"      delay(500);"_s, u"   }"_s, u"   "_s,
                               u"}"_s, u""_s};
    EXPECT_EQ(w->codeView()->toPlainText().split(u'\n'), expected);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), w->codeView()->toPlainText());
}

TEST_F(MainWindow, CodeCommandWithoutStartBlockKeepsTheCodePage)
{
    w->codeView()->setPlainText(u"earlier text"_s);
    QGuiApplication::clipboard()->setText(u"clipboard"_s);
    w->acgetcode()->trigger();
    EXPECT_EQ(w->notebook()->currentIndex(), TfrmVimsel::CodePageIndex);
    EXPECT_EQ(prompt.messages, QStringList{u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!"_s});
    EXPECT_EQ(w->codeView()->toPlainText(), u"earlier text"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"clipboard"_s);
}

// A wheel turn delivered to whatever control; only the pointer position counts.
bool turnWheel(QWidget *receiver, const QPoint &global, int delta)
{
    QWheelEvent e(receiver->mapFromGlobal(global), global, QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(receiver, &e);
    return e.isAccepted();
}

TEST_F(MainWindow, WheelOverTheCanvasScrollsTheCanvasWhereverTheFocusIs)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    openName = writeProgram(u"long.vzl"_s, [](ProgramBuilder &pb) {
        TKeloBlock *tail = pb.place(u"Έναρξη προγράμματος"_s);
        for (int i = 0; i < 60; ++i)
            tail = pb.below(tail, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
    });
    w->acopen()->trigger();
    QScrollArea *canvas = w->programPage()->canvasArea();
    QScrollBar *bar = canvas->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 1000);
    bar->setValue(500);
    const QPoint overCanvas = canvas->viewport()->mapToGlobal(canvas->viewport()->rect().center());
    const int lines = QApplication::wheelScrollLines();

    DebugList *focused = w->debugList();
    focused->setFocus();
    focused->verticalScrollBar()->setRange(0, 100);
    focused->verticalScrollBar()->setValue(50);
    EXPECT_TRUE(turnWheel(focused, overCanvas, -120));
    EXPECT_EQ(bar->value(), 500 + lines * bar->singleStep());
    EXPECT_EQ(focused->verticalScrollBar()->value(), 50);
    turnWheel(focused, overCanvas, 120);
    turnWheel(focused, overCanvas, 120);
    EXPECT_EQ(bar->value(), 500 - lines * bar->singleStep());

    // With another page shown the hidden canvas catches nothing.
    w->notebook()->setCurrentIndex(TfrmVimsel::CodePageIndex);
    turnWheel(w->codeView(), overCanvas, -120);
    EXPECT_EQ(bar->value(), 500 - lines * bar->singleStep());
}

TEST_F(MainWindow, WheelOverThePaletteScrollsTheVisibleGroup)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QWidget *first = w->programPage()->paletteGroup(0);
    auto *second = qobject_cast<QAbstractScrollArea *>(w->programPage()->paletteGroup(1));
    ASSERT_NE(second, nullptr);
    QTabWidget *tabs = nullptr;
    for (QWidget *p = second->parentWidget(); p && !tabs; p = p->parentWidget())
        tabs = qobject_cast<QTabWidget *>(p);
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentWidget(second);
    ASSERT_FALSE(first->isVisible());

    QScrollBar *bar = second->verticalScrollBar();
    bar->setRange(0, 1000);
    bar->setValue(0);
    const QPoint overPalette = second->viewport()->mapToGlobal(second->viewport()->rect().center());
    EXPECT_TRUE(turnWheel(w->codeView(), overPalette, -120));
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines() * bar->singleStep());
    EXPECT_EQ(w->programPage()->canvasArea()->verticalScrollBar()->value(), 0);
}

// A turn changes a value only over a field that has the focus; everywhere else it
// scrolls what is under the pointer, and a focused field elsewhere keeps its value.
TEST_F(MainWindow, WheelChangesOnlyTheFocusedFieldUnderThePointer)
{
    w->resize(1000, 560);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(w->devicesPage()->getPanelAddButton(w->devicesPage()->FindDeviceTile(DeviceTypes::Laser)),
                      Qt::LeftButton);
    QTest::mouseClick(w->devicesPage()->getPanelAddButton(w->devicesPage()->FindDeviceTile(DeviceTypes::Temp)),
                      Qt::LeftButton);
    w->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
    w->devicesPage()->deviceNotebook()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    TDefDevForm *laser = w->devicesPage()->deviceWindow(0);
    ASSERT_NE(laser, nullptr);
    QSpinBox *pin = laser->ParamSE(1);
    ASSERT_TRUE(pin->isVisible());
    const int before = pin->value();
    const QPoint overPin = pin->mapToGlobal(pin->rect().center());

    // The pointer passes over the pin while the debug list has the focus.
    w->debugList()->setFocus();
    turnWheel(pin, overPin, 120);
    turnWheel(pin, overPin, -120);
    turnWheel(pin, overPin, -120);
    EXPECT_EQ(pin->value(), before);
    EXPECT_EQ(w->project().devices().device(0).ActDevParams[1], before);

    // The sensor type list of another window, likewise.
    w->devicesPage()->deviceNotebook()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    auto *temp = qobject_cast<TfrmTemp *>(w->devicesPage()->deviceWindow(1));
    ASSERT_NE(temp, nullptr);
    QComboBox *types = temp->TypeList();
    const int typeBefore = types->currentIndex();
    w->debugList()->setFocus();
    turnWheel(types, types->mapToGlobal(types->rect().center()), -120);
    EXPECT_EQ(types->currentIndex(), typeBefore);

    // A focused pin keeps its value while the pointer is elsewhere...
    w->devicesPage()->deviceNotebook()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    pin->setFocus();
    turnWheel(w->debugList(), w->debugList()->mapToGlobal(QPoint(5, 5)), 120);
    EXPECT_EQ(pin->value(), before);
    // ...and takes the turn with the pointer over it.
    turnWheel(pin, overPin, 120);
    EXPECT_EQ(pin->value(), before + 1);
}

TEST_F(MainWindow, WheelOverADeviceTileScrollsTheTiles)
{
    w->resize(1000, 560);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
    QCoreApplication::processEvents();
    QWidget *add = w->devicesPage()->getPanelAddButton(w->devicesPage()->FindDeviceTile(DeviceTypes::Laser));
    ASSERT_NE(add, nullptr);
    QAbstractScrollArea *tiles = nullptr;
    for (QWidget *p = add->parentWidget(); p && !tiles; p = p->parentWidget())
        tiles = qobject_cast<QAbstractScrollArea *>(p);
    ASSERT_NE(tiles, nullptr);
    ASSERT_GT(tiles->verticalScrollBar()->maximum(), 0) << "the tiles must not fit for this test";
    const int top = tiles->verticalScrollBar()->value();
    turnWheel(add, add->mapToGlobal(add->rect().center()), -120);
    EXPECT_GT(tiles->verticalScrollBar()->value(), top);
}

TEST_F(MainWindow, BoardChoiceFollowsTheModel)
{
    QButtonGroup *boards = w->devicesPage()->boardGroup();
    QStringList names;
    for (QAbstractButton *b : boards->buttons())
        names << b->text();
    EXPECT_EQ(names, (QStringList{u"Arduino UNO"_s, u"Arduino NANO"_s, u"Arduino MEGA"_s}));

    boards->button(1)->click();
    EXPECT_EQ(w->project().devices().BoardTypeId(), 1);
    w->project().devices().setBoardTypeId(2);
    EXPECT_EQ(boards->checkedId(), 2);
    w->project().devices().setBoardTypeId(-1);
    EXPECT_EQ(boards->checkedId(), -1);
}

TEST_F(MainWindow, PagesAreBuiltOnTheFirstVisitWithTheProjectAsItIsThen)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    // Start-up builds none of the pages the pupil has not opened yet.
    EXPECT_EQ(w->findChild<DevicesPage *>(), nullptr);
    EXPECT_EQ(w->findChild<LessonsPage *>(), nullptr);
    EXPECT_EQ(w->findChild<SimulationPage *>(), nullptr);

    // A project opened before the first visit: the page shows its board and device.
    openBlink();
    w->project().devices().setBoardTypeId(2);
    QTabBar *tabs = w->notebook()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TfrmVimsel::DevicesPageIndex).center());
    auto *devices = w->findChild<DevicesPage *>();
    ASSERT_NE(devices, nullptr);
    EXPECT_TRUE(devices->isVisible());
    // The page fills the tab edge to edge, as it did standing in the tab itself.
    EXPECT_EQ(devices->geometry(), devices->parentWidget()->rect());
    EXPECT_EQ(devices->boardGroup()->checkedId(), 2);
    EXPECT_EQ(devices->deviceNotebook()->count(), 1 + w->project().devices().count());

    for (const int page : {TfrmVimsel::LessonsPageIndex, TfrmVimsel::SimulationPageIndex}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QWidget *shown = w->notebook()->currentWidget();
        ASSERT_EQ(shown->children().size(), 2) << page; // its layout and the page
        EXPECT_TRUE(static_cast<QWidget *>(shown->children().last())->isVisible()) << page;
    }
    EXPECT_NE(w->findChild<LessonsPage *>(), nullptr);
    EXPECT_NE(w->findChild<SimulationPage *>(), nullptr);
}

} // namespace

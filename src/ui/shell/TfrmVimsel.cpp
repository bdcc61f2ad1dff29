#include "shell/TfrmVimsel.h"

#include "sim/SimulationPage.h"

#include "about/TfrmAbout.h"
#include "blocks/TKeloEdit.h"
#include "blocks/TKeloUpDown.h"
#include "blocks/TKeloCombo.h"
#include "checks/FindingsPanel.h"
#include "code/CodeCompanion.h"
#include "code/CodeMenus.h"
#include "code/CodeView.h"
#include "checks/ProjectChecks.h"
#include "lessons/LessonsPage.h"
#include "lessons/TeacherGuide.h"
#include "program/ProgramPage.h"
#include "project/Project.h"
#include "serial/BoardPlugRule.h"
#include "serial/PortSelectorTexts.h"
#include "serial/SerialPortOwner.h"
#include "serial/SerialPorts.h"
#include "shell/DebugList.h"
#include "shell/ElidedLabel.h"
#include "shell/OpenProgress.h"
#include "shell/ExamplesMenu.h"
#include "shell/HelpMenu.h"
#include "shell/DevicesPage.h"
#include "shell/FontTextMeasurer.h"
#include "shell/PaletteWidths.h"
#include "shell/ProgramIcon.h"
#include "util/LazyPage.h"
#include "shell/MessageBoxPrompt.h"
#include "shell/PortBalloon.h"
#include "shell/ProgramFolders.h"
#include "shell/ProgramVersion.h"
#include "shell/ResourcePaths.h"
#include "shell/SettingsIntStore.h"
#include "project/ProjectSnapshot.h"
#include "project/RecoveryStore.h"
#include "toolchain/ArduinoToolchain.h"
#include "toolchain/IdeLocation.h"
#include "update/TfrmUpdate.h"
#include "toolchain/FirmwarePanel.h"
#include "toolchain/LiveMode.h"
#include "util/IniFile.h"

#include <QStandardPaths>
#include <QTimer>

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// Applies restored values to the window one at a time, as the stored order demands.
class WindowTarget : public WindowGeometry::Target {
public:
    explicit WindowTarget(QWidget &w) : fWindow(w) {}
    void setLeft(int v) override { fWindow.move(v, fWindow.pos().y()); }
    void setTop(int v) override { fWindow.move(fWindow.pos().x(), v); }
    void setWidth(int v) override { fWindow.resize(v, fWindow.height()); }
    void setHeight(int v) override { fWindow.resize(fWindow.width(), v); }
    void setState(WindowGeometry::State s) override
    {
        Qt::WindowStates states = fWindow.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
        if (s == WindowGeometry::State::Minimised)
            states |= Qt::WindowMinimized;
        else if (s == WindowGeometry::State::Maximised)
            states |= Qt::WindowMaximized;
        fWindow.setWindowState(states);
    }

private:
    QWidget &fWindow;
};

bool containsGlobal(const QWidget *w, const QPoint &global)
{
    return w && w->isVisible() && w->rect().contains(w->mapFromGlobal(global));
}

// The scroll area a palette group scrolls with: the group itself, the one it sits in,
// or the first one inside it.
QAbstractScrollArea *scrollAreaOf(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget())
        if (auto *area = qobject_cast<QAbstractScrollArea *>(p))
            return area;
    return w ? w->findChild<QAbstractScrollArea *>() : nullptr;
}

// The client part of a control: a scroll area's viewport leaves out its scroll bars,
// which scroll by their own handling.
QWidget *clientOf(QWidget *w)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(w))
        return area->viewport();
    return w;
}

} // namespace

TfrmVimsel::TfrmVimsel(UserPrompt *prompt, const QString &writableFolder, PortEnvironment ports, QWidget *parent)
    : QMainWindow(parent), fMeasurer(std::make_unique<FontTextMeasurer>()),
      fPortAccess(std::move(ports.access)), fHotPlug(std::move(ports.hotPlug))
{
    // The palette's texts are measured on another thread meanwhile.
    std::future<std::unique_ptr<FontTextMeasurer>> paletteWidths = PaletteWidths::measureInBackground();
    setObjectName(u"frmVimsel"_s);
    setFont(QFont(u"Tahoma"_s, 8));
    if (!prompt) {
        fOwnPrompt = std::make_unique<MessageBoxPrompt>(this);
        prompt = fOwnPrompt.get();
    }
    fPrompt = prompt;
    // News of boards plugged in are listened for before the ports are first listed, so
    // that a board plugged in meanwhile is not missed. The listing runs while the window
    // builds itself; showing the window takes its result.
    startUsbNotifier();
    fWritableFolder = writableFolder.isEmpty()
                          ? ProgramFolders::forThisUser().writableFolder(QCoreApplication::applicationDirPath())
                          : writableFolder;
    fSettings = std::make_unique<SettingsIntStore>(u"MainForm"_s);
    fPorts = std::make_unique<SerialPorts>(std::move(ports.sources), *fSettings, *this, fPrompt, fPortAccess.get());
    fPorts->listInBackground(SerialPorts::ReadBluetoothPortSetting(fWritableFolder));

    // The debug list exists before the project, which traces while it builds.
    fDebugList = new DebugList(this);
    fProject = std::make_unique<Project>(fMeasurer.get(), this, fPrompt);
    fSession = std::make_unique<ProjectSession>(*fProject, fPrompt);

    createActions();
    createToolBar();
    createMenu();
    // By now the palette's texts have mostly been measured.
    fMeasurer->adoptWidths(*paletteWidths.get());
    fProject->buildPalette();
    createPages();
    createStatusBar();
    setOpenFileChooser({});
    setSaveFileChooser({});
    connect(fProgramPage, &ProgramPage::changed, this,
            [this](const QString &mergeKey) { fSession->markModified(mergeKey); });
    fPortOwner = std::make_unique<SerialPortOwner>();
    createToolchain(fWritableFolder);
    fCode = new CodeCompanion(*fProject, fNotebook, fProgramPage, static_cast<CodeView *>(fArduMemo), this);
    fCodeMenus = new CodeMenus(*this, *fCode);
    createRecovery(writableFolder.isEmpty()
                       ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/recovery"_s
                       : writableFolder + u"/recovery"_s);

    fGeometry = std::make_unique<WindowGeometry>(*fSettings);
    if (!RestoreWindowGeometry())
        resize(WindowGeometry::DefaultWidth, WindowGeometry::DefaultHeight);

    ApplyCaptionAndActions();
    EnsureIdeDebugSetting();
    qApp->installEventFilter(this);
}

TfrmVimsel::~TfrmVimsel()
{
    // No more news of boards while the window comes apart.
    fHotPlug.reset();
    qApp->removeEventFilter(this);
    // The pages hold on to the project: they go first.
    delete takeCentralWidget();
    fSession.reset();
    fProject.reset();
}

QString TfrmVimsel::getFullCaption()
{
    return ProgramVersion::fullCaption();
}

void TfrmVimsel::createActions()
{
    const auto action = [this](const QString &name, const QString &caption, const QString &hint) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        return a;
    };
    fAcNew = action(u"acNew"_s, u"Νέο"_s, u"Δημιουργεί νέο πρόγραμμα αφού διαγράψει το υπάρχων"_s);
    fAcNew->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    fAcOpen = action(u"acopen"_s, u"Άνοιγμα"_s, u"Άνοιγμα Αρχείου"_s);
    fAcOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    fAcSave = action(u"acsave"_s, u"Αποθήκευση"_s, QString());
    fAcSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    fAcSaveAs = action(u"acsaveas"_s, u"Αποθήκευση ώς ..."_s, QString());
    fAcOptions = action(u"acOptions"_s, u"Επιλογές"_s, QString());
    fAcExit = action(u"acexit"_s, u"Έξοδος"_s, QString());
    fAcGetCode = action(u"acgetcode"_s, u"Κώδικας Arduino"_s, QString());
    fAcConnect = action(u"acConnect"_s, u"Αποστολή"_s, QString());
    fAcStop = action(u"acStop"_s, u"Τερμάτισε"_s, u"Σταματά την εκτέλεση του προγράμματος στό robot"_s);
    fAcAbout = action(u"acAbout"_s, u"Σχετικά..."_s, QString());
    fAcUndo = action(u"acUndo"_s, u"Αναίρεση"_s, u"Αναιρεί την τελευταία αλλαγή"_s);
    fAcUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    fAcUndo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    fAcUndo->setEnabled(false);
    fAcRedo = action(u"acRedo"_s, u"Επανάληψη"_s, u"Ξανακάνει την αλλαγή που αναιρέθηκε"_s);
    fAcRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    fAcRedo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    fAcRedo->setEnabled(false);
    fAcCancel = action(u"acCancel"_s, u"Ακύρωση"_s, u"Σταματά την αποστολή στο Arduino"_s);
    fAcCancel->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    fAcCancel->setEnabled(false);
    addActions({fAcOpen, fAcSave, fAcUndo, fAcRedo});

    connect(fAcNew, &QAction::triggered, this, &TfrmVimsel::newProject);
    connect(fAcOpen, &QAction::triggered, this, &TfrmVimsel::openProject);
    connect(fAcSave, &QAction::triggered, this, &TfrmVimsel::saveProject);
    connect(fAcSaveAs, &QAction::triggered, this, &TfrmVimsel::saveProjectAs);
    connect(fAcExit, &QAction::triggered, this, &QWidget::close);
    connect(fAcGetCode, &QAction::triggered, this, &TfrmVimsel::generateCode);
    connect(fAcAbout, &QAction::triggered, this, &TfrmVimsel::showAbout);
    connect(fAcUndo, &QAction::triggered, this, [this] {
        if (fSession->undo())
            afterHistoryStep();
    });
    connect(fAcRedo, &QAction::triggered, this, [this] {
        if (fSession->redo())
            afterHistoryStep();
    });
    fSession->setHistoryListener([this] {
        fAcUndo->setEnabled(fSession->canUndo());
        fAcRedo->setEnabled(fSession->canRedo());
        // Every change, undo, new and open: the code follows.
        if (fCode)
            fCode->projectChanged();
        // While the findings are on show, they follow the program: a fixed one goes,
        // also when it was fixed on another page (the board, a device's pin).
        if (fProgramPage && !fProgramPage->findingsPanel()->isHidden())
            fProgramPage->findingsPanel()->showFindings(ProjectChecks::run(*fProject));
    });
}

void TfrmVimsel::createRecovery(const QString &folder)
{
    fRecovery = std::make_unique<RecoveryStore>(folder);
    // Every couple of minutes while there are unsaved changes (a teacher may set the
    // interval in "Options.ini", section "Autosave", key "Seconds").
    IniFile options(fToolchain->location().optionsFile());
    options.load();
    const int seconds = std::max(1, options.readInteger(u"Autosave"_s, u"Seconds"_s, 120));
    fAutosave = new QTimer(this);
    fAutosave->setInterval(seconds * 1000);
    connect(fAutosave, &QTimer::timeout, this, [this] {
        if (fSession->isModified())
            writeRecovery();
    });
    fAutosave->start();
}

void TfrmVimsel::writeRecovery()
{
    fSession->commitChanges();
    if (!fProject->workspace().CanvasHasBlocks() && fProject->devices().count() == 0
        && fProject->variables().count() == 0)
        return;
    QString error;
    if (!fRecovery->write(ProjectSnapshot::take(*fProject), fSession->fileName(), &error))
        AddDebug(u"Recovery copy not written: "_s + error);
}

void TfrmVimsel::offerRecovery()
{
    const std::optional<RecoveryStore::Copy> copy = fRecovery->newerCopy();
    if (!copy)
        return;
    if (fPrompt->askYesNo(RecoveryStore::offerText(*copy), UserPrompt::Icon::Question) != UserPrompt::Answer::Yes) {
        fRecovery->clear();
        return;
    }
    fSession->recover(copy->programFile, copy->originalFile);
    afterFileCommand();
}

void TfrmVimsel::afterHistoryStep()
{
    // The pupil stays where they are: the page, the device tab, the canvas's scroll.
    DevicesPage *devices = builtDevicesPage();
    QTabWidget *deviceTabs = devices ? devices->deviceNotebook() : nullptr;
    const int deviceTab = deviceTabs ? deviceTabs->currentIndex() : 0;
    fProgramPage->sync();
    if (deviceTabs)
        deviceTabs->setCurrentIndex(std::min(deviceTab, deviceTabs->count() - 1));
}

void TfrmVimsel::createToolBar()
{
    auto *bar = addToolBar(u"ToolBar1"_s);
    bar->setObjectName(u"ToolBar1"_s);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto place = [bar](QAction *a, int width, const QString &hint) {
        bar->addAction(a);
        QWidget *button = bar->widgetForAction(a);
        button->setMinimumSize(width, 34);
        if (!hint.isEmpty())
            button->setToolTip(hint);
    };
    place(fAcNew, 72, QString());
    place(fAcOpen, 88, u"Άνοιγμα Αρχείου προγράμματος  από το δίσκο"_s);
    place(fAcSave, 88, u"Αποθηκεύει το πρόγραμμα στον δίσκο"_s);
    place(fAcUndo, 88, QString());
    place(fAcRedo, 88, QString());
    // The live link to the board is offered only in live mode (the options): its
    // buttons are hidden through their places in the bar, which live mode shows.
    const auto hiddenButton = [bar](QAction *a, const QString &name, int width, const QString &hint) {
        auto *button = new QToolButton(bar);
        button->setObjectName(name);
        button->setDefaultAction(a);
        button->setMinimumSize(width, 34);
        button->setToolTip(hint);
        QAction *place = bar->addWidget(button);
        place->setVisible(false);
        return place;
    };
    fConnectButton = hiddenButton(fAcConnect, u"btConnect"_s, 96, u"Αποστέλλει το πρόγραμμα στο Arduino"_s);
    fStopButton = hiddenButton(fAcStop, u"btStop"_s, 84, u"Σταματά την εκτέλεση του προγράμματος στό Arduino"_s);

    // This button has a caption of its own, so it is not bound to the action's text.
    auto *getCode = new QToolButton(bar);
    getCode->setObjectName(u"btGetCode"_s);
    getCode->setText(u"Αποστολή στο Arduino"_s);
    getCode->setToolTip(u"Παράγει Κώδικα για το Arduino και το αποστέλλει"_s);
    getCode->setMinimumSize(180, 34);
    getCode->setEnabled(fAcGetCode->isEnabled());
    connect(getCode, &QToolButton::clicked, fAcGetCode, &QAction::trigger);
    connect(fAcGetCode, &QAction::enabledChanged, getCode, &QWidget::setEnabled);
    bar->addWidget(getCode);
    // Shown only while the IDE runs.
    auto *cancel = new QToolButton(bar);
    cancel->setObjectName(u"btCancel"_s);
    cancel->setDefaultAction(fAcCancel);
    cancel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cancel->setMinimumSize(96, 34);
    fCancelButton = bar->addWidget(cancel);
    fCancelButton->setVisible(false);
}

void TfrmVimsel::createMenu()
{
    QMenu *file = menuBar()->addMenu(u"Αρχείο"_s);
    file->setObjectName(u"FileMenu"_s);
    file->addActions({fAcNew, fAcOpen});
    fExamplesMenu = new ExamplesMenu(ResourcePaths::examplesDir(), file);
    file->addMenu(fExamplesMenu);
    connect(fExamplesMenu, &ExamplesMenu::exampleChosen, this, &TfrmVimsel::openExample);
    file->addActions({fAcSave, fAcSaveAs});
    file->addSeparator();
    file->addAction(fAcOptions);
    file->addSeparator();
    file->addAction(fAcExit);
    QMenu *edit = menuBar()->addMenu(u"Επεξεργασία"_s);
    edit->setObjectName(u"EditMenu"_s);
    edit->addActions({fAcUndo, fAcRedo});
    menuBar()->addAction(fAcAbout);
    // Help comes last, where desktop programs keep it.
    fHelpMenu = new HelpMenu(this);
    menuBar()->addMenu(fHelpMenu);
    connect(fHelpMenu, &HelpMenu::teacherGuideRequested, this, &TfrmVimsel::showTeacherGuide);
}

DevicesPage *TfrmVimsel::devicesPage() const
{
    return static_cast<DevicesPage *>(fDevicesHolder->page());
}

QWidget *TfrmVimsel::lessonsPage() const
{
    return fLessonsHolder->page();
}

DevicesPage *TfrmVimsel::builtDevicesPage() const
{
    return static_cast<DevicesPage *>(fDevicesHolder->builtPage());
}

SimulationPage *TfrmVimsel::builtSimulationPage() const
{
    return static_cast<SimulationPage *>(fSimulationHolder->builtPage());
}

void TfrmVimsel::createPages()
{
    fNotebook = new QTabWidget(this);
    fNotebook->setObjectName(u"PageControl1"_s);
    fNotebook->tabBar()->setFont(QFont(u"Tahoma"_s, 12));

    fProgramPage = new ProgramPage(*fProject, fPrompt, fNotebook);
    connect(fProgramPage->findingsPanel(), &FindingsPanel::continueChosen, this, &TfrmVimsel::sendSketch);
    connect(fProgramPage->findingsPanel(), &FindingsPanel::findingChosen, this, &TfrmVimsel::showDeviceOf);
    fArduMemo = new CodeView(fNotebook);
    fArduMemo->setObjectName(u"ArduMemo"_s);
    fArduMemo->setAccessibleName(u"Arduino Κώδικας"_s);

    // The other pages are built when the pupil first opens them.
    fDevicesHolder = new LazyPage([this](QWidget *parent) {
        auto *page = new DevicesPage(fProject->devices(), fPrompt, ResourcePaths::imagesDir(), parent);
        // Blocks re-bound to other devices, or enabled and disabled, show it at once.
        connect(page, &DevicesPage::deviceListChanged, fProgramPage, &ProgramPage::sync);
        if (fFirmwarePanel)
            page->addBelowBoardChoice(fFirmwarePanel);
        return page;
    });
    fLessonsHolder = new LazyPage([](QWidget *parent) {
        return new LessonsPage(ResourcePaths::dataDir(u"Lessons"_s), parent);
    });
    fSimulationHolder = new LazyPage([this](QWidget *parent) {
        auto *page = new SimulationPage(*fProject, ResourcePaths::dataDir(u"Arduino"_s), parent);
        // The block the simulated board runs is outlined on the canvas as it goes.
        connect(page, &SimulationPage::runningBlockChanged, this, &TfrmVimsel::outlineRunningBlock);
        return page;
    });
    fNotebook->addTab(fProgramPage, u"Πρόγραμμα"_s);
    fNotebook->addTab(fDevicesHolder, u"Συσκευές"_s);
    fNotebook->addTab(fLessonsHolder, u"Μαθήματα"_s);
    fNotebook->addTab(fArduMemo, u"Arduino Κώδικας"_s);
    fNotebook->addTab(fSimulationHolder, u"Προσομοίωση"_s);
    connect(fNotebook, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == LessonsPageIndex)
            static_cast<LessonsPage *>(lessonsPage())->expandAll();
    });

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(u"Splitter1"_s);
    splitter->setHandleWidth(6);
    splitter->addWidget(fNotebook);
    splitter->addWidget(fDebugList);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(0, false);
    setCentralWidget(splitter);
}

void TfrmVimsel::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(u"StatusBar1"_s);
    bar->setStyleSheet(u"QStatusBar { background: lime; }"
                       u"QStatusBar QLabel { color: red; font: bold 9pt \"Segoe UI\"; }"_s);
    fPortPanel = new QLabel(u"Port: "_s, bar);
    fPortPanel->setObjectName(u"PortPanel"_s);
    fPortPanel->setFixedWidth(100);
    fFilePanel = new QLabel(bar);
    fFilePanel->setObjectName(u"FilePanel"_s);
    fFilePanel->setFixedWidth(500);
    fFilePanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    bar->addWidget(fPortPanel);
    bar->addWidget(fFilePanel);
    fBalloon = new PortBalloon(this);
}

void TfrmVimsel::AddDebug(const QString &line)
{
    fDebugList->addLine(line);
}

void TfrmVimsel::ApplyCaptionAndActions()
{
    setWindowTitle(getFullCaption());
    fAcConnect->setEnabled(true);
    fAcStop->setEnabled(true);
}

bool TfrmVimsel::RestoreWindowGeometry()
{
    WindowTarget target(*this);
    return fGeometry->restore(target);
}

void TfrmVimsel::SaveWindowGeometry()
{
    if (!fGeometry || fGeometry->restoring())
        return;
    const Qt::WindowStates states = windowState();
    WindowGeometry::Bounds b;
    b.state = states.testFlag(Qt::WindowMinimized)   ? WindowGeometry::State::Minimised
              : states.testFlag(Qt::WindowMaximized) ? WindowGeometry::State::Maximised
                                                     : WindowGeometry::State::Normal;
    // A maximised or minimised window keeps the bounds it returns to, so that the
    // next start can restore them under the stored state.
    QRect bounds = geometry();
    if (b.state != WindowGeometry::State::Normal && normalGeometry().isValid())
        bounds = normalGeometry();
    const QPoint frameOffset = geometry().topLeft() - pos();
    b.left = bounds.left() - frameOffset.x();
    b.top = bounds.top() - frameOffset.y();
    b.width = bounds.width();
    b.height = bounds.height();
    fGeometry->save(b);
}

void TfrmVimsel::FreeAllBlocks()
{
    fProject->workspace().FreeAllBlocks();
    fProgramPage->sync();
}

void TfrmVimsel::setOpenFileChooser(FileChooser chooser)
{
    if (!chooser)
        chooser = [this](const QString &current) { return runFileDialog(false, current); };
    fSession->setOpenChooser(std::move(chooser));
}

void TfrmVimsel::setSaveFileChooser(FileChooser chooser)
{
    if (!chooser)
        chooser = [this](const QString &current) { return runFileDialog(true, current); };
    fSession->setSaveChooser(std::move(chooser));
}

QString TfrmVimsel::runFileDialog(bool save, const QString &current)
{
    QFileDialog dialog(this);
    // Qt's own dialog, never the desktop's: it is the one that speaks Greek.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Greek month and day names in the list's dates.
    dialog.setLocale(QLocale(QLocale::Greek, QLocale::Greece));
    dialog.setNameFilter(u"Προγράμματα (*.vzl)"_s);
    dialog.setDefaultSuffix(u"vzl"_s);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setWindowTitle(save ? u"Αποθήκευση ως"_s : u"Άνοιγμα"_s);
    dialog.setLabelText(QFileDialog::LookIn, u"Αναζήτηση σε:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Όνομα αρχείου:"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Αρχεία τύπου:"_s);
    dialog.setLabelText(QFileDialog::Accept, save ? u"Αποθήκευση"_s : u"Άνοιγμα"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Άκυρο"_s);
    // Opening a name that does not exist would empty the variables and devices and
    // keep the blocks: only existing files can be opened.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (current.isEmpty())
        dialog.setDirectory(ProgramFolders::forThisUser().dialogStartFolder(fSettings->readText(lastFolderKey())));
    else
        dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    fSettings->writeText(lastFolderKey(), QFileInfo(chosen).absolutePath());
    return chosen;
}

void TfrmVimsel::outlineRunningBlock(const QString &blockName)
{
    if (blockName.isEmpty())
        fProgramPage->pointAtNothing();
    else
        fProgramPage->pointAt(blockName);
}

void TfrmVimsel::afterFileCommand()
{
    // A run of the program shown before ends with it: its blocks are gone.
    if (SimulationPage *simulation = builtSimulationPage())
        simulation->stop();
    fProgramPage->sync();
    fOpenProgress->finish();
    fFilePanel->setText(fSession->fileName());
    // What came of the last run was about the program shown before.
    if (fShownFile != fSession->fileName() || !fProject->workspace().CanvasHasBlocks())
        fResultPanel->setText(QString());
    fShownFile = fSession->fileName();
}

void TfrmVimsel::newProject()
{
    fProgramPage->findingsPanel()->hide();
    // The work set aside belonged to the program that is gone now (saved, or given up).
    if (fSession->newProject())
        fRecovery->clear();
    afterFileCommand();
}

void TfrmVimsel::openProject()
{
    fProgramPage->findingsPanel()->hide();
    fSession->openProject();
    if (fSession->discardedChanges())
        fRecovery->clear();
    afterFileCommand();
}

void TfrmVimsel::openExample(const QString &fileName)
{
    fProgramPage->findingsPanel()->hide();
    fSession->openCopy(fileName);
    if (fSession->discardedChanges())
        fRecovery->clear();
    afterFileCommand();
    fNotebook->setCurrentIndex(ProgramPageIndex);
}

void TfrmVimsel::showTeacherGuide()
{
    auto *lessons = static_cast<LessonsPage *>(lessonsPage());
    fNotebook->setCurrentIndex(LessonsPageIndex);
    // No lesson stays chosen in the tree: choosing it again shows it again.
    lessons->tree()->setCurrentItem(nullptr);
    lessons->ShowLesson(LessonLocator(lessons->lessonsFolder()).lessonPath(TeacherGuide::category(), TeacherGuide::title()));
}

void TfrmVimsel::saveProject()
{
    if (fSession->save())
        fRecovery->clear();
    afterFileCommand();
}

void TfrmVimsel::saveProjectAs()
{
    if (fSession->saveAs())
        fRecovery->clear();
    afterFileCommand();
}

void TfrmVimsel::generateCode()
{
    // One run at a time: the button is off while the IDE works.
    if (fToolchain->running())
        return;
    // The checks come first. What they find waits on the program page for the
    // pupil's choice; "Συνέχεια" goes on as if nothing had been found.
    const QList<Finding> findings = ProjectChecks::run(*fProject);
    fProgramPage->findingsPanel()->showFindings(findings);
    if (!findings.isEmpty()) {
        fNotebook->setCurrentIndex(ProgramPageIndex);
        return;
    }
    sendSketch();
}

void TfrmVimsel::sendSketch()
{
    if (fToolchain->running())
        return;
    fNotebook->setCurrentIndex(CodePageIndex);
    const std::optional<QStringList> lines = fCode->generateNow();
    if (!lines)
        return;
    QGuiApplication::clipboard()->setText(fArduMemo->toPlainText());
    fToolchain->sendToBoard(lines->join(u'\n'), fCode->lineMap().lineBlocks());
}

void TfrmVimsel::showDeviceOf(const Finding &finding)
{
    const int position = fProject->devices().findByName(finding.name);
    if (finding.subject != Finding::Subject::Device || position < 0)
        return;
    fNotebook->setCurrentIndex(DevicesPageIndex);
    devicesPage()->deviceNotebook()->setCurrentIndex(position + 1);
}

void TfrmVimsel::createToolchain(const QString &writableFolder)
{
    ArduinoToolchain::Board board;
    board.boardTypeId = [this] { return fProject->devices().BoardTypeId(); };
    board.port = [this] { return selectedPort(); };
    board.owner = fPortOwner.get();
    board.access = fPortAccess.get();
    fToolchain = new ArduinoToolchain(this, fPrompt, writableFolder, fArduMemo, board);
    connect(fAcCancel, &QAction::triggered, fToolchain, &ArduinoToolchain::cancel);
    fAcOptions->setEnabled(true);
    connect(fAcOptions, &QAction::triggered, fToolchain, &ArduinoToolchain::showOptions);
    LiveMode::Window live;
    live.widget = this;
    live.project = fProject.get();
    live.log = this;
    live.prompt = fPrompt;
    live.port = [this] { return selectedPort(); };
    live.acConnect = fAcConnect;
    live.acStop = fAcStop;
    live.connectButton = fConnectButton;
    live.stopButton = fStopButton;
    live.optionsFile = fToolchain->location().optionsFile();
    // Below the board's choice on the devices page; until that page is built, on a
    // hidden widget of the window's own.
    live.placeFirmwarePanel = [this](QWidget *panel) {
        fFirmwarePanel = panel;
        if (DevicesPage *devices = builtDevicesPage()) {
            devices->addBelowBoardChoice(panel);
        } else {
            auto *parking = new QWidget(this);
            parking->hide();
            panel->setParent(parking);
        }
    };
    live.boardFamily = [this] { return fProject->devices().BoardFamily(); };
    live.firmwareFolder = ResourcePaths::sketchbookDir();
    live.owner = fPortOwner.get();
    live.access = fPortAccess.get();
    live.showStatus = [this](const QString &text) {
        fResultPanel->setText(text);
    };
    live.showRunningBlock = [this](const QString &name) { outlineRunningBlock(name); };
    fLiveMode = new LiveMode(std::move(live));
    // After the options window has closed (the connection above runs it).
    connect(fAcOptions, &QAction::triggered, fLiveMode, &LiveMode::applyOption);
    // What came of the last run, beside the port and file panels (a status message
    // would cover the port selector).
    fResultPanel = new ElidedLabel(statusBar());
    fResultPanel->setObjectName(u"ResultPanel"_s);
    fResultPanel->setAccessibleName(u"Αποτέλεσμα"_s);
    // It takes the room that is left, never pushing the other panels over each other.
    fResultPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(fResultPanel, 1);
    fOpenProgress = std::make_unique<OpenProgress>(fResultPanel);
    fSession->setOpenProgress([this](int percent) { fOpenProgress->step(percent); });
    connect(fToolchain, &ArduinoToolchain::runningChanged, this, [this](bool running) {
        fAcGetCode->setEnabled(!running);
        fAcCancel->setEnabled(running);
        fCancelButton->setVisible(running);
        if (running)
            fResultPanel->setText(fToolchain->checking() ? u"Έλεγχος…"_s : u"Αποστολή στο Arduino…"_s);
    });
    connect(fToolchain, &ArduinoToolchain::finished, this, &TfrmVimsel::showBuildReport);
}

void TfrmVimsel::showBuildReport(const BuildReport &report)
{
    fResultPanel->setText(report.headline());
    fArduMemo->appendPlainText(report.headline());
    QString blockText;
    if (report.error && !report.error->blockName.isEmpty())
        blockText = fProgramPage->pointAt(report.error->blockName);
    if (!blockText.isEmpty())
        fNotebook->setCurrentIndex(ProgramPageIndex);
    fPrompt->showMessage(report.message(blockText),
                         report.succeeded() ? UserPrompt::Icon::Information : UserPrompt::Icon::Warning);
}

void TfrmVimsel::showAbout()
{
    auto *about = findChild<TfrmAbout *>(QString(), Qt::FindDirectChildrenOnly);
    if (!about)
        about = new TfrmAbout(this);
    about->exec();
}

namespace {

// A control whose value a wheel turn changes.
QWidget *valueFieldAt(QWidget *w)
{
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)
            || (qobject_cast<QAbstractSlider *>(w) && !qobject_cast<QScrollBar *>(w)))
            return w;
        if (qobject_cast<TKeloEdit *>(w) || qobject_cast<TKeloUpDown *>(w) || qobject_cast<TKeloCombo *>(w))
            return w;
    }
    return nullptr;
}

bool hasFocusWithin(const QWidget *w)
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus));
}

} // namespace

bool TfrmVimsel::eventFilter(QObject *watched, QEvent *event)
{
    // What the pupil need not wait for comes once the window has been painted: the
    // first exposure paints it, the call queued here runs after that.
    if (event->type() == QEvent::Expose && !fFirstExposed && watched == windowHandle()) {
        fFirstExposed = true;
        QTimer::singleShot(0, this, &TfrmVimsel::afterFirstPaint);
    }
    // A double-click anywhere on the status bar (its panels pass it on) lists the
    // ports again.
    if (event->type() == QEvent::MouseButtonDblClick && watched == statusBar()) {
        refreshPorts();
        return true;
    }
    // Spin boxes and lists take the focus from a wheel turn that merely passes over
    // them, and would then take the turn: they get it only by a click or Tab.
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->focusPolicy() == Qt::WheelFocus && valueFieldAt(w) == w)
            w->setFocusPolicy(Qt::StrongFocus);
    }
    if (event->type() == QEvent::Wheel && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheelOverUnfocusedField(static_cast<QWidget *>(watched), wheel) || routeWheel(static_cast<QWidget *>(watched), wheel))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}


// A turn changes a value only where the pupil looks: over a field that has the focus.
// Over a field without it, what holds the field scrolls instead (the device list, a
// device's window); a field with the focus elsewhere is left alone.
bool TfrmVimsel::wheelOverUnfocusedField(QWidget *receiver, QWheelEvent *event)
{
    // The receiver is the control under the pointer (the event then goes to its
    // parents, which are no fields).
    QWidget *field = valueFieldAt(receiver);
    if (field && hasFocusWithin(field))
        return false;
    // A plain control (a tile, a button, a label) in a scrolled page: the page scrolls.
    // Controls that scroll by themselves (lists, text, the lessons' browser) are left to it.
    if (!field && (qobject_cast<QAbstractScrollArea *>(receiver) || qobject_cast<QScrollBar *>(receiver)
                   || qobject_cast<QAbstractScrollArea *>(receiver->parentWidget())
                   || receiver->inherits("QWebEngineView") || receiver->inherits("QtWebEngineCore::RenderWidgetHostViewQtDelegateWidget")))
        return false;
    for (QWidget *p = (field ? field : receiver)->parentWidget(); p && p != this; p = p->parentWidget()) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(p)) {
            scrollByWheel(area, event->angleDelta().y());
            return true;
        }
    }
    // A field outside any scrolled page keeps its value all the same.
    return field != nullptr;
}

// Every wheel turn in the window comes here before the control under the pointer
// or with the focus sees it. Over the palette the visible palette group scrolls, over
// the program canvas the canvas scrolls, whatever control has the focus; elsewhere
// the turn goes its usual way. Controls of a page that is not shown catch nothing.
bool TfrmVimsel::routeWheel(QWidget *receiver, QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return false;
    const QPoint global = event->globalPosition().toPoint();
    if (QWidget *field = valueFieldAt(receiver); field && hasFocusWithin(field))
        return false;
    for (int tab = 0; tab < 3; ++tab) {
        QWidget *group = fProgramPage->paletteGroup(tab);
        if (containsGlobal(clientOf(group), global)) {
            scrollByWheel(scrollAreaOf(group), delta);
            return true;
        }
    }
    QScrollArea *canvas = fProgramPage->canvasArea();
    if (canvas && containsGlobal(canvas->viewport(), global)) {
        scrollByWheel(canvas, delta);
        return true;
    }
    return false;
}

// One line per configured wheel line, up for a turn away from the user.
void TfrmVimsel::scrollByWheel(QAbstractScrollArea *area, int delta)
{
    if (!area)
        return;
    QScrollBar *bar = area->verticalScrollBar();
    const auto step = delta > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
    for (int i = 0; i < QApplication::wheelScrollLines(); ++i)
        bar->triggerAction(step);
}

void TfrmVimsel::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (fFirstShown || event->spontaneous())
        return;
    fFirstShown = true;
    runUpdateCheck();
    if (fEnding)
        return;
    logComputerName();
    refreshPorts();
    fNotebook->setCurrentIndex(ProgramPageIndex);
    fProgramPage->showFirstPaletteTab();
    checkIdePath();
    // Once the window is on the screen, so that the pupil sees what is offered back;
    // then the project named on the command line, asking about a recovered copy first.
    QTimer::singleShot(0, this, [this] {
        offerRecovery();
        if (fStartFile.isEmpty())
            return;
        const QString file = std::exchange(fStartFile, QString());
        fProgramPage->findingsPanel()->hide();
        fSession->openNamed(file);
        if (fSession->discardedChanges())
            fRecovery->clear();
        afterFileCommand();
    });
    showPortBalloon();
}

void TfrmVimsel::afterFirstPaint()
{
    setProgramIcon();
}

void TfrmVimsel::closeEvent(QCloseEvent *event)
{
    // A run of the IDE or avrdude ends with the window, and everything it started.
    const bool burning = fLiveMode && fLiveMode->firmwarePanel() && fLiveMode->firmwarePanel()->running();
    if ((fToolchain->running() || burning)
        && fPrompt->askYesNo(burning ? u"Το λογισμικό γράφεται ακόμη στο Arduino. Αν κλείσετε το πρόγραμμα, η εγγραφή "
                                       u"θα σταματήσει και η πλακέτα μπορεί να μείνει χωρίς πρόγραμμα. Να κλείσει;"_s
                                     : u"Η αποστολή στο Arduino δεν έχει τελειώσει. Αν κλείσετε το πρόγραμμα, θα "
                                       u"σταματήσει. Να κλείσει;"_s,
                             UserPrompt::Icon::Warning)
               != UserPrompt::Answer::Yes) {
        event->ignore();
        return;
    }
    if (!fSession->queryUnsavedChanges()) {
        event->ignore();
        afterFileCommand();
        return;
    }
    // Closed without saving: the work is kept aside all the same, unless the pupil
    // said not to keep it ("Όχι"): the next pupil is not offered it.
    if (fSession->discardedChanges())
        fRecovery->clear();
    else if (fSession->isModified())
        writeRecovery();
    resetBoard();
    fBalloon->hide();
    FreeAllBlocks();
    event->accept();
}

void TfrmVimsel::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    SaveWindowGeometry();
}

void TfrmVimsel::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        SaveWindowGeometry();
}

void TfrmVimsel::logComputerName()
{
    AddDebug(QSysInfo::machineHostName());
}

void TfrmVimsel::EnsureIdeDebugSetting()
{
    if (fToolchain)
        fToolchain->EnsureIdeDebugSetting();
}
// The update window, shown modally when an update server is set; its failures never
// stop start-up. A started installer replaces the program, which then ends.
void TfrmVimsel::runUpdateCheck()
{
    try {
        const QString folder = fToolchain->writableFolder();
        const UpdateServer server =
            UpdateServer::fromOptions(IdeLocation::fileIn(folder, IdeLocation::optionsFileName()));
        if (!server.isSet())
            return;
        setProgramIcon();
        auto *update = new TfrmUpdate(server, folder, *fPrompt, this);
        update->exec();
        if (update->outcome() == UpdateCheck::Outcome::InstallerStarted) {
            fEnding = true;
            hide();
            // Start-up stops here, so the event loop that runs next is the program's own.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    } catch (...) {
    }
}
void TfrmVimsel::checkIdePath()
{
    fToolchain->checkIdePath();
}
// Filled in with the serial link: resets the board if the port is open.
void TfrmVimsel::resetBoard()
{
    if (fLiveMode)
        fLiveMode->resetOnClose();
}

QString TfrmVimsel::selectedPort() const
{
    return fPorts ? fPorts->selectedPort() : QString();
}

void TfrmVimsel::startUsbNotifier()
{
    if (fHotPlug)
        fHotPlug->start([this](const UsbDeviceEvent &event) { UsbChanged(event); });
}

void TfrmVimsel::UsbChanged(const UsbDeviceEvent &event)
{
    // News that come while the window is still being built (a message box's event
    // loop) are left to the first listing, which the showing window makes.
    if (!fPortPanel)
        return;
    const std::optional<BoardPlugRule::Reaction> reaction = BoardPlugRule::react(event);
    if (!reaction)
        return;
    if (reaction->refresh)
        refreshPorts();
    setPortHint(reaction->hint);
    showPortBalloon();
}

void TfrmVimsel::refreshPorts()
{
    // "BTPort.ini" sits where the program keeps its own files.
    fPorts->RefreshPorts(SerialPorts::ReadBluetoothPortSetting(fWritableFolder));

    fPortPanel->setText(PortSelectorTexts::panelText());
    setPortHint(PortSelectorTexts::portHint());
    if (!cmb) {
        cmb = new QComboBox(fPortPanel);
        cmb->setObjectName(u"cmb"_s);
        cmb->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        cmb->setPlaceholderText(SerialPorts::noneText());
        // Only a choice of the user selects a port; filling the list does not.
        connect(cmb, &QComboBox::activated, this, &TfrmVimsel::PortSelected);
    }
    {
        const QSignalBlocker blocker(cmb);
        cmb->clear();
        cmb->addItems(fPorts->ports());
        cmb->setCurrentIndex(fPorts->BtIndex());
    }
    placePortSelector();
    cmb->show();
    if (fLiveMode)
        fLiveMode->portChanged(selectedPort());

    // The device tiles and the board page are shown again; the project is unchanged.
    if (DevicesPage *devices = builtDevicesPage()) {
        devices->addDevices();
        devices->BoardModelChanged();
    }
}

// The selector stands right of the panel's text, wide enough for the longest port
// name; the panel grows with it so that the file name beside it stays readable.
void TfrmVimsel::placePortSelector()
{
    constexpr int MinSelectorWidth = 70;
    constexpr int MinPanelWidth = 100;
    fPortPanel->ensurePolished();
    const int left = fPortPanel->fontMetrics().horizontalAdvance(PortSelectorTexts::panelText()) + 7;
    const QSize hint = cmb->sizeHint();
    const int width = std::max(MinSelectorWidth, hint.width());
    fPortPanel->setFixedHeight(hint.height());
    fPortPanel->setFixedWidth(std::max(MinPanelWidth, left + width + 4));
    cmb->setGeometry(left, 0, width, hint.height());
}

void TfrmVimsel::PortSelected(int index)
{
    fPorts->PortSelected(index);
    if (fLiveMode)
        fLiveMode->portChanged(selectedPort());
}

void TfrmVimsel::setPortHint(const QString &hint)
{
    fPortHint = hint;
    QString shown = hint;
    shown.replace(u"\r\n"_s, u"\n"_s);
    statusBar()->setToolTip(shown);
}

void TfrmVimsel::showPortBalloon()
{
    fBalloon->showAt(cmb ? static_cast<QWidget *>(cmb) : fPortPanel, PortSelectorTexts::balloonTitle(),
                     PortSelectorTexts::balloonText(fPortHint));
}

#pragma once

#include "serial/PlatformPorts.h"
#include "shell/ProjectSession.h"
#include "shell/WindowGeometry.h"
#include "util/DebugLog.h"

#include <QMainWindow>
#include <memory>

class ArduinoToolchain;
class CodeCompanion;
class CodeMenus;
class LiveMode;
struct Finding;
class RecoveryStore;
class QTimer;
class BuildReport;
class DebugList;
class ElidedLabel;
class OpenProgress;
class ExamplesMenu;
class HelpMenu;
class DevicesPage;
class LazyPage;
class SimulationPage;
class MessageBoxPrompt;
class PortBalloon;
class ProgramPage;
class Project;
class SerialPorts;
class SerialPortOwner;
class SettingsIntStore;
class FontTextMeasurer;
class UserPrompt;
class QAbstractScrollArea;
class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QWheelEvent;

// The main window: tool bar, menu, the notebook with the program, devices, lessons
// and code pages, the debug list and the status bar. It owns the project and is its
// debug list.
class TfrmVimsel : public QMainWindow, public DebugLog {
    Q_OBJECT
public:
    enum Page {
        ProgramPageIndex = 0,
        DevicesPageIndex = 1,
        LessonsPageIndex = 2,
        CodePageIndex = 3,
        SimulationPageIndex = 4
    };
    using FileChooser = ProjectSession::FileChooser;

    // Without a prompt the window asks with message boxes of its own. Block texts
    // are measured in the fonts the blocks are drawn with. The serial ports are the
    // machine's unless others are given. Build it with buildMainWindow(), as the
    // program does.
    // writableFolder: where "Out" and "Options.ini" go and "BTPort.ini" is read; empty
    // for the program's own.
    explicit TfrmVimsel(UserPrompt *prompt = nullptr, const QString &writableFolder = {},
                        PortEnvironment ports = PlatformPorts::forThisMachine(), QWidget *parent = nullptr);
    ~TfrmVimsel() override;

    static QString getFullCaption();

    void AddDebug(const QString &line) override;
    void ApplyCaptionAndActions();
    bool RestoreWindowGeometry();
    void SaveWindowGeometry();
    // Destroys every block, prototypes included.
    void FreeAllBlocks();

    Project &project() { return *fProject; }
    // The port the sketch is uploaded through; empty when none is chosen.
    QString selectedPort() const;
    ArduinoToolchain *toolchain() const { return fToolchain; }
    LiveMode *liveMode() const { return fLiveMode; }
    ProjectSession &session() { return *fSession; }
    UserPrompt *prompt() const { return fPrompt; }

    // The project to open once the window is shown (named on the command line): after
    // the offer of a recovery copy, with the unsaved-changes question of "Άνοιγμα".
    void openAtStart(const QString &fileName) { fStartFile = fileName; }

    // The per-user setting (group "MainForm") with the folder the file dialogs used last.
    static QString lastFolderKey() { return QStringLiteral("LastFolder"); }
    // The file dialogs; tests replace them. An empty name means cancelled.
    void setOpenFileChooser(FileChooser chooser);
    void setSaveFileChooser(FileChooser chooser);

    QTabWidget *notebook() const { return fNotebook; }
    ProgramPage *programPage() const { return fProgramPage; }
    // Built when first asked for, as when the pupil first opens them.
    DevicesPage *devicesPage() const;
    QWidget *lessonsPage() const;
    QPlainTextEdit *codeView() const { return fArduMemo; }
    // The sketch as the pupil works, in the code page and beside the canvas.
    CodeCompanion *codeCompanion() const { return fCode; }
    CodeMenus *codeMenus() const { return fCodeMenus; }
    DebugList *debugList() const { return fDebugList; }
    QLabel *portPanel() const { return fPortPanel; }
    QLabel *filePanel() const { return fFilePanel; }
    ElidedLabel *resultPanel() const { return fResultPanel; }
    // The port selector in the status bar; null until the first port refresh.
    QComboBox *portSelector() const { return cmb; }
    PortBalloon *portBalloon() const { return fBalloon; }
    // The status bar's hint as set (CR LF between its lines).
    QString portHint() const { return fPortHint; }

    QAction *acNew() const { return fAcNew; }
    QAction *acopen() const { return fAcOpen; }
    QAction *acsave() const { return fAcSave; }
    QAction *acsaveas() const { return fAcSaveAs; }
    QAction *acOptions() const { return fAcOptions; }
    QAction *acexit() const { return fAcExit; }
    QAction *acgetcode() const { return fAcGetCode; }
    QAction *acConnect() const { return fAcConnect; }
    QAction *acStop() const { return fAcStop; }
    QAction *acAbout() const { return fAcAbout; }
    ExamplesMenu *examplesMenu() const { return fExamplesMenu; }
    HelpMenu *helpMenu() const { return fHelpMenu; }
    QAction *acUndo() const { return fAcUndo; }
    QAction *acRedo() const { return fAcRedo; }
    // "Ακύρωση": ends the run of the IDE; shown while one runs.
    QAction *acCancel() const { return fAcCancel; }

public slots:
    void newProject();
    void openProject();
    void saveProject();
    void saveProjectAs();
    // "Παραδείγματα": a copy of the example, which "Αποθήκευση" asks a place for.
    void openExample(const QString &fileName);
    // "Βοήθεια" → "Οδηγός εκπαιδευτικού" (F1): the guide in the lessons' browser.
    void showTeacherGuide();
    // "Κώδικας Arduino": the checks first; then the sketch into the code page and onto
    // the clipboard, and on to the board.
    void generateCode();
    void showAbout();
    // The user chose the port at index in the selector.
    void PortSelected(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The block a board (simulated or on the line) runs, outlined on the canvas; an
    // empty name takes the outline away.
    void outlineRunningBlock(const QString &blockName);
    void createActions();
    void createToolBar();
    void createMenu();
    void createPages();
    void createStatusBar();
    void createToolchain(const QString &writableFolder);
    void showBuildReport(const BuildReport &report);
    // The sketch into the code page and onto the clipboard, then sent to the board.
    void sendSketch();
    // A finding about a device shows the device's page.
    void showDeviceOf(const Finding &finding);
    void afterFileCommand();
    void afterHistoryStep();
    void createRecovery(const QString &folder);
    void writeRecovery();
    void offerRecovery();
    QString runFileDialog(bool save, const QString &current);
    bool routeWheel(QWidget *receiver, QWheelEvent *event);
    bool wheelOverUnfocusedField(QWidget *receiver, QWheelEvent *event);
    static void scrollByWheel(QAbstractScrollArea *area, int delta);

    // Start-up steps that later parts of the program fill in.
    void EnsureIdeDebugSetting();
    void startUsbNotifier();
    void runUpdateCheck();
    void logComputerName();
    void refreshPorts();
    void checkIdePath();
    void showPortBalloon();
    void UsbChanged(const UsbDeviceEvent &event);
    void setPortHint(const QString &hint);
    void placePortSelector();
    // Shut-down step for the serial link.
    void resetBoard();
    // The window icon, once the window has been painted.
    void afterFirstPaint();
    // The pages if they have been built, else null.
    DevicesPage *builtDevicesPage() const;
    SimulationPage *builtSimulationPage() const;

    std::unique_ptr<FontTextMeasurer> fMeasurer;
    ArduinoToolchain *fToolchain = nullptr;
    LiveMode *fLiveMode = nullptr;
    LazyPage *fSimulationHolder = nullptr;
    CodeCompanion *fCode = nullptr;
    CodeMenus *fCodeMenus = nullptr;
    QAction *fConnectButton = nullptr;
    QAction *fStopButton = nullptr;
    std::unique_ptr<RecoveryStore> fRecovery;
    QTimer *fAutosave = nullptr;
    std::unique_ptr<MessageBoxPrompt> fOwnPrompt;
    UserPrompt *fPrompt;
    std::unique_ptr<SettingsIntStore> fSettings;
    std::unique_ptr<WindowGeometry> fGeometry;
    std::unique_ptr<Project> fProject;
    std::unique_ptr<ProjectSession> fSession;
    std::unique_ptr<PortAccess> fPortAccess;
    std::unique_ptr<SerialPortOwner> fPortOwner;
    std::unique_ptr<SerialPorts> fPorts;
    std::unique_ptr<HotPlugMonitor> fHotPlug;
    QString fPortHint;
    QString fWritableFolder;
    QString fShownFile;  // the project file the window last showed
    QString fStartFile;  // the project named on the command line
    bool fFirstShown = false;
    bool fFirstExposed = false;
    bool fEnding = false;  // an installer took over: the program ends

    QTabWidget *fNotebook = nullptr;
    ProgramPage *fProgramPage = nullptr;
    LazyPage *fDevicesHolder = nullptr;
    LazyPage *fLessonsHolder = nullptr;
    // Live mode's firmware panel, shown below the board's choice on the devices page.
    QWidget *fFirmwarePanel = nullptr;
    QPlainTextEdit *fArduMemo = nullptr;
    DebugList *fDebugList = nullptr;
    QLabel *fPortPanel = nullptr;
    QLabel *fFilePanel = nullptr;
    ElidedLabel *fResultPanel = nullptr;
    std::unique_ptr<OpenProgress> fOpenProgress;
    QComboBox *cmb = nullptr;
    PortBalloon *fBalloon = nullptr;

    QAction *fAcNew = nullptr;
    QAction *fAcOpen = nullptr;
    QAction *fAcSave = nullptr;
    QAction *fAcSaveAs = nullptr;
    QAction *fAcOptions = nullptr;
    QAction *fAcExit = nullptr;
    QAction *fAcGetCode = nullptr;
    QAction *fAcConnect = nullptr;
    QAction *fAcStop = nullptr;
    QAction *fAcAbout = nullptr;
    QAction *fAcUndo = nullptr;
    QAction *fAcRedo = nullptr;
    QAction *fAcCancel = nullptr;
    QAction *fCancelButton = nullptr;
    ExamplesMenu *fExamplesMenu = nullptr;
    HelpMenu *fHelpMenu = nullptr;
};

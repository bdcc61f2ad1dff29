#include "code/CodeMenus.h"

#include "code/CodeCompanion.h"
#include "code/CodeView.h"
#include "shell/SettingsIntStore.h"
#include "shell/TfrmVimsel.h"
#include "toolchain/ArduinoToolchain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;

CodeMenus::CodeMenus(TfrmVimsel &window, CodeCompanion &code)
    : QObject(&window), fWindow(window), fCode(code), fSettings(std::make_unique<SettingsIntStore>(settingsGroup()))
{
    window.acNew()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));

    fCodeBeside = new QAction(u"Κώδικας δίπλα στα blocks"_s, this);
    fCodeBeside->setObjectName(u"acCodeBeside"_s);
    fCodeBeside->setCheckable(true);
    fCodeBeside->setStatusTip(u"Δείχνει τον κώδικα του Arduino δίπλα στα blocks"_s);
    fLessons = new QAction(u"Μαθήματα"_s, this);
    fLessons->setObjectName(u"acLessons"_s);
    // F1 belongs to "Βοήθεια": it opens the lessons page at the teacher's guide.
    fCheck = new QAction(u"Έλεγχος"_s, this);
    fCheck->setObjectName(u"acCheck"_s);
    fCheck->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    fCheck->setStatusTip(u"Μεταγλωττίζει το πρόγραμμα χωρίς να το στείλει στο Arduino"_s);
    // The tool bar's button under its own caption, with the IDE's key.
    fUpload = new QAction(u"Αποστολή στο Arduino"_s, this);
    fUpload->setObjectName(u"acUpload"_s);
    fUpload->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    fUpload->setStatusTip(u"Παράγει Κώδικα για το Arduino και το αποστέλλει"_s);

    QMenuBar *bar = window.menuBar();
    QMenu *view = new QMenu(u"Προβολή"_s, bar);
    view->setObjectName(u"ViewMenu"_s);
    view->addAction(fCodeBeside);
    view->addSeparator();
    view->addAction(fLessons);
    QMenu *arduino = new QMenu(u"Arduino"_s, bar);
    arduino->setObjectName(u"ArduinoMenu"_s);
    arduino->addActions({fCheck, fUpload});
    // Before "Σχετικά...", which stands last.
    bar->insertMenu(window.acAbout(), view);
    bar->insertMenu(window.acAbout(), arduino);
    // The keys work also while the menu bar is not in use.
    window.addActions({window.acNew(), fCheck, fUpload});

    connect(fCodeBeside, &QAction::toggled, this, [this](bool on) {
        fCode.besideView()->setVisible(on);
        fSettings->writeInt(besideKey(), on ? 1 : 0);
    });
    fCodeBeside->setChecked(fSettings->readInt(besideKey()).value_or(0) == 1);
    connect(fLessons, &QAction::triggered, this,
            [this] { fWindow.notebook()->setCurrentIndex(TfrmVimsel::LessonsPageIndex); });
    connect(fCheck, &QAction::triggered, this, &CodeMenus::check);
    connect(fUpload, &QAction::triggered, window.acgetcode(), &QAction::trigger);
    connect(window.acgetcode(), &QAction::enabledChanged, fUpload, &QAction::setEnabled);
    connect(window.toolchain(), &ArduinoToolchain::runningChanged, fCheck,
            [this](bool running) { fCheck->setEnabled(!running); });
}

CodeMenus::~CodeMenus() = default;

void CodeMenus::check()
{
    ArduinoToolchain *toolchain = fWindow.toolchain();
    if (toolchain->running())
        return;
    fWindow.notebook()->setCurrentIndex(TfrmVimsel::CodePageIndex);
    const std::optional<QStringList> lines = fCode.generateNow();
    if (!lines)
        return;
    toolchain->checkSketch(lines->join(u'\n'), fCode.lineMap().lineBlocks());
}

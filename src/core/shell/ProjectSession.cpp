#include "shell/ProjectSession.h"

#include "project/Project.h"

#include <QCoreApplication>
#include <QTimer>
#include "project/BlockReader.h"
#include "project/ProjectFiles.h"
#include "project/ProjectSnapshot.h"
#include "shell/OpenReport.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"
#include "variables/VariablePrototypes.h"

using namespace Qt::StringLiterals;

ProjectSession::ProjectSession(Project &project, UserPrompt *prompt) : fProject(project), fPrompt(prompt)
{
    fProject.devices().addListener(this);
    fVarsListener = fProject.variables().addChangeListener([this] { markModified(); });
    resetHistory(true);
}

void ProjectSession::resetHistory(bool saved)
{
    fPending = false;
    if (fCommitTimer)
        fCommitTimer->stop();
    fHistory.reset(ProjectSnapshot::take(fProject), saved);
    notifyHistory();
}

void ProjectSession::markModified(const QString &mergeKey)
{
    if (fReplacing)
        return;
    if (fPending && fPendingKey != mergeKey)
        commitChanges();
    fPending = true;
    fPendingKey = mergeKey;
    fModified = true;
    if (!QCoreApplication::instance()) {
        commitChanges();
        return;
    }
    if (!fCommitTimer) {
        fCommitTimer = std::make_unique<QTimer>();
        fCommitTimer->setSingleShot(true);
        fCommitTimer->setInterval(0);
        QObject::connect(fCommitTimer.get(), &QTimer::timeout, [this] { commitChanges(); });
    }
    fCommitTimer->start();
}

ProjectSnapshot ProjectSession::present() const
{
    // Scrolling the canvas moves every block relative to the visible canvas, which is
    // how positions are written. Taken at the scroll of the history's present state, a
    // click after scrolling is no step; undo keeps the canvas scrolled where it is.
    const QPoint scroll = fHistory.presentScroll();
    return ProjectSnapshot::take(fProject, scroll.x(), scroll.y());
}

void ProjectSession::commitChanges()
{
    if (!fPending)
        return;
    fPending = false;
    if (fCommitTimer)
        fCommitTimer->stop();
    fHistory.record(present(), fPendingKey);
    fModified = !fHistory.atSavedState();
    notifyHistory();
}

void ProjectSession::restore(const ProjectSnapshot &state)
{
    fReplacing = true;
    Workspace &ws = fProject.workspace();
    VariablePrototypes::clear(ws, fProject.variables());
    state.restore(fProject);
    VariablePrototypes::recreate(ws, fProject.variables());
    fReplacing = false;
    fModified = !fHistory.atSavedState();
    notifyHistory();
}

bool ProjectSession::undo()
{
    commitChanges();
    const std::optional<ProjectSnapshot> state = fHistory.undo();
    if (!state)
        return false;
    restore(*state);
    return true;
}

bool ProjectSession::redo()
{
    commitChanges();
    const std::optional<ProjectSnapshot> state = fHistory.redo();
    if (!state)
        return false;
    restore(*state);
    return true;
}

ProjectSession::~ProjectSession()
{
    fProject.devices().removeListener(this);
    fProject.variables().removeChangeListener(fVarsListener);
}

QString ProjectSession::confirmNewText()
{
    return u"Να ξεκινήσει νέο, άδειο πρόγραμμα; Το πρόγραμμα που φαίνεται τώρα θα κλείσει."_s;
}

QString ProjectSession::saveFailedText(const QString &fileName, const QString &reason)
{
    return u"Το έργο δεν αποθηκεύτηκε στο «%1».\n%2\nΤα αρχεία που υπήρχαν έμειναν όπως ήταν. Δοκιμάστε να "
           u"το αποθηκεύσετε αλλού με «Αποθήκευση ώς ...»."_s
        .arg(fileName, reason);
}

QString ProjectSession::unsavedChangesText()
{
    return u"Το πρόγραμμα έχει αλλαγές που δεν αποθηκεύτηκαν. Να αποθηκευτούν;"_s;
}

bool ProjectSession::hasUnsavedChanges() const
{
    return fModified && fProject.workspace().CanvasHasBlocks();
}

bool ProjectSession::queryUnsavedChanges()
{
    fDiscarded = false;
    if (!hasUnsavedChanges())
        return true;
    const auto answer = fPrompt ? fPrompt->askYesNoCancel(unsavedChangesText(), UserPrompt::Icon::Question)
                                : UserPrompt::Answer::Cancel;
    switch (answer) {
    case UserPrompt::Answer::Yes:
        return save();
    case UserPrompt::Answer::No:
        fDiscarded = true;
        return true;
    default:
        return false;
    }
}

bool ProjectSession::newProject()
{
    fDiscarded = false;
    if (hasUnsavedChanges()) {
        if (!queryUnsavedChanges())
            return false;
    } else {
        const auto answer = fPrompt ? fPrompt->askYesNo(confirmNewText(), UserPrompt::Icon::Question)
                                    : UserPrompt::Answer::No;
        if (answer != UserPrompt::Answer::Yes)
            return false;
    }
    Workspace &ws = fProject.workspace();
    fReplacing = true;
    VariablePrototypes::clear(ws, fProject.variables());
    fProject.variables().EmptyVars();
    fProject.devices().ClearDevices();
    ws.FreePlacedBlocks();
    fReplacing = false;
    fFileName.clear();
    fModified = false;
    resetHistory(true);
    return true;
}

bool ProjectSession::openProject()
{
    if (!queryUnsavedChanges() || !fOpenChooser)
        return false;
    const QString name = fOpenChooser(fFileName);
    if (name.isEmpty())
        return false;
    return openFile(name);
}

bool ProjectSession::openNamed(const QString &fileName)
{
    if (!queryUnsavedChanges())
        return false;
    return openFile(fileName);
}

bool ProjectSession::openCopy(const QString &fileName)
{
    if (!queryUnsavedChanges() || !openFile(fileName))
        return false;
    fFileName.clear();
    return true;
}

bool ProjectSession::openFile(const QString &fileName)
{
    // The file is read whole into a project of its own first. The program on the
    // screen stays as it is until the new one is known: a file that is no project
    // leaves it untouched, and any message shows over it intact, never while its
    // blocks are being taken apart.
    FixedTextMeasurer measurer;
    MemoryDebugLog trialLog;
    RecordingUserPrompt trialPrompt;
    Project trial(&measurer, &trialLog, &trialPrompt);
    trial.buildPalette();
    // Told only while the program on the screen is whole: once the swap begins, the
    // window must not paint until it has caught up with the new program.
    const auto progress = [this](int percent) {
        if (fOpenProgress)
            fOpenProgress(percent);
    };
    progress(0);
    const ProjectFiles::LoadResult result = ProjectFiles::loadProject(trial, fileName);
    progress(40);
    QStringList skipped;
    for (const QString &line : std::as_const(trialLog.lines))
        if (line.startsWith(BlockReader::errorReadingPrefix()))
            skipped << line;
    const std::optional<OpenReport> report =
        OpenReport::make(fileName, result.ok, result.error, result.blocksRead,
                         result.ok ? 0 : OpenReport::blocksInFile(fileName), skipped + trialPrompt.messages);
    if (report && !report->usable) {
        if (fPrompt)
            fPrompt->showDetailedMessage(report->text, report->details, UserPrompt::Icon::Error);
        return false;
    }
    if (report && fPrompt)
        fPrompt->showDetailedMessage(report->text, report->details, UserPrompt::Icon::Warning);

    // Then the swap, with no message on the way: what was read goes over as it is.
    Workspace &ws = fProject.workspace();
    fReplacing = true;
    VariablePrototypes::clear(ws, fProject.variables());
    // The file's positions are relative to the visible part of the canvas, wherever
    // it is scrolled, as when the file is read straight into the project.
    ProjectSnapshot read = ProjectSnapshot::take(trial);
    progress(55);
    read.scrollX = ws.canvas().scrollX;
    read.scrollY = ws.canvas().scrollY;
    read.restore(fProject);
    VariablePrototypes::recreate(ws, fProject.variables());
    fReplacing = false;
    if (DebugLog *log = fProject.log())
        for (const QString &line : std::as_const(trialLog.lines))
            log->AddDebug(line);
    resetHistory(result.ok);
    if (!result.ok) {
        // A partly read file is not the file: saving must not overwrite it unasked.
        fFileName.clear();
        fModified = true;
        return false;
    }
    fFileName = fileName;
    fModified = false;
    return true;
}

bool ProjectSession::recover(const QString &programFile, const QString &originalFile)
{
    if (!openFile(programFile))
        return false;
    fFileName = originalFile;
    fModified = true;
    resetHistory(false);
    fModified = true;
    return true;
}

bool ProjectSession::save()
{
    if (!fProject.workspace().CanvasHasBlocks())
        return false;
    QString name = fFileName;
    if (name.isEmpty()) {
        name = fSaveChooser ? fSaveChooser(QString()) : QString();
        if (name.isEmpty())
            return false;
    }
    return writeTo(name);
}

bool ProjectSession::saveAs()
{
    if (!fProject.workspace().CanvasHasBlocks() || !fSaveChooser)
        return false;
    const QString name = fSaveChooser(fFileName);
    if (name.isEmpty())
        return false;
    return writeTo(name);
}

bool ProjectSession::writeTo(const QString &fileName)
{
    commitChanges();
    QString error;
    if (!ProjectFiles::saveProject(fProject, fileName, &error)) {
        if (fPrompt)
            fPrompt->showMessage(saveFailedText(fileName, error), UserPrompt::Icon::Error);
        return false;
    }
    fFileName = fileName;
    fModified = false;
    fHistory.markSaved();
    notifyHistory();
    return true;
}

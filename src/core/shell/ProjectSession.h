#pragma once

#include "devices/DeviceListener.h"
#include "project/UndoHistory.h"

#include <QString>
#include <functional>
#include <memory>

class QTimer;

class Project;
class UserPrompt;

// The file side of the main window: the current project file, whether the project
// changed since it was last started, opened or saved, and the commands New, Open,
// Save and Save as with their questions.
//
// The project counts as changed after every change of its variables, devices or
// board model (heard from the model itself) and whenever the window reports a change
// of the program (markModified). Replacing or closing a project with changes that
// Save could write asks whether to save them first.
class ProjectSession : private DeviceListener {
public:
    // Asks for a project file name, proposing the current one (possibly empty). An
    // empty result means the user cancelled.
    using FileChooser = std::function<QString(const QString &currentFileName)>;

    ProjectSession(Project &project, UserPrompt *prompt);
    ~ProjectSession() override;
    ProjectSession(const ProjectSession &) = delete;
    ProjectSession &operator=(const ProjectSession &) = delete;

    static QString confirmNewText();
    static QString unsavedChangesText();
    static QString saveFailedText(const QString &fileName, const QString &reason);

    // Empty while the project has no file.
    QString fileName() const { return fFileName; }

    bool isModified() const { return fModified; }
    // A change of the project happened: it becomes one step of the history (or joins
    // the last one when both carry the same merge key, as typing into one field does)
    // and the project counts as changed unless it is back where it was saved. Under
    // an event loop the step is taken once the gesture's handling is over, so that
    // the model's own notifications on the way (a variable deleted, then the blocks
    // that used it) make one step with it. A step that leaves the project as it was
    // is none.
    void markModified(const QString &mergeKey = {});
    // Takes the step of changes reported so far (undo, redo and saving do it first).
    void commitChanges();
    void setModified(bool modified) { fModified = modified; }

    // Undo and redo over the history of changes. New and Open start it anew; Save
    // marks the present state as the saved one.
    bool canUndo() const { return fPending || fHistory.canUndo(); }
    bool canRedo() const { return fHistory.canRedo(); }
    bool undo();
    bool redo();
    const UndoHistory &history() const { return fHistory; }
    // Told whenever the history or the changed mark may have changed (to enable the
    // undo and redo commands).
    void setHistoryListener(std::function<void()> listener) { fHistoryListener = std::move(listener); }
    // Changes that Save would write. Save writes nothing while the canvas holds no
    // block, so changes of an empty canvas are not worth a question.
    bool hasUnsavedChanges() const;

    // Told how far opening a file has come, in percent, at the steps of the work that
    // leave the program shown as it was (the listener may paint the window).
    void setOpenProgress(std::function<void(int percent)> listener) { fOpenProgress = std::move(listener); }

    void setOpenChooser(FileChooser chooser) { fOpenChooser = std::move(chooser); }
    void setSaveChooser(FileChooser chooser) { fSaveChooser = std::move(chooser); }

    // Asks whether to save unsaved changes (Yes, No, Cancel) and saves on Yes. True
    // when the caller may go on: nothing unsaved, No, or Yes and the save succeeded.
    bool queryUnsavedChanges();
    // The last question about unsaved changes was answered "Όχι": the pupil gave the
    // changes up (nothing of them should be kept aside).
    bool discardedChanges() const { return fDiscarded; }

    // Each command returns true when it did its work; false when it was cancelled,
    // had nothing to do, or failed (failures are shown through the prompt).

    // Empties the project (variables, devices, placed blocks; the board model stays)
    // after the unsaved-changes question, or after "Επιβεβαίωση" when nothing is
    // unsaved. The project then has no file.
    bool newProject();
    // The unsaved-changes question, then the open chooser, then openFile.
    bool openProject();
    // The unsaved-changes question, then openFile (a file named on the command line or
    // double-clicked).
    bool openNamed(const QString &fileName);
    // The unsaved-changes question, then the project of fileName as a copy: it has no
    // file, so that "Αποθήκευση" asks where to keep the pupil's version (the examples
    // shipped with the program are not the pupil's to change). Unchanged, it asks
    // nothing when closed.
    bool openCopy(const QString &fileName);
    // Replaces the project by the one of fileName. When loading stops on an error the
    // blocks read so far stay; the project then has no file, so that a later save
    // cannot overwrite either file with the mixture, and counts as changed.
    bool openFile(const QString &fileName);
    // Replaces the project by a recovery copy (programFile) of the project whose file is
    // originalFile (empty for one never saved); the project then counts as changed,
    // so that saving it writes the recovered work to its own file.
    bool recover(const QString &programFile, const QString &originalFile);
    // Writes the project into its file, asking for a name when it has none. With no
    // block on the canvas it does nothing at all.
    bool save();
    // Writes the project under a name asked for. Cancelling keeps the current file.
    bool saveAs();

private:
    bool writeTo(const QString &fileName);
    // The project's state to compare with and to record in the history.
    ProjectSnapshot present() const;
    void restore(const ProjectSnapshot &state);
    // The history starts anew from the present state.
    void resetHistory(bool saved);
    void notifyHistory() const
    {
        if (fHistoryListener)
            fHistoryListener();
    }
    // Changing one setting of one device step by step (a spin box) is one step.
    void deviceEdited(int, int position) override { markModified(QStringLiteral("device %1").arg(position)); }
    void boardModelChanged() override { markModified(); }
    void devicesChanged() override { markModified(); }

    Project &fProject;
    UserPrompt *fPrompt;
    FileChooser fOpenChooser;
    FileChooser fSaveChooser;
    QString fFileName;
    bool fModified = false;
    bool fDiscarded = false;
    int fVarsListener = 0;
    UndoHistory fHistory;
    bool fPending = false;
    QString fPendingKey;
    std::unique_ptr<QTimer> fCommitTimer;
    std::function<void()> fHistoryListener;
    std::function<void(int)> fOpenProgress;
    // While the project is replaced as a whole (open, new, undo), the changes the
    // model reports on the way are no steps of their own.
    bool fReplacing = false;
};

#pragma once

#include "project/ProjectSnapshot.h"

#include <QPoint>
#include <QString>
#include <deque>
#include <optional>

// The states of the project a pupil can go back and forth between. Each change
// records the state after it; undo goes back to the state before, redo forward
// again. Snapshots are kept compressed, so that a hundred steps of a big program
// stay small. Consecutive changes with the same merge key (typing into one field)
// make one step.
class UndoHistory {
public:
    explicit UndoHistory(int depth = 100) : fDepth(depth) {}

    // A new or opened project: no steps either way; the state counts as saved when
    // it is what the files hold.
    void reset(const ProjectSnapshot &current, bool saved = true);
    // A change happened and current is the state after it. A state equal to the
    // present one is no step (a click that changed nothing); a change merged into the
    // last step that brings back the state before that step takes the step away.
    void record(const ProjectSnapshot &current, const QString &mergeKey = {});
    // Where the canvas was scrolled when the present state was taken.
    QPoint presentScroll() const { return {fCurrent.scrollX, fCurrent.scrollY}; }
    bool canUndo() const { return !fUndo.empty(); }
    bool canRedo() const { return !fRedo.empty(); }
    // The state to restore; nothing when there is no step that way.
    std::optional<ProjectSnapshot> undo();
    std::optional<ProjectSnapshot> redo();

    // The present state is what the files hold (after a save).
    void markSaved() { fSavedId = fCurrent.id; }
    bool atSavedState() const { return fCurrent.id == fSavedId; }
    int depth() const { return fDepth; }
    // Bytes held by the history, for checking that it stays bounded.
    qsizetype memoryUse() const;

private:
    struct Entry {
        QByteArray program, devices, variables;  // compressed
        int scrollX = 0, scrollY = 0;
        quint64 id = 0;
        QString mergeKey;
    };
    Entry pack(const ProjectSnapshot &s, const QString &mergeKey);
    static bool sameState(const Entry &a, const Entry &b);
    static ProjectSnapshot unpack(const Entry &e);

    int fDepth;
    std::deque<Entry> fUndo;  // oldest first
    std::deque<Entry> fRedo;  // next first
    Entry fCurrent;
    ProjectSnapshot fCurrentPlain;  // the present state as it is, to compare against
    quint64 fNextId = 1;
    quint64 fSavedId = 0;
};

#include "project/UndoHistory.h"

UndoHistory::Entry UndoHistory::pack(const ProjectSnapshot &s, const QString &mergeKey)
{
    // Level 1: fast, and the program text still shrinks to a tenth or less.
    return Entry{qCompress(s.program, 1), qCompress(s.devices, 1), qCompress(s.variables, 1), s.scrollX, s.scrollY,
                 fNextId++, mergeKey};
}

ProjectSnapshot UndoHistory::unpack(const Entry &e)
{
    return ProjectSnapshot{qUncompress(e.program), qUncompress(e.devices), qUncompress(e.variables), e.scrollX,
                           e.scrollY};
}

void UndoHistory::reset(const ProjectSnapshot &current, bool saved)
{
    fUndo.clear();
    fRedo.clear();
    fCurrent = pack(current, QString());
    fCurrentPlain = current;
    fSavedId = saved ? fCurrent.id : 0;
}

void UndoHistory::record(const ProjectSnapshot &current, const QString &mergeKey)
{
    if (current == fCurrentPlain)
        return;
    fRedo.clear();
    const bool merge = !mergeKey.isEmpty() && mergeKey == fCurrent.mergeKey && !atSavedState();
    Entry next = pack(current, mergeKey);
    if (merge && !fUndo.empty() && sameState(next, fUndo.back())) {
        // The step went back to where it began (a number typed, then the field's own
        // undo): it is no step any more, and the state before it, saved or not, is the
        // present one again. The next change starts a step of its own.
        fCurrent = std::move(fUndo.back());
        fUndo.pop_back();
        fCurrent.mergeKey.clear();
        fCurrentPlain = current;
        return;
    }
    if (!merge) {
        fUndo.push_back(std::move(fCurrent));
        while (int(fUndo.size()) > fDepth)
            fUndo.pop_front();
    }
    fCurrent = std::move(next);
    fCurrentPlain = current;
}

bool UndoHistory::sameState(const Entry &a, const Entry &b)
{
    // Compressing is deterministic: equal texts give equal bytes, and unequal texts
    // cannot.
    return a.program == b.program && a.devices == b.devices && a.variables == b.variables;
}

std::optional<ProjectSnapshot> UndoHistory::undo()
{
    if (fUndo.empty())
        return std::nullopt;
    fCurrent.mergeKey.clear();
    fRedo.push_front(std::move(fCurrent));
    fCurrent = std::move(fUndo.back());
    fUndo.pop_back();
    fCurrent.mergeKey.clear();
    fCurrentPlain = unpack(fCurrent);
    return fCurrentPlain;
}

std::optional<ProjectSnapshot> UndoHistory::redo()
{
    if (fRedo.empty())
        return std::nullopt;
    fUndo.push_back(std::move(fCurrent));
    fCurrent = std::move(fRedo.front());
    fRedo.pop_front();
    fCurrentPlain = unpack(fCurrent);
    return fCurrentPlain;
}

qsizetype UndoHistory::memoryUse() const
{
    qsizetype bytes = fCurrentPlain.program.size() + fCurrentPlain.devices.size() + fCurrentPlain.variables.size();
    const auto add = [&bytes](const Entry &e) { bytes += e.program.size() + e.devices.size() + e.variables.size(); };
    for (const Entry &e : fUndo)
        add(e);
    for (const Entry &e : fRedo)
        add(e);
    add(fCurrent);
    return bytes;
}

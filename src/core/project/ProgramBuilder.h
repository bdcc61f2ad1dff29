#pragma once

#include <QString>

class Project;
class TKeloBlock;
class TKeloContainerBlock;
class TKeloControlElseBlock;

// Builds programs the way a pupil does, without the mouse: copies palette
// prototypes onto the canvas and links them. Used by the example projects, the
// tests and the benchmarks.
class ProgramBuilder {
public:
    explicit ProgramBuilder(Project &project) : fProject(project) {}

    // With layout off, blocks are only linked, not moved: building a very long
    // program then stays linear (re-aligning a chain walks everything above).
    void setLayout(bool on) { fLayout = on; }

    // The palette prototype with this command text (the first one built).
    TKeloBlock *prototype(const QString &commandText) const;
    // A placed copy of the prototype with this command text, on the canvas.
    TKeloBlock *place(const QString &commandText);
    TKeloBlock *place(TKeloBlock *proto);
    // A placed value block of the variable with this name.
    TKeloBlock *placeVariable(const QString &name);

    // Links b directly below anchor (anchor may be an end block or else header).
    TKeloBlock *below(TKeloBlock *anchor, TKeloBlock *b);
    // Links b as the last block of the container's body.
    TKeloBlock *intoBody(TKeloContainerBlock *container, TKeloBlock *b);
    // Ticks the else box and links b as the last block of the else branch.
    TKeloBlock *intoElse(TKeloControlElseBlock *condition, TKeloBlock *b);
    // Links b after the whole container (below its end block).
    TKeloBlock *after(TKeloContainerBlock *container, TKeloBlock *b);

private:
    Project &fProject;
    bool fLayout = true;
};

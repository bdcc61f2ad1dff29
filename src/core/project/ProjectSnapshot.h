#pragma once

#include <QByteArray>

class Project;

// The project's three files as they would be saved, in memory: what undo keeps and
// restores, and what autosave writes. Restoring loads them exactly as opening the
// files would.
struct ProjectSnapshot {
    QByteArray program;    // the .vzl text
    QByteArray devices;    // the .adv text
    QByteArray variables;  // the .var text
    // Where the canvas was scrolled: block positions in the program text are relative
    // to it. Not part of the state itself.
    int scrollX = 0;
    int scrollY = 0;

    static ProjectSnapshot take(const Project &project);
    // The same with the block positions of the canvas scrolled to (scrollX, scrollY),
    // wherever it is scrolled now: taken at one scroll, states that differ only in
    // where the canvas was scrolled are equal.
    static ProjectSnapshot take(const Project &project, int scrollX, int scrollY);
    void restore(Project &project) const;

    bool operator==(const ProjectSnapshot &other) const
    {
        return program == other.program && devices == other.devices && variables == other.variables;
    }
};

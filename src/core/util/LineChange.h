#pragma once

#include <QStringList>

// The smallest run of lines to replace to turn one text into another, found from
// the lines both share at their start and at their end: a view that shows a text
// which changes a little at a time redraws only what changed, and keeps its place.
struct LineChange {
    qsizetype first = 0;    // the first line that differs
    qsizetype removed = 0;  // how many lines of before go, from first
    QStringList inserted;   // what takes their place

    bool isEmpty() const { return removed == 0 && inserted.isEmpty(); }

    static LineChange between(const QStringList &before, const QStringList &after);
};

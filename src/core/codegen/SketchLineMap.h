#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class TKeloBlock;

// Which lines of a sketch each block became, and which block each line came from, as
// one run of the sketch generator made them. Lines are counted from 0 and are lines
// of the sketch file: a template with "%nl" gives a block several lines.
//
// A block's lines are all of its code: a container's header, its body, its closing
// brace and its end block; a condition's else header with its branch and brace; the
// start block the whole loop() function. A value block in a slot occupies the lines
// of the statement that holds it.
class SketchLineMap {
public:
    struct Lines {
        int first = -1;
        int last = -1;  // inclusive
        bool isEmpty() const { return first < 0; }
        bool contains(int line) const { return !isEmpty() && line >= first && line <= last; }
        friend bool operator==(const Lines &, const Lines &) = default;
    };

    int lineCount() const { return int(fLineBlocks.size()); }
    // For every line, the name of the block whose own code it is; empty for the lines
    // no block made (includes, set-up, the frame of loop()). A closing brace belongs
    // to its container.
    const QStringList &lineBlocks() const { return fLineBlocks; }
    // The lines of the named block's code; empty when it gave none (not reached from
    // the start block, or unknown).
    Lines linesOf(const QString &blockName) const { return fBlocks.value(blockName).all; }
    // The block a line of the sketch belongs to: the one that made it, else the start
    // block for the frame of loop(); empty elsewhere.
    QString blockAt(int line) const;

    void clear();

private:
    friend class SketchLineMapBuilder;
    struct Entry {
        Lines own;  // the block's own statement
        Lines all;
    };
    QStringList fLineBlocks;
    QHash<QString, Entry> fBlocks;
    QString fStartBlock;
    Lines fLoop;
};

// Fills a map from what the walk of the program reported: the lines of the sketch in
// order and, for the walked part, the block behind each entry.
class SketchLineMapBuilder {
public:
    explicit SketchLineMapBuilder(SketchLineMap &map) : fMap(map) { fMap.clear(); }

    // An entry of the sketch list (it may hold line breaks), made by from (or by no
    // block).
    void addEntry(const QString &text, const TKeloBlock *from);
    // The entries of loop() so far started at firstLine and were walked from start.
    void setLoop(const TKeloBlock *start, int firstLine, int lastLine);

private:
    void extend(const QString &name, int first, int last);
    void slotsOf(const TKeloBlock *holder, SketchLineMap::Lines own);

    SketchLineMap &fMap;
};

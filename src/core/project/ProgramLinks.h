#pragma once

#include <QString>

#include <array>
#include <vector>

class DebugLog;
class TKeloBlock;
class Workspace;

// The links between the blocks of a program file being read. A file names each link
// twice, as a reference (resolved at once against the blocks read before) and as a
// name (looked up once every block is read, last block first); both are gathered
// here first. Then the links that make a block hold another (successor or body, else
// header, end block, value slots) are made in program order, starting at the start
// block, each checked by a LinkForest: one that would close a loop, give a block a
// second holder, point at a palette block or put a value block into a value block is
// refused, stays empty, and is named in the log as "Error reading <block>.<link>:
// ...". Back links (a block's predecessor, a companion's container) are kept only
// where they mirror the forward link they belong to.
//
// For files the program writes, this gives exactly the links the references and
// names give one by one; on damaged files, the program from the start block keeps
// as much as it can.
class ProgramLinks {
public:
    enum Link { Slot1, Slot2, ElseHeader, EndBlock, Next, LinkCount };

    ProgramLinks(Workspace &ws, DebugLog *log) : fWs(ws), fLog(log) {}
    ~ProgramLinks();
    ProgramLinks(const ProgramLinks &) = delete;
    ProgramLinks &operator=(const ProgramLinks &) = delete;

    // Room for about count blocks.
    void reserve(qsizetype count);
    // The blocks in the order they were read.
    int add(TKeloBlock *b);
    const std::vector<TKeloBlock *> &blocks() const { return fBlocks; }

    // The link as a reference named it (the first one found counts).
    void setReferenced(int index, Link link, TKeloBlock *target);
    // The names the file gave, for the look-up once every block is read (after the
    // references).
    void setNames(int index, const QString &linkTo, const QString &linkFrom, const QString &varParam1,
                  const QString &varParam2);

    // Looks the names up, last block first, where the references left a link empty;
    // fills predecessors the same way; end blocks and else headers name their
    // container's companions.
    void resolveNames();
    // Makes the forward links, in program order, with every check.
    void make();
    // Drops back links that do not mirror a forward link.
    void checkBackLinks();

private:
    struct Entry {
        TKeloBlock *block;
        std::array<TKeloBlock *, LinkCount> target{};
        QString linkTo, linkFrom, varParam1, varParam2;
    };

    void debug(const QString &line) const;
    void refuse(const TKeloBlock *b, Link link, const TKeloBlock *target, const QString &why) const;
    // The place of b among the blocks read, -1 for any other block.
    int indexOf(const TKeloBlock *b) const;
    // Makes the link if every check allows it; the index of the block now held, or -1.
    int tryLink(int holder, Link link, class LinkForest &forest);

    Workspace &fWs;
    DebugLog *fLog;
    std::vector<TKeloBlock *> fBlocks;
    std::vector<Entry> fEntries;
};

#pragma once

#include <QHash>
#include <vector>

class TKeloBlock;

// The links by which a block holds other blocks (its successor, which for a
// container is the first block of its body; a container's end block and else
// header; the value blocks in its slots) must form a forest: every block held by at
// most one block, and never by itself or by a block it holds. Then every walk over
// a program (its code, its sizes, its layout, its destruction) ends, and visits each
// block once. A program file may name any block in any link, so while one is read
// each such link is checked here before it is made.
//
// Union-find over the blocks: checking and recording a link is practically constant
// time, so a program of any length is checked in linear time.
class LinkForest {
public:
    enum class Verdict {
        Ok,      // recorded
        Itself,  // the block would hold itself
        Loop,    // the block would hold a block that holds it
        Held,    // the other block is held already
    };

    Verdict link(const TKeloBlock *holder, const TKeloBlock *held);
    // The block that holds b through a link recorded here, or nullptr.
    const TKeloBlock *holderOf(const TKeloBlock *b) const;

private:
    struct Node {
        int parent;
        int size;
        const TKeloBlock *holder;
    };
    int node(const TKeloBlock *b);
    int root(int i);

    QHash<const TKeloBlock *, int> fIndex;
    std::vector<Node> fNodes;
};

#pragma once

#include <cstddef>
#include <vector>

// The links by which a block holds other blocks (its successor, which for a
// container is the first block of its body; a container's end block and else
// header; the value blocks in its slots) must form a forest: every block held by at
// most one block, and never by itself or by a block it holds. Then every walk over
// a program (its code, its sizes, its layout, its destruction) ends, and visits each
// block once. A program file may name any block in any link, so while one is read
// each such link is checked here before it is made.
//
// Blocks are numbered 0 .. count - 1. Union-find: checking and recording a link takes
// practically constant time, so a program of any length is checked in linear time.
class LinkForest {
public:
    enum class Verdict {
        Ok,      // recorded
        Itself,  // the block would hold itself
        Loop,    // the block would hold a block that holds it
        Held,    // the other block is held already
    };

    explicit LinkForest(int count);
    // What link would answer, without recording anything.
    Verdict check(int holder, int held);
    Verdict link(int holder, int held);
    // The block that holds b, or -1.
    int holderOf(int b) const { return fNodes[std::size_t(b)].holder; }

private:
    struct Node {
        int parent;
        int size;
        int holder;
    };
    int root(int i);

    std::vector<Node> fNodes;
};

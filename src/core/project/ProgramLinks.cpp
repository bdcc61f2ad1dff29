#include "project/ProgramLinks.h"

#include "blocks/KeloError.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/Workspace.h"
#include "project/BlockReader.h"
#include "project/LinkForest.h"
#include "util/DebugLog.h"

using namespace Qt::StringLiterals;

namespace {

QString linkName(ProgramLinks::Link link)
{
    switch (link) {
    case ProgramLinks::Slot1: return u"VarParam1Name"_s;
    case ProgramLinks::Slot2: return u"VarParam2Name"_s;
    case ProgramLinks::ElseHeader: return u"ElseBlock"_s;
    case ProgramLinks::EndBlock: return u"EndBlock"_s;
    default: return u"LinkToName"_s;
    }
}

} // namespace

ProgramLinks::~ProgramLinks()
{
    for (TKeloBlock *b : fBlocks)
        b->setFileIndex(-1);
}

void ProgramLinks::reserve(qsizetype count)
{
    fBlocks.reserve(size_t(count));
    fEntries.reserve(size_t(count));
}

int ProgramLinks::add(TKeloBlock *b)
{
    const int index = int(fBlocks.size());
    fBlocks.push_back(b);
    fEntries.push_back(Entry{b, {}, {}, {}, {}, {}});
    b->setFileIndex(index);
    return index;
}

int ProgramLinks::indexOf(const TKeloBlock *b) const
{
    const int i = b ? b->fileIndex() : -1;
    return i >= 0 && size_t(i) < fBlocks.size() && fBlocks[size_t(i)] == b ? i : -1;
}

void ProgramLinks::setReferenced(int index, Link link, TKeloBlock *target)
{
    TKeloBlock *&slot = fEntries[size_t(index)].target[size_t(link)];
    if (!slot)
        slot = target;
}

void ProgramLinks::setNames(int index, const QString &linkTo, const QString &linkFrom, const QString &varParam1,
                            const QString &varParam2)
{
    // Only the names whose links the references left empty are looked up later.
    Entry &e = fEntries[size_t(index)];
    if (!e.target[Next])
        e.linkTo = linkTo;
    if (!e.block->LinkFrom())
        e.linkFrom = linkFrom;
    if (!e.target[Slot1])
        e.varParam1 = varParam1;
    if (!e.target[Slot2])
        e.varParam2 = varParam2;
}

void ProgramLinks::debug(const QString &line) const
{
    if (fLog)
        fLog->AddDebug(line);
}

void ProgramLinks::refuse(const TKeloBlock *b, Link link, const TKeloBlock *target, const QString &why) const
{
    debug(BlockReader::errorReadingPrefix() + b->Name() + u'.' + linkName(link) + u": link to "_s
          + target->Name() + u" refused, "_s + why);
}

void ProgramLinks::resolveNames()
{
    for (size_t i = fEntries.size(); i-- > 0;) {
        Entry &e = fEntries[i];
        TKeloBlock *b = e.block;
        if (!e.target[Next])
            e.target[Next] = fWs.findBlock(e.linkTo);
        b->SetLinkFromName(e.linkFrom);
        if (!e.target[Slot1])
            e.target[Slot1] = fWs.findBlock(e.varParam1);
        if (!e.target[Slot2])
            e.target[Slot2] = fWs.findBlock(e.varParam2);
        // Each end block and else header makes itself its container's companion (the
        // first in the file wins, since the last is handled first).
        auto *companion = dynamic_cast<TKeloCompanionBlock *>(b);
        TKeloContainerBlock *c = companion ? companion->ContainerBlock() : nullptr;
        const int owner = indexOf(c);
        if (owner < 0)
            continue;
        if (dynamic_cast<TKeloContainerBlockEnd *>(b))
            fEntries[size_t(owner)].target[EndBlock] = b;
        else if (dynamic_cast<TKeloControlElseBlock *>(c))
            fEntries[size_t(owner)].target[ElseHeader] = b;
    }
}

int ProgramLinks::tryLink(int holder, Link link, LinkForest &forest)
{
    TKeloBlock *b = fEntries[size_t(holder)].block;
    TKeloBlock *t = fEntries[size_t(holder)].target[size_t(link)];
    if (!t)
        return -1;
    const int held = indexOf(t);
    if (held < 0) {
        refuse(b, link, t, u"it is a palette block"_s);
        return -1;
    }
    const bool slot = link == Slot1 || link == Slot2;
    QString why;
    switch (forest.check(holder, held)) {
    case LinkForest::Verdict::Itself: why = u"a block cannot follow or hold itself"_s; break;
    case LinkForest::Verdict::Loop: why = u"it would close a loop"_s; break;
    case LinkForest::Verdict::Held:
        why = u"it belongs to "_s + fBlocks[size_t(forest.holderOf(held))]->Name() + u" already"_s;
        break;
    case LinkForest::Verdict::Ok:
        if (t->isStartBlock())
            why = u"it starts a program"_s;
        // Value blocks go into blocks on the canvas, never into other value blocks:
        // the program's dragging cannot nest them, and deep nesting would be deep
        // recursion.
        else if (slot && b->parentBlock())
            why = u"the block is itself in a slot"_s;
        else if (slot && (t->VarParam1() || t->VarParam2()))
            why = u"it holds value blocks itself"_s;
        break;
    }
    if (!why.isEmpty()) {
        refuse(b, link, t, why);
        return -1;
    }
    forest.link(holder, held);
    try {
        switch (link) {
        case Slot1: b->SetVarParam1(t); break;
        case Slot2: b->SetVarParam2(t); break;
        case ElseHeader:
            static_cast<TKeloControlElseBlock *>(b)->SetElseBlock(static_cast<TKeloControlBlockELSE *>(t));
            break;
        case EndBlock:
            static_cast<TKeloContainerBlock *>(b)->SetEndBlock(static_cast<TKeloContainerBlockEnd *>(t));
            break;
        default: b->SetLinkTo(t); break;
        }
    } catch (const KeloError &e) {
        // The value block has moved into the host all the same (as a refused drop
        // leaves it); it is held.
        debug(BlockReader::errorReadingPrefix() + b->Name() + u'.' + linkName(link) + u": "_s + e.message());
    }
    return held;
}

void ProgramLinks::make()
{
    const int count = int(fEntries.size());
    LinkForest forest(count);
    std::vector<char> visited(size_t(count), 0);
    // The start block first (the one the sketch begins with), then every block in file
    // order that is not reached from an earlier one.
    std::vector<int> roots;
    roots.reserve(size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        if (fBlocks[size_t(i)]->isStartBlock()) {
            roots.push_back(i);
            break;
        }
    }
    for (int i = 0; i < count; ++i)
        roots.push_back(i);

    struct Visit {
        int block;
        int link;
    };
    std::vector<Visit> stack;
    for (const int root : roots) {
        if (visited[size_t(root)])
            continue;
        visited[size_t(root)] = 1;
        stack.push_back(Visit{root, 0});
        while (!stack.empty()) {
            Visit &v = stack.back();
            if (v.link == LinkCount) {
                stack.pop_back();
                continue;
            }
            const int held = tryLink(v.block, Link(v.link++), forest);
            if (held >= 0 && !visited[size_t(held)]) {
                visited[size_t(held)] = 1;
                stack.push_back(Visit{held, 0});
            }
        }
    }
}

void ProgramLinks::checkBackLinks()
{
    for (TKeloBlock *b : fBlocks) {
        if (TKeloBlock *before = b->LinkFrom(); before && before->firstBlock() != b) {
            debug(BlockReader::errorReadingPrefix() + b->Name() + u".LinkFrom: link to "_s + before->Name()
                  + u" refused, "_s + before->Name() + u" is not followed by this block"_s);
            b->SetLinkFrom(nullptr);
        }
        auto *companion = dynamic_cast<TKeloCompanionBlock *>(b);
        TKeloContainerBlock *c = companion ? companion->ContainerBlock() : nullptr;
        if (!c)
            continue;
        auto *withElse = dynamic_cast<TKeloControlElseBlock *>(c);
        if (c->EndBlock() != b && !(withElse && withElse->ElseBlock() == b)) {
            debug(BlockReader::errorReadingPrefix() + b->Name() + u".ContainerBlock: link to "_s + c->Name()
                  + u" refused, "_s + c->Name() + u" has other companion blocks"_s);
            companion->SetContainerBlock(nullptr);
        }
    }
}

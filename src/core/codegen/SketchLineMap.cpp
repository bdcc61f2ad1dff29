#include "codegen/SketchLineMap.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"

QString SketchLineMap::blockAt(int line) const
{
    if (line < 0 || line >= lineCount())
        return QString();
    const QString &from = fLineBlocks.at(line);
    if (!from.isEmpty())
        return from;
    return fLoop.contains(line) ? fStartBlock : QString();
}

void SketchLineMap::clear()
{
    fLineBlocks.clear();
    fBlocks.clear();
    fStartBlock.clear();
    fLoop = {};
}

void SketchLineMapBuilder::addEntry(const QString &text, const TKeloBlock *from)
{
    const int first = fMap.lineCount();
    const int last = first + int(text.count(u'\n'));
    const QString name = from ? from->Name() : QString();
    for (int line = first; line <= last; ++line)
        fMap.fLineBlocks.append(name);
    if (!from)
        return;
    if (!fMap.fBlocks.contains(name)) {
        const SketchLineMap::Lines own{first, last};
        fMap.fBlocks.insert(name, SketchLineMap::Entry{own, own});
        slotsOf(from, own);
    } else {
        // A container's closing brace, or a condition's brace after its else branch:
        // the else header's code reaches down to it too.
        extend(name, first, last);
        if (auto *condition = dynamic_cast<const TKeloControlElseBlock *>(from); condition && condition->ElseBlock())
            if (fMap.fBlocks.contains(condition->ElseBlock()->Name()))
                extend(condition->ElseBlock()->Name(), first, last);
    }
    // The end block is drawn as the foot of its container: its line is the container's.
    if (auto *end = dynamic_cast<const TKeloContainerBlockEnd *>(from); end && end->ContainerBlock())
        extend(end->ContainerBlock()->Name(), first, last);
}

void SketchLineMapBuilder::setLoop(const TKeloBlock *start, int firstLine, int lastLine)
{
    fMap.fStartBlock = start ? start->Name() : QString();
    fMap.fLoop = SketchLineMap::Lines{firstLine, lastLine};
    if (start) {
        auto it = fMap.fBlocks.find(start->Name());
        if (it != fMap.fBlocks.end())
            it->all = fMap.fLoop;
    }
}

void SketchLineMapBuilder::extend(const QString &name, int first, int last)
{
    auto it = fMap.fBlocks.find(name);
    if (it == fMap.fBlocks.end())
        return;
    it->all.first = std::min(it->all.first, first);
    it->all.last = std::max(it->all.last, last);
}

// The value blocks in a statement's slots are expanded into its own line.
void SketchLineMapBuilder::slotsOf(const TKeloBlock *holder, SketchLineMap::Lines own)
{
    constexpr int MaxDepth = 8;  // the loader refuses value blocks in value blocks
    struct Pending {
        const TKeloBlock *block;
        int depth;
    };
    QList<Pending> pending{{holder, 0}};
    while (!pending.isEmpty()) {
        const Pending p = pending.takeLast();
        for (const TKeloBlock *v : {p.block->VarParam1(), p.block->VarParam2()}) {
            if (!v || fMap.fBlocks.contains(v->Name()))
                continue;
            fMap.fBlocks.insert(v->Name(), SketchLineMap::Entry{own, own});
            if (p.depth + 1 < MaxDepth)
                pending.append({v, p.depth + 1});
        }
    }
}

// Position changes, chain links and value slots of TKeloBlock.
#include "blocks/TKeloBlock.h"

#include "blocks/KeloError.h"
#include "blocks/Workspace.h"

using namespace Qt::StringLiterals;

void TKeloBlock::SetBounds(int left, int top, int width, int height)
{
    if (placeAt(left, top, width, height))
        successorsFollow();
}

bool TKeloBlock::placeAt(int left, int top, int width, int height)
{
    // Blocks on the canvas, a panel or the main window never go left of or above
    // 5 pixels of the parent's content; blocks inside blocks are not clamped.
    if (fParentArea && !fParentBlock) {
        const int sx = fPrototype ? 0 : fParentArea->scrollX;
        const int sy = fPrototype ? 0 : fParentArea->scrollY;
        if (qint64(left) + sx < 5)
            left = 5;
        if (qint64(top) + sy < 5)
            top = 5;
    }
    const bool moved = left != fLeft || top != fTop;
    const bool resized = width != fWidth || height != fHeight;
    fLeft = left;
    fTop = top;
    fWidth = width;
    fHeight = height;
    // A block being read gets its outline once all its properties are read.
    if (resized && !fReading)
        BuildOutline();
    if (!moved)
        return false;
    if (FLinkFrom && FLinkFrom == fLinkTo) {
        log(u"Bug-->>"_s + QString::number(Id) + u" is linked up dn to"_s + QString::number(FLinkFrom->Id));
        fLinkTo = nullptr;
    }
    return true;
}

QPoint TKeloBlock::placeUnder(const TKeloBlock *p) const
{
    return QPoint(clampedCoordinate(qint64(p->BotNoseX()) - nospadUp),
                  clampedCoordinate(qint64(p->Top()) + p->Height() - p->nosh - 3));
}

void TKeloBlock::successorsFollow()
{
    // Along plain blocks the chain below follows in a loop, one block after the other,
    // as the calls of FollowLinkFrom would make it: a chain of any length moves without
    // the call stack growing with it. Other blocks follow through their own
    // FollowLinkFrom.
    TKeloBlock *prev = this;
    for (qsizetype steps = walkLimit(); prev->fLinkTo && steps > 0; --steps) {
        TKeloBlock *next = prev->fLinkTo;
        if (!next->followsPlainly() || next->FLinkFrom != prev) {
            next->FollowLinkFrom(prev);
            return;
        }
        const QPoint at = next->placeUnder(prev);
        if (!next->placeAt(at.x(), at.y(), next->fWidth, next->fHeight))
            return;
        prev = next;
    }
}

void TKeloBlock::FollowLinkFrom(TKeloBlock *origin)
{
    // Following goes up the predecessors and, through every move, down the successors.
    // Along plain blocks both go in loops; through containers and their companions they
    // recurse, which with the links a forest (as the loader makes them) never goes
    // deeper than twice the number of blocks. Links run in a loop by other means are
    // cut off.
    static thread_local qsizetype depth = 0;
    if (depth > 2 * walkLimit() + 64) {
        log(u"Bug-->>"_s + QString::number(Id) + u" follows a loop of links"_s);
        return;
    }
    struct Depth {
        Depth() { ++depth; }
        ~Depth() { --depth; }
    } level;
    TKeloBlock *b = this;
    for (qsizetype steps = walkLimit(); steps > 0; --steps) {
        TKeloBlock *p = b->FLinkFrom;
        if (!p)
            return;
        // Left and top are set in one step: two separate steps would drag the chain
        // below along twice, which makes long chains quadratic. The end positions are
        // the same.
        const QPoint at = b->placeUnder(p);
        b->SetBounds(at.x(), at.y(), b->fWidth, b->fHeight);
        if (p == origin)
            return;
        if (!p->followsPlainly()) {
            p->FollowLinkFrom(origin);
            return;
        }
        b = p;
    }
}

void TKeloBlock::Attach(TKeloBlock *b, bool above)
{
    if (!b)
        return;
    if (above) {
        if (b->FLinkFrom)
            b->FLinkFrom->Detach(b);
        b->FLinkFrom = this;
        if (fLinkTo)
            Detach(fLinkTo);
        fLinkTo = b;
        log(u"attached UP "_s + QString::number(Id) + u" to "_s + QString::number(b->Id));
    } else {
        if (b->fLinkTo)
            b->fLinkTo->Detach(b);
        b->fLinkTo = this;
        FLinkFrom = b;
        log(u"attached DN "_s + QString::number(Id) + u" to "_s + QString::number(b->Id));
    }
}

void TKeloBlock::Detach(TKeloBlock *b)
{
    if (!b)
        return;
    if (b->FLinkFrom == this)
        b->FLinkFrom = nullptr;
    if (b->fLinkTo == this)
        b->fLinkTo = nullptr;
    if (FLinkFrom == b) {
        b->FollowLinkFrom(nullptr);
        FLinkFrom = nullptr;
    }
    if (fLinkTo == b)
        fLinkTo = nullptr;
    log(u"Dettached "_s + QString::number(Id) + u" from "_s + QString::number(b->Id));
}

void TKeloBlock::ChainChanged()
{
    log(u"clb"_s);
}

TKeloBlock *TKeloBlock::lastStep(TKeloBlock *, bool *done)
{
    *done = fLinkTo == nullptr;
    return fLinkTo ? fLinkTo : this;
}

qsizetype TKeloBlock::walkLimit() const
{
    return fOwner ? qsizetype(fOwner->components().size()) : qsizetype(1) << 24;
}

TKeloBlock *TKeloBlock::getLastKeloBlock(TKeloBlock *caller)
{
    // Each block either answers or names the block to continue from, so a long chain
    // is followed in a loop rather than by recursion. No walk takes more steps than
    // there are blocks, even if the links were to run in a loop.
    TKeloBlock *b = this;
    for (qsizetype steps = walkLimit(); steps > 0; --steps) {
        bool done = false;
        TKeloBlock *next = b->lastStep(caller, &done);
        if (done || !next || next == b)
            return next;
        b = next;
    }
    return b;
}

int TKeloBlock::getKeloBlockListSize(const TKeloBlock *db) const
{
    // The count of a container includes its body's chain; the bodies wait on a stack
    // of their own instead of the call stack.
    int res = 0;
    qsizetype steps = walkLimit();
    std::vector<const TKeloBlock *> chains{db ? db : this};
    while (!chains.empty()) {
        const TKeloBlock *b = chains.back();
        chains.pop_back();
        for (; b && steps > 0; b = b->GetLinkTo(), --steps) {
            if (const TKeloBlock *body = b->countedBody(&res))
                chains.push_back(body);
        }
    }
    return res;
}

const TKeloBlock *TKeloBlock::countedBody(int *count) const
{
    *count += Getblocksize();
    return nullptr;
}

// ---------------------------------------------------------------- value slots

void TKeloBlock::SetVarParam1(TKeloBlock *v)
{
    setVarParam(1, v);
}

void TKeloBlock::SetVarParam2(TKeloBlock *v)
{
    setVarParam(2, v);
}

void TKeloBlock::setVarParam(int slot, TKeloBlock *v)
{
    SlotEditor &editor = slot == 1 ? ctrl1 : ctrl2;
    TKeloBlock *&ref = slot == 1 ? FVarParam1 : FVarParam2;
    TKeloBlock *old = ref;
    // A value block restored from a file keeps the place it was saved at.
    const bool restoring = restoringLayout();
    if (v) {
        v->SetParent(this);
        if (!restoring)
            v->SetBounds(editor.rect.left(), editor.rect.top() - 2 * lnw, v->Width(), v->Height());
        editor.visible = false;
        if (v->CommndID > 74) {
            if (fPDevice != -1 && fPDevice != v->PDevice())
                throw KeloError(u"Error device has already a device ID"_s);
            fPDevice = v->PDevice();
        }
    }
    if (old && old != v) {
        old->SetSameParentAs(this);
        if (!restoring)
            old->SetBounds(clampedCoordinate(qint64(fLeft) + old->Left() + 10),
                           clampedCoordinate(qint64(fTop) + old->Top() + 10), old->Width(), old->Height());
        if (!v) {
            editor.visible = true;
            if (old->CommndID > 74)
                fPDevice = -1;
        }
    }
    ref = v;
    if (!restoring)
        layoutCommandText();
}

// ---------------------------------------------------------------- destruction

void TKeloBlock::collectOwned(std::vector<TKeloBlock *> &out) const
{
    out.push_back(fLinkTo);
    for (TKeloBlock *c : fChildBlocks)
        out.push_back(c);
}

void TKeloBlock::clearReferencesTo(const QSet<TKeloBlock *> &doomed)
{
    if (fLinkTo && doomed.contains(fLinkTo))
        fLinkTo = nullptr;
    if (FLinkFrom && doomed.contains(FLinkFrom))
        FLinkFrom = nullptr;
    if (FVarParam1 && doomed.contains(FVarParam1))
        FVarParam1 = nullptr;
    if (FVarParam2 && doomed.contains(FVarParam2))
        FVarParam2 = nullptr;
}

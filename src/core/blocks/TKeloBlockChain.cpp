// Position changes, chain links and value slots of TKeloBlock.
#include "blocks/TKeloBlock.h"

#include "blocks/KeloError.h"
#include "blocks/Workspace.h"

using namespace Qt::StringLiterals;

void TKeloBlock::SetBounds(int left, int top, int width, int height)
{
    // Blocks on the canvas, a panel or the main window never go left of or above
    // 5 pixels of the parent's content; blocks inside blocks are not clamped.
    if (fParentArea && !fParentBlock) {
        const int sx = fPrototype ? 0 : fParentArea->scrollX;
        const int sy = fPrototype ? 0 : fParentArea->scrollY;
        if (left + sx < 5)
            left = 5;
        if (top + sy < 5)
            top = 5;
    }
    const bool moved = left != fLeft || top != fTop;
    const bool resized = width != fWidth || height != fHeight;
    fLeft = left;
    fTop = top;
    fWidth = width;
    fHeight = height;
    if (resized)
        BuildOutline();
    if (!moved)
        return;
    if (FLinkFrom && FLinkFrom == fLinkTo) {
        log(u"Bug-->>"_s + QString::number(Id) + u" is linked up dn to"_s + QString::number(FLinkFrom->Id));
        fLinkTo = nullptr;
    }
    if (fLinkTo)
        fLinkTo->FollowLinkFrom(this);
}

void TKeloBlock::FollowLinkFrom(TKeloBlock *origin)
{
    TKeloBlock *p = FLinkFrom;
    if (!p)
        return;
    // Left and top are set in one step: two separate steps would drag the chain below
    // along twice, which makes long chains quadratic. The end positions are the same.
    const int left = p->BotNoseX() - nospadUp;
    const int top = p->Top() + p->Height() - p->nosh - 3;
    SetBounds(left, top, fWidth, fHeight);
    if (p != origin)
        p->FollowLinkFrom(origin);
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

TKeloBlock *TKeloBlock::getLastKeloBlock(TKeloBlock *caller)
{
    // Each block either answers or names the block to continue from, so a long chain
    // is followed in a loop rather than by recursion.
    TKeloBlock *b = this;
    for (;;) {
        bool done = false;
        TKeloBlock *next = b->lastStep(caller, &done);
        if (done || !next || next == b)
            return next;
        b = next;
    }
}

int TKeloBlock::getKeloBlockListSize(const TKeloBlock *db) const
{
    int res = 0;
    for (const TKeloBlock *b = db ? db : this; b; b = b->GetLinkTo())
        res += b->Getblocksize();
    return res;
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
            old->SetBounds(fLeft + old->Left() + 10, fTop + old->Top() + 10, old->Width(), old->Height());
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

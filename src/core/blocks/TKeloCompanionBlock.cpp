#include "blocks/TKeloCompanionBlock.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/Workspace.h"

TKeloCompanionBlock::TKeloCompanionBlock(Workspace *owner) : TKeloBlock(owner)
{
    topNose = false;
    fNewlyCreated = false;
    BuildOutline();
}

QString TKeloCompanionBlock::ContainerBlockName() const
{
    return fContainer ? fContainer->Name() : QString();
}

void TKeloCompanionBlock::SetContainerBlockName(const QString &name)
{
    if (fOwner && !fContainer)
        fContainer = dynamic_cast<TKeloContainerBlock *>(fOwner->findBlock(name));
}

void TKeloCompanionBlock::SetBounds(int left, int top, int width, int height)
{
    TKeloBlock::SetBounds(left, top, width, height);
    if (!fContainer)
        return;
    const int wantLeft = fContainer->Left();
    int wantTop = fTop;
    if (TKeloBlock *last = fContainer->getLastKeloBlock(this); last && last != this)
        wantTop = clampedCoordinate(qint64(last->Top()) + last->Height() + 10);
    if (wantLeft != fLeft || wantTop != fTop)
        TKeloBlock::SetBounds(wantLeft, wantTop, fWidth, fHeight);
}

void TKeloCompanionBlock::FollowLinkFrom(TKeloBlock *origin)
{
    TKeloBlock::FollowLinkFrom(origin);
    if (!fContainer)
        return;
    SetLeft(fContainer->Left());
    fContainer->FollowLinkFrom(origin);
}

void TKeloCompanionBlock::clearReferencesTo(const QSet<TKeloBlock *> &doomed)
{
    TKeloBlock::clearReferencesTo(doomed);
    if (fContainer && doomed.contains(fContainer))
        fContainer = nullptr;
}

TKeloContainerBlockEnd::TKeloContainerBlockEnd(Workspace *owner) : TKeloCompanionBlock(owner)
{
    CommndID = EndBlockCommandId;
}

TKeloBlock *TKeloContainerBlockEnd::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloContainerBlockEnd>() : nullptr;
}

TKeloControlBlockELSE::TKeloControlBlockELSE(Workspace *owner) : TKeloCompanionBlock(owner)
{
    CommndID = ElseHeaderCommandId;
    nospadDn = 40;
    BuildOutline();
}

TKeloBlock *TKeloControlBlockELSE::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloControlBlockELSE>() : nullptr;
}

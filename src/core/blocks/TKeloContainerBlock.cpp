#include "blocks/TKeloContainerBlock.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/Workspace.h"

using namespace Qt::StringLiterals;

TKeloContainerBlock::TKeloContainerBlock(Workspace *owner) : TKeloBlock(owner)
{
    nospadDn = 40;
    fParam1 = 5;
    BuildOutline();
}

TKeloBlock *TKeloContainerBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloContainerBlock>() : nullptr;
}

TKeloBlock *TKeloLoopBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloLoopBlock>() : nullptr;
}

void TKeloContainerBlock::SetEndBlock(TKeloContainerBlockEnd *e)
{
    fEndBlock = e;
}

QString TKeloContainerBlock::EndBlockName() const
{
    return fEndBlock ? fEndBlock->Name() : QString();
}

void TKeloContainerBlock::SetEndBlockName(const QString &name)
{
    if (fOwner && !fEndBlock)
        fEndBlock = dynamic_cast<TKeloContainerBlockEnd *>(fOwner->findBlock(name));
}

TKeloBlock *TKeloContainerBlock::GetLinkTo() const
{
    return fEndBlock;
}

int TKeloContainerBlock::getContainersize() const
{
    return 1 + (fLinkTo ? getKeloBlockListSize(fLinkTo) : 0);
}

void TKeloContainerBlock::SetNewlyCreated(bool v)
{
    TKeloBlock::SetNewlyCreated(v);
    if (!v && !fReading && !fEndBlock && fOwner)
        CreateEndBlock();
    UpdateWidth();
}

void TKeloContainerBlock::CreateEndBlock()
{
    auto *e = fOwner->createFloat<TKeloContainerBlockEnd>();
    e->SetSameParentAs(this);
    e->CommndID = EndBlockCommandId;
    e->SetCommandText(EndBlockText);
    e->SetColor(Color());
    e->CommandColor = CommandColor;
    e->SetContainerBlock(this);
    e->SetBounds(fLeft, clampedCoordinate(qint64(fTop) + fHeight + 10), e->Width(), e->Height());
    fEndBlock = e;
}

void TKeloContainerBlock::parentChanged()
{
    TKeloBlock::parentChanged();
    if (fEndBlock)
        fEndBlock->SetSameParentAs(this);
}

void TKeloContainerBlock::relayCompanions(bool)
{
    if (!fEndBlock)
        return;
    if (fEndBlock->Left() != fLeft)
        fEndBlock->SetLeft(fLeft);
    else
        fEndBlock->relay();
}

void TKeloContainerBlock::SetBounds(int left, int top, int width, int height)
{
    TKeloBlock::SetBounds(left, top, width, height);
    relayCompanions(false);
}

void TKeloContainerBlock::FollowLinkFrom(TKeloBlock *origin)
{
    TKeloBlock::FollowLinkFrom(origin);
    relayCompanions(false);
}

void TKeloContainerBlock::ChainChanged()
{
    log(u"clb"_s);
    relayCompanions(true);
}

TKeloBlock *TKeloContainerBlock::stepIntoBody(bool *done)
{
    *done = fLinkTo == nullptr;
    return fLinkTo ? fLinkTo : this;
}

const TKeloBlock *TKeloContainerBlock::countedBody(int *count) const
{
    *count += 1;
    return fLinkTo;
}

TKeloBlock *TKeloContainerBlock::lastStep(TKeloBlock *caller, bool *done)
{
    if (fEndBlock && caller == fEndBlock)
        return stepIntoBody(done);
    if (!fEndBlock || !fEndBlock->firstBlock()) {
        *done = true;
        return fEndBlock;
    }
    *done = false;
    return fEndBlock->firstBlock();
}

void TKeloContainerBlock::assignFrom(const TKeloBlock &source)
{
    TKeloBlock::assignFrom(source);
    if (auto *c = dynamic_cast<const TKeloContainerBlock *>(&source))
        EndBlockText = c->EndBlockText;
}

void TKeloContainerBlock::collectOwned(std::vector<TKeloBlock *> &out) const
{
    TKeloBlock::collectOwned(out);
    out.push_back(fEndBlock);
}

void TKeloContainerBlock::clearReferencesTo(const QSet<TKeloBlock *> &doomed)
{
    TKeloBlock::clearReferencesTo(doomed);
    if (fEndBlock && doomed.contains(fEndBlock))
        fEndBlock = nullptr;
}

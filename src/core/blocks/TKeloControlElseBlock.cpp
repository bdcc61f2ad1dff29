#include "blocks/TKeloControlElseBlock.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/Workspace.h"
#include "util/UserPrompt.h"

using namespace Qt::StringLiterals;

TKeloControlElseBlock::TKeloControlElseBlock(Workspace *owner) : TKeloControlBlock(owner) {}

TKeloBlock *TKeloControlElseBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloControlElseBlock>() : nullptr;
}

void TKeloControlElseBlock::SetElseBlock(TKeloControlBlockELSE *e)
{
    fElseBlock = e;
    if (fElseBlock)
        fElseBlock->SetVisible(Elsebut.checked);
}

QString TKeloControlElseBlock::ElseBlockName() const
{
    return fElseBlock ? fElseBlock->Name() : QString();
}

void TKeloControlElseBlock::SetElseBlockName(const QString &name)
{
    if (fOwner && !fElseBlock)
        SetElseBlock(dynamic_cast<TKeloControlBlockELSE *>(fOwner->findBlock(name)));
}

void TKeloControlElseBlock::CreateEndBlock()
{
    TKeloControlBlock::CreateEndBlock();
    auto *e = fOwner->createFloat<TKeloControlBlockELSE>();
    e->topNose = false;
    e->SetSameParentAs(this);
    e->CommndID = ElseHeaderCommandId;
    e->SetCommandText(u"Αλλιώς"_s);
    e->ArduCmd = u"else {"_s;
    e->SetColor(Color());
    e->CommandColor = CommandColor;
    e->SetContainerBlock(this);
    e->SetBounds(fLeft, clampedCoordinate(qint64(fTop) + fHeight + 10), e->Width(), e->Height());
    e->SetVisible(false);
    fElseBlock = e;
}

void TKeloControlElseBlock::ElsebutClick(bool checked, UserPrompt *prompt)
{
    Elsebut.checked = checked;
    if (fReading || loading || !fElseBlock)
        return;
    if (!checked && fElseBlock->firstBlock()) {
        const auto answer = prompt ? prompt->askOkCancel(
                                         u"Υπάρχουν εντολές στο block \"αλλιώς\" που θα διαγραφούν.\n\r Είσαι σίγουρος;"_s,
                                         UserPrompt::Icon::Warning)
                                   : UserPrompt::Answer::Cancel;
        if (answer == UserPrompt::Answer::Ok) {
            if (fOwner)
                fOwner->destroyBlock(fElseBlock->firstBlock());
            fElseBlock->SetLinkTo(nullptr);
        } else {
            Elsebut.checked = true;
        }
    }
    fElseBlock->SetVisible(Elsebut.checked);
    if (fEndBlock)
        fEndBlock->relay();
}

void TKeloControlElseBlock::SetNewWidth(int nw)
{
    if (Elsebut.visible) {
        Elsebut.rect.moveLeft(nw + 3);
        nw = Elsebut.rect.left() + Elsebut.rect.width() + 8;
    }
    TKeloControlBlock::SetNewWidth(nw);
}

QString TKeloControlElseBlock::GetArduinoCommand(int idnt)
{
    if (fArduinoCommand.isEmpty())
        fArduinoCommand = ArduCmd;
    if (fArduinoCommand.contains(u"%p1"_s)) {
        const QStringList ops = ArduCheck.split(u',');
        const int index = GetParam1();
        QString op;
        if (index >= 0 && index < ops.size()) {
            op = ops.at(index);
        } else {
            // Only a damaged file can hold such an index; keep the sketch compilable.
            op = u"=="_s;
            log(u"Condition "_s + Name() + u" has no comparison "_s + QString::number(index) + u", using =="_s);
        }
        fArduinoCommand.replace(u"%p1"_s, op);
    }
    return TKeloControlBlock::GetArduinoCommand(idnt);
}

TKeloBlock *TKeloControlElseBlock::lastStep(TKeloBlock *caller, bool *done)
{
    if (fElseBlock && caller == fElseBlock)
        return stepIntoBody(done);
    if (fElseBlock && fEndBlock && caller == fEndBlock && elsevisible()) {
        TKeloBlock *next = fElseBlock->firstBlock();
        *done = next == nullptr;
        return next ? next : fElseBlock;
    }
    return TKeloControlBlock::lastStep(caller, done);
}

void TKeloControlElseBlock::parentChanged()
{
    TKeloControlBlock::parentChanged();
    Elsebut.visible = !fPrototype;
    if (fElseBlock) {
        fElseBlock->SetSameParentAs(this);
    }
}

void TKeloControlElseBlock::relayCompanions(bool onlyVisibleElse)
{
    // The else header first: the end block's place depends on it.
    if (fElseBlock && (!onlyVisibleElse || fElseBlock->Visible())) {
        if (fElseBlock->Left() != fLeft)
            fElseBlock->SetLeft(fLeft);
        else
            fElseBlock->relay();
    }
    TKeloControlBlock::relayCompanions(onlyVisibleElse);
}

void TKeloControlElseBlock::assignFrom(const TKeloBlock &source)
{
    TKeloControlBlock::assignFrom(source);
    Elsebut.visible = true;
    if (auto *c = dynamic_cast<const TKeloControlBlock *>(&source))
        SetIsSimple(c->IsSimple());
}

void TKeloControlElseBlock::collectOwned(std::vector<TKeloBlock *> &out) const
{
    TKeloControlBlock::collectOwned(out);
    out.push_back(fElseBlock);
}

void TKeloControlElseBlock::clearReferencesTo(const QSet<TKeloBlock *> &doomed)
{
    TKeloControlBlock::clearReferencesTo(doomed);
    if (fElseBlock && doomed.contains(fElseBlock))
        fElseBlock = nullptr;
}

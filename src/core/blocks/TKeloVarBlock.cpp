#include "blocks/TKeloVarBlock.h"

#include "blocks/Workspace.h"
#include "variables/TArduVariables.h"

using namespace Qt::StringLiterals;

TKeloVarBlock::TKeloVarBlock(Workspace *owner) : TKeloBlock(owner)
{
    Tag = ValueTag;
    topNose = false;
    botNose = false;
    marginTop = 0;
    BuildOutline();
}

void TKeloVarBlock::createDeleteBox()
{
    fHasDelCbox = true;
    marginLeft = 24;
    marginTop = 0;
}

void TKeloVarBlock::Setprototype(bool v)
{
    TKeloBlock::Setprototype(v);
    if (!v && fHasDelCbox) {
        fHasDelCbox = false;
        fToDelete = false;
        marginLeft = 3;
    }
}

TKeloBlock *TKeloVarBlock::createNewBlock() const
{
    if (!fOwner)
        return nullptr;
    auto *b = fOwner->createFloat<TKeloVarBlock>();
    b->SetHeight(b->Height() - 2);
    return b;
}

void TKeloVarBlock::assignFrom(const TKeloBlock &source)
{
    TKeloBlock::assignFrom(source);
    SetHeight(Height() - 2);
}

QString TKeloVarBlock::GetArduinoCommand(int idnt)
{
    if (fDeviceOnlyCommandID != -1)
        return TKeloBlock::GetArduinoCommand(idnt);
    const TArduVariables *vars = fOwner ? fOwner->services().variables : nullptr;
    return vars ? vars->GetRealVarName(ArduCmd) : u"NoVAR"_s;
}

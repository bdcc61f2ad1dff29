#include "project/ProgramBuilder.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "project/Project.h"

TKeloBlock *ProgramBuilder::prototype(const QString &commandText) const
{
    for (TKeloBlock *b : fProject.workspace().components())
        if (b->prototype() && b->CommandText() == commandText)
            return b;
    return nullptr;
}

TKeloBlock *ProgramBuilder::place(const QString &commandText)
{
    return place(prototype(commandText));
}

TKeloBlock *ProgramBuilder::place(TKeloBlock *proto)
{
    if (!proto)
        return nullptr;
    TKeloBlock *copy = proto->createNewBlock();
    copy->assignFrom(*proto);
    copy->SetNewlyCreated(false);
    copy->SetParent(&fProject.workspace().canvas());
    copy->SetEnabled(proto->Enabled());
    return copy;
}

TKeloBlock *ProgramBuilder::placeVariable(const QString &name)
{
    Workspace &ws = fProject.workspace();
    const TArduVar *var = fProject.variables().GetVarByName(name);
    auto *proto = ws.create<TKeloVarBlock>();
    proto->SetColor(TKeloVarBlock::VariableColor);
    proto->SetCommandText(name);
    proto->ArduCmd = name;
    proto->param1question = name;
    proto->CommndID = var ? var->VarID : -1;
    proto->CommandColor = KeloColor::White;
    proto->SetTotalParams(1);
    TKeloBlock *copy = place(proto);
    ws.destroyBlock(proto);
    return copy;
}

TKeloBlock *ProgramBuilder::below(TKeloBlock *anchor, TKeloBlock *b)
{
    b->Attach(anchor, false);
    if (fLayout) {
        // What a drop does: the new block and everything above it re-align, which
        // also re-lays the end blocks of the containers around it.
        b->FollowLinkFrom(nullptr);
        anchor->ChainChanged();
    }
    return b;
}

TKeloBlock *ProgramBuilder::intoBody(TKeloContainerBlock *container, TKeloBlock *b)
{
    TKeloBlock *anchor = container;
    if (container->firstBlock())
        anchor = container->firstBlock()->getLastKeloBlock(container->EndBlock());
    return below(anchor, b);
}

TKeloBlock *ProgramBuilder::intoElse(TKeloControlElseBlock *condition, TKeloBlock *b)
{
    if (!condition->elsevisible())
        condition->ElsebutClick(true, fProject.prompt());
    TKeloBlock *anchor = condition->ElseBlock();
    if (anchor->firstBlock())
        anchor = anchor->firstBlock()->getLastKeloBlock(condition->EndBlock());
    return below(anchor, b);
}

TKeloBlock *ProgramBuilder::after(TKeloContainerBlock *container, TKeloBlock *b)
{
    return below(container->EndBlock(), b);
}

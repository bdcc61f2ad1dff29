#include "variables/VariablePrototypes.h"

#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "variables/TArduVariables.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace VariablePrototypes {

QString panelName()
{
    return u"VarPanel"_s;
}

BlockArea *panel(Workspace &ws)
{
    BlockArea *p = ws.panel(panelName());
    return p ? p : ws.addPanel(panelName());
}

static bool isVariablePrototype(const TKeloBlock *b)
{
    auto *v = dynamic_cast<const TKeloVarBlock *>(b);
    return v && v->hasDeleteBox();
}

TKeloVarBlock *add(Workspace &ws, TArduVariables &vars, const QString &name, bool createVariable)
{
    BlockArea *area = panel(ws);
    int lowest = 40;
    for (const TKeloBlock *b : area->children())
        lowest = std::max(lowest, b->Top() + b->Height());
    auto *block = ws.create<TKeloVarBlock>();
    block->createDeleteBox();
    block->SetVisible(false);
    block->SetParent(area);
    block->SetColor(TKeloVarBlock::VariableColor);
    block->SetCommandText(name);
    block->ArduCmd = name;
    block->param1question = name;
    const TArduVar *v = createVariable ? vars.Newvar(name) : vars.GetVarByName(name);
    block->CommndID = v ? v->VarID : -1;
    block->CommandColor = KeloColor::White;
    block->SetTotalParams(1);
    block->SetBounds(10, 10 + lowest, block->Width(), block->Height());
    block->SetVisible(true);
    return block;
}

void deleteTicked(Workspace &ws, TArduVariables &vars)
{
    BlockArea *area = panel(ws);
    const std::vector<TKeloBlock *> protos(area->children().begin(), area->children().end());
    for (auto it = protos.rbegin(); it != protos.rend(); ++it) {
        auto *proto = dynamic_cast<TKeloVarBlock *>(*it);
        if (!proto || !proto->hasDeleteBox() || !proto->ToDelete())
            continue;
        const QString n = proto->param1question;
        vars.DeleteVar(n);
        const int top = proto->Top();
        const std::vector<TKeloBlock *> kids(ws.canvas().children().begin(), ws.canvas().children().end());
        for (auto k = kids.rbegin(); k != kids.rend(); ++k) {
            TKeloBlock *b = *k;
            if (dynamic_cast<TKeloVarBlock *>(b) && b->DeviceOnlyCommandID() == -1
                && TArduVariables::SameVarName(b->param1question, n)) {
                if (TKeloBlock *pred = b->LinkFrom())
                    b->Detach(pred);
                ws.destroyBlock(b);
                continue;
            }
            for (int slot = 1; slot <= 2; ++slot) {
                TKeloBlock *v = slot == 1 ? b->VarParam1() : b->VarParam2();
                if (v && v->DeviceOnlyCommandID() == -1 && TArduVariables::SameVarName(v->param1question, n)) {
                    if (slot == 1)
                        b->SetVarParam1(nullptr);
                    else
                        b->SetVarParam2(nullptr);
                    ws.destroyBlock(v);
                }
            }
        }
        ws.destroyBlock(proto);
        for (TKeloBlock *other : area->children())
            if (isVariablePrototype(other) && other->Top() > top)
                other->SetTop(other->Top() - (other->Height() + 10));
    }
}

void clear(Workspace &ws, TArduVariables &vars)
{
    for (TKeloBlock *b : panel(ws)->children())
        if (auto *v = dynamic_cast<TKeloVarBlock *>(b); v && v->hasDeleteBox())
            v->SetToDelete(true);
    deleteTicked(ws, vars);
}

void recreate(Workspace &ws, TArduVariables &vars)
{
    for (int i = 0; i < vars.count(); ++i)
        add(ws, vars, vars.GetArduVar(i)->VarName, false);
}

} // namespace VariablePrototypes

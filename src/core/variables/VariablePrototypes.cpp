#include "variables/VariablePrototypes.h"

#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "variables/TArduVariables.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

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

static int lowestOnPanel(const BlockArea *area)
{
    int lowest = 40;
    for (const TKeloBlock *b : area->children())
        lowest = std::max(lowest, b->Top() + b->Height());
    return lowest;
}

// A prototype 10 pixels below lowest.
static TKeloVarBlock *place(Workspace &ws, TArduVariables &vars, const QString &name, bool createVariable,
                            int lowest)
{
    BlockArea *area = panel(ws);
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

TKeloVarBlock *add(Workspace &ws, TArduVariables &vars, const QString &name, bool createVariable)
{
    return place(ws, vars, name, createVariable, lowestOnPanel(panel(ws)));
}

// The key under which names are equal for the variable table: a–z and A–Z are one.
static QString nameKey(const QString &name)
{
    QString key = name;
    for (QChar &c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return key;
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
    // What ticking every prototype and deleting gives, in one pass over the canvas and
    // one notification, so that a project of many variables is closed in linear time.
    std::vector<TKeloBlock *> protos;
    QStringList names;
    QSet<QString> keys;
    for (TKeloBlock *b : panel(ws)->children()) {
        if (isVariablePrototype(b)) {
            protos.push_back(b);
            names.prepend(b->param1question);  // the last first, as deleteTicked goes
            keys.insert(nameKey(b->param1question));
        }
    }
    vars.DeleteVars(names);
    auto named = [&keys](const TKeloBlock *b) {
        return b && b->DeviceOnlyCommandID() == -1 && keys.contains(nameKey(b->param1question));
    };
    std::vector<TKeloBlock *> doomed;
    const std::vector<TKeloBlock *> kids(ws.canvas().children().begin(), ws.canvas().children().end());
    for (auto k = kids.rbegin(); k != kids.rend(); ++k) {
        TKeloBlock *b = *k;
        if (dynamic_cast<TKeloVarBlock *>(b) && named(b)) {
            if (TKeloBlock *pred = b->LinkFrom())
                b->Detach(pred);
            doomed.push_back(b);
            continue;
        }
        for (int slot = 1; slot <= 2; ++slot) {
            TKeloBlock *v = slot == 1 ? b->VarParam1() : b->VarParam2();
            if (named(v)) {
                if (slot == 1)
                    b->SetVarParam1(nullptr);
                else
                    b->SetVarParam2(nullptr);
                doomed.push_back(v);
            }
        }
    }
    doomed.insert(doomed.end(), protos.begin(), protos.end());
    ws.destroyBlocks(doomed);
}

void recreate(Workspace &ws, TArduVariables &vars)
{
    // Each new prototype is the lowest on the panel: the next goes below it, without
    // looking through the panel again.
    int lowest = lowestOnPanel(panel(ws));
    for (int i = 0; i < vars.count(); ++i) {
        const TKeloVarBlock *b = place(ws, vars, vars.GetArduVar(i)->VarName, false, lowest);
        lowest = std::max(lowest, b->Top() + b->Height());
    }
}

} // namespace VariablePrototypes

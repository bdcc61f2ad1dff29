#include "blocks/TKeloCommandVarBlock.h"

#include "blocks/Workspace.h"
#include "util/TextMeasurer.h"
#include "variables/TArduVariables.h"

#include <algorithm>

using namespace Qt::StringLiterals;

TKeloCommandVarBlock::TKeloCommandVarBlock(Workspace *owner) : TKeloBlock(owner)
{
    fTotalParams = 2;
    varCombo.rect = QRect(0, 0, 40, 18);
}

TKeloBlock *TKeloCommandVarBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloCommandVarBlock>() : nullptr;
}

static const TArduVariables *variablesOf(const Workspace *owner)
{
    return owner ? owner->services().variables : nullptr;
}

void TKeloCommandVarBlock::FillVarCombo()
{
    if (fPrototype || beingLoaded())
        return;
    const TArduVariables *vars = variablesOf(fOwner);
    const int keep = varCombo.itemIndex;
    varCombo.items.clear();
    varCombo.data.clear();
    const TextMeasurer *m = fOwner ? fOwner->services().measurer : nullptr;
    int widest = 0;
    for (int i = 0; vars && i < vars->count(); ++i) {
        const QString name = vars->GetArduVar(i)->VarName;
        varCombo.items.append(name);
        if (m)
            widest = std::max(widest, m->textWidth(name + u"00"_s, BlockFont::VarList));
    }
    varCombo.rect.setWidth(widest + 48);
    varCombo.itemIndex = keep >= 0 && keep < varCombo.count() ? keep : -1;
    if (varCombo.text.isEmpty() && varCombo.itemIndex >= 0)
        varCombo.text = varCombo.items.at(varCombo.itemIndex);
    else if (varCombo.itemIndex < 0 && !varCombo.text.isEmpty())
        varCombo.text.clear();
}

QString TKeloCommandVarBlock::GetParam2Text() const
{
    const TArduVariables *vars = variablesOf(fOwner);
    const TArduVar *v = vars ? vars->GetVarByID(GetParam2()) : nullptr;
    return v ? v->VarName : QString();
}

void TKeloCommandVarBlock::VarComboChange(int index)
{
    varCombo.select(index);
    int id = -1;
    if (varCombo.itemIndex >= 0)
        if (const TArduVariables *vars = variablesOf(fOwner))
            if (const TArduVar *v = vars->GetVarByName(varCombo.items.at(varCombo.itemIndex)))
                id = v->VarID;
    SetParam2(id);
}

int TKeloCommandVarBlock::GetParam2() const
{
    const TArduVariables *vars = variablesOf(fOwner);
    if (!vars || beingLoaded() || varCombo.itemIndex < 0 || varCombo.itemIndex >= varCombo.count())
        return -1;
    const TArduVar *v = vars->GetVarByName(varCombo.items.at(varCombo.itemIndex));
    return v ? v->VarID : -1;
}

void TKeloCommandVarBlock::SetParam2(int v)
{
    fParam2 = v;
    if (beingLoaded())
        return;
    UpdateWidth();
    if (varCombo.count() > 0) {
        const TArduVariables *vars = variablesOf(fOwner);
        const TArduVar *var = vars ? vars->GetVarByID(v) : nullptr;
        varCombo.select(var ? varCombo.indexOf(var->VarName) : -1);
        if (varCombo.itemIndex < 0)
            varCombo.text.clear();
    }
}

void TKeloCommandVarBlock::parentChanged()
{
    TKeloBlock::parentChanged();
    FillVarCombo();
    SetParam2(fParam2);
}

void TKeloCommandVarBlock::finishLoading()
{
    TKeloBlock::finishLoading();
    FillVarCombo();
    SetParam2(fParam2);
}

void TKeloCommandVarBlock::onVarsChanged()
{
    FillVarCombo();
}

int TKeloCommandVarBlock::PlaceParam2(int x, int y)
{
    if (fPrototype) {
        drawText(x, y, varCombo.text, KeloColor::rgb(0, 255, 255));
        return x + measure(varCombo.text);
    }
    varCombo.rect.moveTo(x, y - 3);
    varCombo.visible = true;
    return varCombo.rect.left() + varCombo.rect.width();
}

QString TKeloCommandVarBlock::GetArduinoCommand(int idnt)
{
    if (fArduinoCommand.isEmpty())
        fArduinoCommand = ArduCmd;
    const TArduVariables *vars = variablesOf(fOwner);
    auto identifierOf = [vars](int id) {
        const TArduVar *v = vars ? vars->GetVarByID(id) : nullptr;
        return v ? vars->GetRealVarName(v->VarName) : u"NoVAR"_s;
    };
    if (fArduinoCommand.contains(u"%v1"_s))
        fArduinoCommand.replace(u"%v1"_s, identifierOf(GetParam1()));
    if (fArduinoCommand.contains(u"%v2"_s))
        fArduinoCommand.replace(u"%v2"_s, identifierOf(GetParam2()));
    return TKeloBlock::GetArduinoCommand(idnt);
}

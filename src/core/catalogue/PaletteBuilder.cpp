#include "catalogue/PaletteBuilder.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "catalogue/Catalogue.h"

void PaletteBuilder::build(Workspace &workspace)
{
    for (const PanelSpec &panel : paletteBuildOrder())
        buildPanel(workspace, panel);
}

BlockArea *PaletteBuilder::buildPanel(Workspace &workspace, const PanelSpec &panelDef)
{
    BlockArea *area = workspace.panel(panelDef.component);
    if (!area)
        area = workspace.addPanel(panelDef.component);
    for (const PrototypeSpec &p : panelDef.prototypes)
        createPrototype(workspace, area, p, panelDef.baseColor);
    if (!panelDef.fillsGroup)
        area->clientHeight = panelHeight(panelDef);
    return area;
}

static TKeloBlock *newBlockOfKind(Workspace &ws, ProtoKind kind)
{
    switch (kind) {
    case ProtoKind::Loop: return ws.create<TKeloLoopBlock>();
    case ProtoKind::Condition: return ws.create<TKeloControlElseBlock>();
    case ProtoKind::VarCommand: return ws.create<TKeloCommandVarBlock>();
    case ProtoKind::Value: return ws.create<TKeloVarBlock>();
    case ProtoKind::Command: break;
    }
    return ws.create<TKeloBlock>();
}

TKeloBlock *PaletteBuilder::createPrototype(Workspace &workspace, BlockArea *panel, const PrototypeSpec &p,
                                            TColor baseColor)
{
    TKeloBlock *b = newBlockOfKind(workspace, p.kind);
    b->topNose = p.topNose;
    b->botNose = p.botNose;
    b->BuildOutline();
    b->SetParent(panel);
    b->SetColor(baseColor);
    b->CommandColor = p.CommandColor;
    b->SetBounds(p.Left, p.Top, b->Width(), b->Height());
    b->CommndID = p.CommndID;
    if (p.TotalParams >= 0)
        b->SetTotalParams(p.TotalParams);
    b->param1question = p.param1question;
    b->param1prompt = p.param1prompt;
    b->param2question = p.param2question;
    b->param2prompt = p.param2prompt;
    b->ArduCmd = p.ArduCmd;
    if (auto *c = dynamic_cast<TKeloContainerBlock *>(b); c && !p.EndBlockText.isEmpty())
        c->EndBlockText = p.EndBlockText;
    if (auto *c = dynamic_cast<TKeloControlBlock *>(b); c && p.IsSimple)
        c->SetIsSimple(*p.IsSimple);
    if (p.Param1)
        b->SetParam1(*p.Param1);
    if (!p.ParamStr.isEmpty())
        b->SetParamStr(p.ParamStr);
    if (const auto p2 = p.param2Value())
        b->SetParam2(*p2);
    b->SetCommandText(p.CommandText);
    b->SetMyHint(p.MyHint);
    if (p.DeviceOnlyCommandID != -1)
        b->SetDeviceOnlyCommandID(p.DeviceOnlyCommandID);
    return b;
}

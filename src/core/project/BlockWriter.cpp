#include "project/BlockWriter.h"

#include "blocks/TKeloCompanionBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/Workspace.h"
#include "project/ObjectTextWriter.h"

using namespace Qt::StringLiterals;

namespace BlockWriter {

static void writeNonEmpty(ObjectTextWriter &out, const QString &prop, const QString &value)
{
    if (!value.isEmpty())
        out.writeString(prop, value);
}

static void writeLink(ObjectTextWriter &out, const QString &prop, const TKeloBlock *target)
{
    if (target) {
        out.writeReference(prop, target->Name());
        out.writeString(prop + u"Name"_s, target->Name());
    }
}

void WriteBlockText(const TKeloBlock &b, ObjectTextWriter &out)
{
    out.beginObject(b.Name(), b.className());
    if (b.Tag != 0)
        out.writeInteger(u"Tag"_s, b.Tag);
    out.writeInteger(u"Left"_s, b.Left());
    out.writeInteger(u"Top"_s, b.Top());
    out.writeInteger(u"Width"_s, b.restingWidth());
    out.writeInteger(u"Height"_s, b.Height());
    writeNonEmpty(out, u"Hint"_s, b.Hint());
    out.writeMargins(b.marginLeft, b.marginTop, b.marginRight, b.marginBottom);
    out.writeColor(u"Color"_s, b.Color());
    out.writeBool(u"Param1Attaching"_s, b.Param1Attaching);
    out.writeBool(u"Param2Attaching"_s, b.Param2Attaching);
    out.writeBool(u"CtrlAttachUp"_s, b.CtrlAttachUp);
    out.writeBool(u"CtrlAttachDn"_s, b.CtrlAttachDn);
    writeNonEmpty(out, u"CommandText"_s, b.CommandText());
    out.writeBool(u"NewlyCreated"_s, b.NewlyCreated());
    out.writeInteger(u"CommndID"_s, b.CommndID);
    out.writeInteger(u"Param1"_s, b.GetParam1());
    out.writeInteger(u"Param2"_s, b.GetParam2());
    writeNonEmpty(out, u"ParamStr"_s, b.ParamStr());
    writeNonEmpty(out, u"ParamD"_s, b.ParamD());
    out.writeInteger(u"PDevice"_s, b.PDevice());
    out.writeBool(u"topNose"_s, b.topNose);
    out.writeBool(u"botNose"_s, b.botNose);
    if (const TKeloBlock *next = b.GetLinkTo())
        out.writeReference(u"LinkTo"_s, next->Name());
    if (const TKeloBlock *prev = b.LinkFrom())
        out.writeReference(u"LinkFrom"_s, prev->Name());
    out.writeInteger(u"TotalParams"_s, b.TotalParams());
    writeNonEmpty(out, u"param1question"_s, b.param1question);
    writeNonEmpty(out, u"param1prompt"_s, b.param1prompt);
    writeNonEmpty(out, u"param2question"_s, b.param2question);
    writeNonEmpty(out, u"param2prompt"_s, b.param2prompt);
    out.writeInteger(u"Id"_s, b.Id);
    out.writeColor(u"BorderColor"_s, b.BorderColor);
    out.writeColor(u"CommandColor"_s, b.CommandColor);
    writeNonEmpty(out, u"LinkToName"_s, b.LinkToName());
    writeNonEmpty(out, u"LinkFromName"_s, b.LinkFromName());
    writeNonEmpty(out, u"MyHint"_s, b.MyHint());
    out.writeBool(u"prototype"_s, b.prototype());
    out.writeInteger(u"DeviceOnlyCommandID"_s, b.DeviceOnlyCommandID());
    writeLink(out, u"VarParam1"_s, b.VarParam1());
    writeLink(out, u"VarParam2"_s, b.VarParam2());
    writeNonEmpty(out, u"ArduCmd"_s, b.ArduCmd);
    writeNonEmpty(out, u"ArduCheck"_s, b.ArduCheck);
    if (auto *c = dynamic_cast<const TKeloContainerBlock *>(&b))
        writeLink(out, u"EndBlock"_s, c->EndBlock());
    if (auto *c = dynamic_cast<const TKeloControlBlock *>(&b)) {
        out.writeBool(u"IsSimple"_s, c->IsSimple());
        out.writeBool(u"isMale"_s, c->isMale());
    }
    if (auto *c = dynamic_cast<const TKeloControlElseBlock *>(&b)) {
        writeLink(out, u"ElseBlock"_s, c->ElseBlock());
        out.writeBool(u"Elsebutchecked"_s, c->Elsebutchecked());
    }
    if (auto *e = dynamic_cast<const TKeloCompanionBlock *>(&b))
        writeLink(out, u"ContainerBlock"_s, e->ContainerBlock());
    out.endObject();
}

QByteArray writeProgram(const Workspace &workspace)
{
    ObjectTextWriter out;
    for (const TKeloBlock *b : workspace.components())
        if (!b->prototype())
            WriteBlockText(*b, out);
    return out.data();
}

} // namespace BlockWriter

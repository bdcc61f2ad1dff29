#include "project/BlockReader.h"

#include "blocks/KeloError.h"
#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "project/ObjectTextReader.h"
#include "project/ObjectTextWriter.h"
#include "util/DebugLog.h"

#include <QFile>
#include <functional>

using namespace Qt::StringLiterals;

namespace BlockReader {

TKeloBlock *createBlockOfClass(const QString &cls)
{
    const QString c = cls.toLower();
    if (c == u"tkeloblock"_s)
        return new TKeloBlock(nullptr);
    if (c == u"tkelocontainerblock"_s)
        return new TKeloContainerBlock(nullptr);
    if (c == u"tkeloloopblock"_s)
        return new TKeloLoopBlock(nullptr);
    if (c == u"tkelocontrolblock"_s)
        return new TKeloControlBlock(nullptr);
    if (c == u"tkelocontrolelseblock"_s)
        return new TKeloControlElseBlock(nullptr);
    if (c == u"tkelocontainerblockend"_s)
        return new TKeloContainerBlockEnd(nullptr);
    if (c == u"tkelocontrolblockelse"_s)
        return new TKeloControlBlockELSE(nullptr);
    if (c == u"tkelovarblock"_s)
        return new TKeloVarBlock(nullptr);
    if (c == u"tkelocommandvarblock"_s)
        return new TKeloCommandVarBlock(nullptr);
    return nullptr;
}

static bool isReference(const QString &lower)
{
    static const QStringList refs{u"linkto"_s, u"linkfrom"_s, u"varparam1"_s, u"varparam2"_s,
                                  u"endblock"_s, u"elseblock"_s, u"containerblock"_s};
    return refs.contains(lower);
}

bool applyProperty(TKeloBlock &b, const QString &name, const ObjectTextValue &value, QString *reason)
{
    const QString p = name.toLower();
    bool ok = true;
    auto integer = [&](const std::function<void(int)> &set) {
        const qint64 v = value.toInt(&ok);
        if (ok && (v < INT_MIN || v > INT_MAX))
            ok = false;
        if (ok)
            set(int(v));
        else
            *reason = u"Invalid property value"_s;
        return ok;
    };
    auto boolean = [&](const std::function<void(bool)> &set) {
        const bool v = value.toBool(&ok);
        if (ok)
            set(v);
        else
            *reason = u"Invalid property value"_s;
        return ok;
    };
    auto text = [&](const std::function<void(const QString &)> &set) {
        const QString v = value.toString(&ok);
        if (ok)
            set(v);
        else
            *reason = u"Invalid property value"_s;
        return ok;
    };
    auto colour = [&](const std::function<void(TColor)> &set) {
        const TColor v = value.toColor(&ok);
        if (ok)
            set(v);
        else
            *reason = u"Invalid property value"_s;
        return ok;
    };
    auto *container = dynamic_cast<TKeloContainerBlock *>(&b);
    auto *control = dynamic_cast<TKeloControlBlock *>(&b);
    auto *withElse = dynamic_cast<TKeloControlElseBlock *>(&b);
    auto *companion = dynamic_cast<TKeloCompanionBlock *>(&b);

    if (p == u"tag"_s) return integer([&](int v) { b.Tag = v; });
    if (p == u"left"_s) return integer([&](int v) { b.SetLeft(v); });
    if (p == u"top"_s) return integer([&](int v) { b.SetTop(v); });
    if (p == u"width"_s) return integer([&](int v) { b.SetWidth(v); });
    if (p == u"height"_s) return integer([&](int v) { b.SetHeight(v); });
    if (p == u"hint"_s) return text([&](const QString &v) { b.SetHint(v); });
    if (p == u"margins.left"_s) return integer([&](int v) { b.marginLeft = v; });
    if (p == u"margins.top"_s) return integer([&](int v) { b.marginTop = v; });
    if (p == u"margins.right"_s) return integer([&](int v) { b.marginRight = v; });
    if (p == u"margins.bottom"_s) return integer([&](int v) { b.marginBottom = v; });
    if (p == u"color"_s) return colour([&](TColor v) { b.SetColor(v); });
    if (p == u"param1attaching"_s) return boolean([&](bool v) { b.Param1Attaching = v; });
    if (p == u"param2attaching"_s) return boolean([&](bool v) { b.Param2Attaching = v; });
    if (p == u"ctrlattachup"_s) return boolean([&](bool v) { b.CtrlAttachUp = v; });
    if (p == u"ctrlattachdn"_s) return boolean([&](bool v) { b.CtrlAttachDn = v; });
    if (p == u"commandtext"_s) return text([&](const QString &v) { b.SetCommandText(v); });
    if (p == u"newlycreated"_s) return boolean([&](bool v) { b.SetNewlyCreated(v); });
    if (p == u"commndid"_s) return integer([&](int v) { b.CommndID = v; });
    if (p == u"param1"_s) return integer([&](int v) { b.SetParam1(v); });
    if (p == u"param2"_s) return integer([&](int v) { b.SetParam2(v); });
    if (p == u"paramstr"_s) return text([&](const QString &v) { b.SetParamStr(v); });
    if (p == u"paramd"_s) return text([&](const QString &v) { b.SetParamD(v); });
    if (p == u"pdevice"_s) return integer([&](int v) { b.SetPDevice(v); });
    if (p == u"topnose"_s) return boolean([&](bool v) { b.topNose = v; });
    if (p == u"botnose"_s) return boolean([&](bool v) { b.botNose = v; });
    if (p == u"totalparams"_s) return integer([&](int v) { b.SetTotalParams(v); });
    if (p == u"param1question"_s) return text([&](const QString &v) { b.param1question = v; });
    if (p == u"param1prompt"_s) return text([&](const QString &v) { b.param1prompt = v; });
    if (p == u"param2question"_s) return text([&](const QString &v) { b.param2question = v; });
    if (p == u"param2prompt"_s) return text([&](const QString &v) { b.param2prompt = v; });
    if (p == u"id"_s) return integer([&](int v) { b.Id = v; });
    if (p == u"bordercolor"_s) return colour([&](TColor v) { b.BorderColor = v; });
    if (p == u"commandcolor"_s) return colour([&](TColor v) { b.CommandColor = v; });
    if (p == u"linktoname"_s) return text([&](const QString &v) { b.SetLinkToName(v); });
    if (p == u"linkfromname"_s) return text([&](const QString &v) { b.SetLinkFromName(v); });
    if (p == u"myhint"_s) return text([&](const QString &v) { b.SetMyHint(v); });
    if (p == u"prototype"_s) return boolean([&](bool v) { b.Setprototype(v); });
    if (p == u"deviceonlycommandid"_s) return integer([&](int v) { b.SetDeviceOnlyCommandID(v); });
    if (p == u"varparam1name"_s) return text([&](const QString &v) { b.SetVarParam1Name(v); });
    if (p == u"varparam2name"_s) return text([&](const QString &v) { b.SetVarParam2Name(v); });
    if (p == u"arducmd"_s) return text([&](const QString &v) { b.ArduCmd = v; });
    if (p == u"arducheck"_s) return text([&](const QString &v) { b.ArduCheck = v; });
    if (container && p == u"endblockname"_s) return text([&](const QString &v) { container->SetEndBlockName(v); });
    if (control && p == u"issimple"_s) return boolean([&](bool v) { control->SetIsSimple(v); });
    if (control && p == u"ismale"_s) return boolean([&](bool v) { control->SetisMale(v); });
    if (withElse && p == u"elseblockname"_s) return text([&](const QString &v) { withElse->SetElseBlockName(v); });
    if (withElse && p == u"elsebutchecked"_s) return boolean([&](bool v) { withElse->SetElsebutchecked(v); });
    if (companion && p == u"containerblockname"_s)
        return text([&](const QString &v) { companion->SetContainerBlockName(v); });
    *reason = u"Property "_s + name + u" does not exist"_s;
    return false;
}

// Gives a reference property its block (or none) through the setter.
static bool applyReference(TKeloBlock &b, const QString &lower, TKeloBlock *target, QString *reason)
{
    auto *container = dynamic_cast<TKeloContainerBlock *>(&b);
    auto *withElse = dynamic_cast<TKeloControlElseBlock *>(&b);
    auto *companion = dynamic_cast<TKeloCompanionBlock *>(&b);
    try {
        if (lower == u"linkto"_s) {
            // A container's LinkTo names its end block; its body comes from LinkToName.
            if (!container)
                b.SetLinkTo(target);
        } else if (lower == u"linkfrom"_s) {
            b.SetLinkFrom(target);
        } else if (lower == u"varparam1"_s) {
            if (target)
                b.SetVarParam1(target);
        } else if (lower == u"varparam2"_s) {
            if (target)
                b.SetVarParam2(target);
        } else if (lower == u"endblock"_s && container) {
            container->SetEndBlock(dynamic_cast<TKeloContainerBlockEnd *>(target));
        } else if (lower == u"elseblock"_s && withElse) {
            withElse->SetElseBlock(dynamic_cast<TKeloControlBlockELSE *>(target));
        } else if (lower == u"containerblock"_s && companion) {
            companion->SetContainerBlock(dynamic_cast<TKeloContainerBlock *>(target));
        } else {
            *reason = u"Invalid property value"_s;
            return false;
        }
    } catch (const KeloError &e) {
        *reason = e.message();
        return false;
    }
    return true;
}

static QString referencedName(const ObjectTextValue &value)
{
    QString t = value.kind() == ObjectTextValue::Kind::String ? value.toString() : value.text();
    const QString prefix = ObjectTextWriter::ReferenceOwner + u'.';
    if (t.startsWith(prefix, Qt::CaseInsensitive))
        t = t.mid(prefix.size());
    return t;
}

Result LoadProgramText(Workspace &ws, const QByteArray &data, DebugLog *log)
{
    auto debug = [log](const QString &line) {
        if (log)
            log->AddDebug(line);
    };
    Result result;
    ws.FreePlacedBlocks();
    const ObjectTextParseResult parsed = ObjectTextReader::parse(data);
    ws.setLoadingProgram(true);

    for (const ObjectTextObject &obj : parsed.objects) {
        TKeloBlock *b = createBlockOfClass(obj.className);
        if (!b) {
            result.error = u"Class "_s + obj.className + u" is not a block class (line "_s
                           + QString::number(obj.line) + u')';
            break;
        }
        if (obj.name.isEmpty() || ws.nameInUse(obj.name)) {
            delete b;
            result.error = u"A component named "_s + obj.name + u" already exists (line "_s
                           + QString::number(obj.line) + u')';
            break;
        }
        b->SetName(obj.name);
        b->beginReading();
        QList<const ObjectTextProperty *> references;
        for (const ObjectTextProperty &prop : obj.properties) {
            if (isReference(prop.name.toLower())) {
                references.append(&prop);
                continue;
            }
            QString reason;
            if (!applyProperty(*b, prop.name, prop.value, &reason))
                debug(u"Error reading "_s + obj.name + u'.' + prop.name + u": "_s + reason);
        }
        b->BuildOutline();
        b->Loaded();
        b->endReading();
        for (const ObjectTextProperty *prop : references) {
            QString reason;
            TKeloBlock *target = ws.findBlock(referencedName(prop->value));
            if (!applyReference(*b, prop->name.toLower(), target, &reason))
                debug(u"Error reading "_s + obj.name + u'.' + prop->name + u": "_s + reason);
        }
        b->adoptOwner(&ws);
        b->SetParent(&ws.canvas());
        b->Loaded();
        ++result.blocksRead;
    }
    if (result.error.isEmpty() && !parsed.ok)
        result.error = parsed.error;
    result.ok = result.error.isEmpty();

    if (result.ok) {
        const std::vector<TKeloBlock *> all(ws.components().begin(), ws.components().end());
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            TKeloBlock *b = *it;
            if (b->prototype())
                continue;
            b->SetLinkToName(b->storedLinkToName);
            b->SetLinkFromName(b->storedLinkFromName);
            try {
                b->SetVarParam1Name(b->storedVarParam1Name);
                b->SetVarParam2Name(b->storedVarParam2Name);
            } catch (const KeloError &e) {
                debug(u"Error reading "_s + b->Name() + u".VarParam: "_s + e.message());
            }
            if (auto *end = dynamic_cast<TKeloContainerBlockEnd *>(b); end && end->ContainerBlock())
                end->ContainerBlock()->SetEndBlock(end);
            if (auto *header = dynamic_cast<TKeloControlBlockELSE *>(b); header && header->ContainerBlock())
                if (auto *cond = dynamic_cast<TKeloControlElseBlock *>(header->ContainerBlock()))
                    cond->SetElseBlock(header);
        }
    }
    for (TKeloBlock *b : ws.components())
        if (!b->prototype())
            b->finishLoading();
    ws.setLoadingProgram(false);
    return result;
}

Result LoadProgramFile(Workspace &ws, const QString &fileName, DebugLog *log)
{
    QFile f(fileName);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly)) {
        Result r;
        r.ok = false;
        r.error = f.errorString();
        return r;
    }
    return LoadProgramText(ws, f.readAll(), log);
}

} // namespace BlockReader

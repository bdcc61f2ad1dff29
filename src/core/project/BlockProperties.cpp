#include "project/BlockProperties.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "project/ObjectTextHandler.h"
#include "util/StringPool.h"

#include <climits>
#include <string_view>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace BlockProperties {

Id idOf(const ObjectTextSpan &name)
{
    static const std::unordered_map<std::string_view, Id> ids{
        {"tag", Id::Tag}, {"left", Id::Left}, {"top", Id::Top}, {"width", Id::Width},
        {"height", Id::Height}, {"hint", Id::Hint}, {"margins.left", Id::MarginsLeft},
        {"margins.top", Id::MarginsTop}, {"margins.right", Id::MarginsRight},
        {"margins.bottom", Id::MarginsBottom}, {"color", Id::Color},
        {"param1attaching", Id::Param1Attaching}, {"param2attaching", Id::Param2Attaching},
        {"ctrlattachup", Id::CtrlAttachUp}, {"ctrlattachdn", Id::CtrlAttachDn},
        {"commandtext", Id::CommandText}, {"newlycreated", Id::NewlyCreated},
        {"commndid", Id::CommndID}, {"param1", Id::Param1}, {"param2", Id::Param2},
        {"paramstr", Id::ParamStr}, {"paramd", Id::ParamD}, {"pdevice", Id::PDevice},
        {"topnose", Id::TopNose}, {"botnose", Id::BotNose}, {"totalparams", Id::TotalParams},
        {"param1question", Id::Param1Question}, {"param1prompt", Id::Param1Prompt},
        {"param2question", Id::Param2Question}, {"param2prompt", Id::Param2Prompt},
        {"id", Id::BlockId}, {"bordercolor", Id::BorderColor}, {"commandcolor", Id::CommandColor},
        {"linktoname", Id::LinkToName}, {"linkfromname", Id::LinkFromName}, {"myhint", Id::MyHint},
        {"prototype", Id::Prototype}, {"deviceonlycommandid", Id::DeviceOnlyCommandID},
        {"varparam1name", Id::VarParam1Name}, {"varparam2name", Id::VarParam2Name},
        {"arducmd", Id::ArduCmd}, {"arducheck", Id::ArduCheck}, {"endblockname", Id::EndBlockName},
        {"issimple", Id::IsSimple}, {"ismale", Id::IsMale}, {"elseblockname", Id::ElseBlockName},
        {"elsebutchecked", Id::ElseButChecked}, {"containerblockname", Id::ContainerBlockName},
        {"linkto", Id::LinkTo}, {"linkfrom", Id::LinkFrom}, {"varparam1", Id::VarParam1},
        {"varparam2", Id::VarParam2}, {"endblock", Id::EndBlock}, {"elseblock", Id::ElseBlock},
        {"containerblock", Id::ContainerBlock},
    };
    char folded[32];
    const qsizetype n = name.bytes.size();
    if (n >= qsizetype(sizeof folded))
        return Id::Unknown;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = name.bytes[i];
        folded[i] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    const auto it = ids.find(std::string_view(folded, size_t(n)));
    return it == ids.end() ? Id::Unknown : it->second;
}

TKeloBlock *createBlockOfClass(const ObjectTextSpan &c)
{
    if (c.equalsIgnoringCase("TKeloBlock"_L1))
        return new TKeloBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloContainerBlock"_L1))
        return new TKeloContainerBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloLoopBlock"_L1))
        return new TKeloLoopBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloControlBlock"_L1))
        return new TKeloControlBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloControlElseBlock"_L1))
        return new TKeloControlElseBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloContainerBlockEnd"_L1))
        return new TKeloContainerBlockEnd(nullptr);
    if (c.equalsIgnoringCase("TKeloControlBlockELSE"_L1))
        return new TKeloControlBlockELSE(nullptr);
    if (c.equalsIgnoringCase("TKeloVarBlock"_L1))
        return new TKeloVarBlock(nullptr);
    if (c.equalsIgnoringCase("TKeloCommandVarBlock"_L1))
        return new TKeloCommandVarBlock(nullptr);
    return nullptr;
}

Kind::Kind(TKeloBlock *b)
    : container(dynamic_cast<TKeloContainerBlock *>(b)), control(dynamic_cast<TKeloControlBlock *>(b)),
      withElse(dynamic_cast<TKeloControlElseBlock *>(b)), companion(dynamic_cast<TKeloCompanionBlock *>(b))
{
}

bool apply(TKeloBlock &b, const Kind &kind, Id id, const ObjectTextValueView &value, StringPool &pool,
           QString *reason)
{
    bool ok = true;
    auto invalid = [&] {
        *reason = u"Invalid property value"_s;
        return false;
    };
    auto integer = [&](auto &&set) {
        const qint64 v = value.toInt(&ok);
        if (!ok || v < INT_MIN || v > INT_MAX)
            return invalid();
        set(int(v));
        return true;
    };
    auto boolean = [&](auto &&set) {
        const bool v = value.toBool(&ok);
        if (!ok)
            return invalid();
        set(v);
        return true;
    };
    auto text = [&](auto &&set) {
        if (value.kind != ObjectTextValue::Kind::String)
            return invalid();
        set(pool.intern(value.string));
        return true;
    };
    auto colour = [&](auto &&set) {
        const TColor v = value.toColor(&ok);
        if (!ok)
            return invalid();
        set(v);
        return true;
    };
    const bool container = kind.container != nullptr;
    auto *control = kind.control;
    auto *withElse = kind.withElse;
    const bool companion = kind.companion != nullptr;

    switch (id) {
    case Id::Tag: return integer([&](int v) { b.Tag = v; });
    // Places and sizes are kept within the range in which the layout's sums cannot
    // overflow.
    case Id::Left: return integer([&](int v) { b.SetLeft(TKeloBlock::clampedCoordinate(v)); });
    case Id::Top: return integer([&](int v) { b.SetTop(TKeloBlock::clampedCoordinate(v)); });
    case Id::Width: return integer([&](int v) { b.SetWidth(TKeloBlock::clampedCoordinate(v)); });
    case Id::Height: return integer([&](int v) { b.SetHeight(TKeloBlock::clampedCoordinate(v)); });
    case Id::Hint: return text([&](const QString &v) { b.SetHint(v); });
    case Id::MarginsLeft: return integer([&](int v) { b.marginLeft = TKeloBlock::clampedCoordinate(v); });
    case Id::MarginsTop: return integer([&](int v) { b.marginTop = TKeloBlock::clampedCoordinate(v); });
    case Id::MarginsRight: return integer([&](int v) { b.marginRight = TKeloBlock::clampedCoordinate(v); });
    case Id::MarginsBottom: return integer([&](int v) { b.marginBottom = TKeloBlock::clampedCoordinate(v); });
    case Id::Color: return colour([&](TColor v) { b.SetColor(v); });
    case Id::Param1Attaching: return boolean([&](bool v) { b.Param1Attaching = v; });
    case Id::Param2Attaching: return boolean([&](bool v) { b.Param2Attaching = v; });
    case Id::CtrlAttachUp: return boolean([&](bool v) { b.CtrlAttachUp = v; });
    case Id::CtrlAttachDn: return boolean([&](bool v) { b.CtrlAttachDn = v; });
    case Id::CommandText: return text([&](const QString &v) { b.SetCommandText(v); });
    case Id::NewlyCreated: return boolean([&](bool v) { b.SetNewlyCreated(v); });
    case Id::CommndID: return integer([&](int v) { b.CommndID = v; });
    case Id::Param1: return integer([&](int v) { b.SetParam1(v); });
    case Id::Param2: return integer([&](int v) { b.SetParam2(v); });
    case Id::ParamStr: return text([&](const QString &v) { b.SetParamStr(v); });
    case Id::ParamD: return text([&](const QString &v) { b.SetParamD(v); });
    case Id::PDevice: return integer([&](int v) { b.SetPDevice(v); });
    case Id::TopNose: return boolean([&](bool v) { b.topNose = v; });
    case Id::BotNose: return boolean([&](bool v) { b.botNose = v; });
    case Id::TotalParams: return integer([&](int v) { b.SetTotalParams(v); });
    case Id::Param1Question: return text([&](const QString &v) { b.param1question = v; });
    case Id::Param1Prompt: return text([&](const QString &v) { b.param1prompt = v; });
    case Id::Param2Question: return text([&](const QString &v) { b.param2question = v; });
    case Id::Param2Prompt: return text([&](const QString &v) { b.param2prompt = v; });
    case Id::BlockId: return integer([&](int v) { b.Id = v; });
    case Id::BorderColor: return colour([&](TColor v) { b.BorderColor = v; });
    case Id::CommandColor: return colour([&](TColor v) { b.CommandColor = v; });
    case Id::MyHint: return text([&](const QString &v) { b.SetMyHint(v); });
    case Id::Prototype: {
        // A palette block on the canvas would survive every new project and open file.
        const bool v = value.toBool(&ok);
        if (!ok)
            return invalid();
        if (v) {
            *reason = u"A block of a program is never a palette block"_s;
            return false;
        }
        b.Setprototype(false);
        return true;
    }
    case Id::DeviceOnlyCommandID: return integer([&](int v) { b.SetDeviceOnlyCommandID(v); });
    case Id::ArduCmd: return text([&](const QString &v) { b.ArduCmd = v; });
    case Id::ArduCheck: return text([&](const QString &v) { b.ArduCheck = v; });
    default: break;
    }
    // The companions' names look nothing up while a block is read (it has no owner):
    // the references and the re-link pass restore those links.
    auto companionName = [&] { return value.kind == ObjectTextValue::Kind::String || invalid(); };
    if (container && id == Id::EndBlockName) return companionName();
    if (control && id == Id::IsSimple) return boolean([&](bool v) { control->SetIsSimple(v); });
    if (control && id == Id::IsMale) return boolean([&](bool v) { control->SetisMale(v); });
    if (withElse && id == Id::ElseBlockName) return companionName();
    if (withElse && id == Id::ElseButChecked) return boolean([&](bool v) { withElse->SetElsebutchecked(v); });
    if (companion && id == Id::ContainerBlockName) return companionName();
    return false;
}

} // namespace BlockProperties

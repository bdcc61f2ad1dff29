#include "blocks/TKeloBlock.h"

#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "devices/ActiveDevices.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"

#include <atomic>

using namespace Qt::StringLiterals;

TKeloBlock::TKeloBlock(Workspace *owner) : fOwner(owner)
{
    // Atomic: the window measures a palette of its own on another thread at start-up.
    static std::atomic<quint64> nextSerial = 0;
    fSerial = ++nextSerial;
    if (fOwner)
        fOwner->registerBlock(this);
    BuildOutline();
    fPrototype = true;
    SetUniqueName(Workspace::blockPrefix());
}

TKeloBlock::~TKeloBlock()
{
    if (fOwner) {
        detachFromParent();
        fOwner->unregisterBlock(this);
    }
}

bool TKeloBlock::isStartBlock() const
{
    return CommndID == StartCommandId && !dynamic_cast<const TKeloVarBlock *>(this);
}

bool TKeloBlock::SetName(const QString &name)
{
    if (!fOwner) {
        fName = name;
        return true;
    }
    return fOwner->renameBlock(this, name);
}

void TKeloBlock::SetUniqueName(const QString &basePrefix)
{
    if (!fOwner)
        return;
    const QString prefix = fPrototype ? u"Prot_"_s + basePrefix : basePrefix;
    const int n = fOwner->smallestFreeNumber(prefix);
    Id = n;
    fOwner->renameBlock(this, prefix + u'_' + QString::number(n));
}

void TKeloBlock::adoptOwner(Workspace *owner)
{
    fOwner = owner;
    if (fOwner)
        fOwner->registerBlock(this);
}

bool TKeloBlock::restoringLayout() const
{
    return beingLoaded() || (fOwner && fOwner->loadingProgram());
}

void TKeloBlock::finishLoading()
{
    loading = false;
    // Device names are formed again when a project is opened; a block whose stored
    // name no longer names a device of its type keeps to the device at its position.
    const ActiveDevices *devices = fOwner ? fOwner->services().devices : nullptr;
    if (devices && fDeviceOnlyCommandID != -1 && !fParamD.isEmpty()) {
        const int named = devices->findByName(fParamD);
        const bool fits = named >= 0 && devices->device(named).DeviceTypeID == fDeviceOnlyCommandID;
        if (!fits && fPDevice >= 0 && fPDevice <= devices->LastDeviceIndex()
            && devices->device(fPDevice).DeviceTypeID == fDeviceOnlyCommandID)
            fParamD = devices->device(fPDevice).Name;
    }
    FillComboBox();
}

void TKeloBlock::log(const QString &line) const
{
    if (fOwner && fOwner->services().log)
        fOwner->services().log->AddDebug(line);
}

// ---------------------------------------------------------------- parent

void TKeloBlock::detachFromParent()
{
    if (fParentArea) {
        fParentArea->fChildren.erase(fChildPos);
        ++fParentArea->fOrderRevision;
        fParentArea = nullptr;
    }
    if (fParentBlock) {
        auto &kids = fParentBlock->fChildBlocks;
        kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
        fParentBlock = nullptr;
    }
}

void TKeloBlock::applyHostSizeRule(TKeloBlock *newHost)
{
    // Inside a host a block is drawn without borders and sits in the slot: it is
    // 4 pixels narrower and 12 lower there. A block restored into a host that is
    // still loading was saved with the reduced size already.
    const bool leaving = fParentBlock != nullptr;
    if (leaving || (newHost && newHost->loading)) {
        fWidth += 2 * lnw;
        fHeight += 2 * lnw + 8;
        marginTop = 0;
    }
    if (newHost) {
        fWidth -= 2 * lnw;
        fHeight -= 2 * lnw + 8;
        marginTop = 2;
    }
    BuildOutline();
}

void TKeloBlock::SetParent(BlockArea *area)
{
    if (area && area == fParentArea)
        return;
    if (fParentBlock)
        applyHostSizeRule(nullptr);
    detachFromParent();
    if (area) {
        fParentArea = area;
        ++area->fOrderRevision;
        area->fChildren.push_back(this);
        fChildPos = std::prev(area->fChildren.end());
    }
    parentChanged();
}

void TKeloBlock::SetParent(TKeloBlock *host)
{
    if (!host) {
        SetParent(static_cast<BlockArea *>(nullptr));
        return;
    }
    if (host == fParentBlock)
        return;
    // A block inside itself, or inside a block it holds, would make the parent chain a
    // loop that every walk up to the canvas would follow for ever.
    for (const TKeloBlock *up = host; up; up = up->fParentBlock) {
        if (up == this) {
            log(u"Bug-->>"_s + QString::number(Id) + u" cannot go into "_s + QString::number(host->Id));
            return;
        }
    }
    applyHostSizeRule(host);
    detachFromParent();
    fParentBlock = host;
    host->fChildBlocks.push_back(this);
    parentChanged();
}

void TKeloBlock::SetSameParentAs(const TKeloBlock *other)
{
    if (other->fParentArea)
        SetParent(other->fParentArea);
    else
        SetParent(other->fParentBlock);
}

void TKeloBlock::BringToFront()
{
    if (fParentArea) {
        auto &kids = fParentArea->fChildren;
        if (std::next(fChildPos) != kids.end()) {
            kids.splice(kids.end(), kids, fChildPos);
            ++fParentArea->fOrderRevision;
        }
    }
}

void TKeloBlock::parentChanged()
{
    FillComboBox();
}

// ---------------------------------------------------------------- properties

void TKeloBlock::SetColor(TColor c)
{
    fColor = c;
}

void TKeloBlock::SetCommandText(const QString &t)
{
    fCommandText = t;
    UpdateWidth();
}

void TKeloBlock::SetNewlyCreated(bool v)
{
    fNewlyCreated = v;
}

void TKeloBlock::SetParam1(int v)
{
    fParam1 = v;
    UpdateWidth();
    // A block being read shows nothing yet: laying it out fills its editors.
    if (!fReading)
        ctrl1.text = QString::number(v);
    RefreshHint();
}

void TKeloBlock::SetParam2(int v)
{
    fParam2 = v;
    UpdateWidth();
    if (!fReading)
        ctrl2.text = QString::number(v);
}

void TKeloBlock::SetParamStr(const QString &s)
{
    fParamStr = s;
    UpdateWidth();
    ctrlS.text = s;
}

void TKeloBlock::ParamStrEditChange(const QString &text)
{
    fParamStr = text;
    ctrlS.text = text;
    RefreshHint();
    UpdateWidth();
}

void TKeloBlock::SetParamD(const QString &s)
{
    fParamD = s;
    UpdateWidth();
    FillComboBox();
}

void TKeloBlock::SetPDevice(int v)
{
    fPDevice = v;
    UpdateWidth();
    SyncDeviceCombo();
}

void TKeloBlock::SetMyHint(const QString &t)
{
    fMyHint = t;
    // A block being read has its tooltip composed once all its properties are read.
    if (fReading)
        return;
    QString hint = t;
    if (!fParamStr.isEmpty())
        hint += u"\r ["_s + fParamStr + u']';
    const qsizetype at = hint.indexOf(u"%p1"_s);
    if (at >= 0)
        hint.replace(at, 3, GetParam1Text());
    fHint = hint;
}

void TKeloBlock::Setprototype(bool v)
{
    fPrototype = v;
    if (v)
        SetUniqueName(Workspace::blockPrefix());
    else
        UpdateWidth();
}

void TKeloBlock::SetDeviceOnlyCommandID(int v)
{
    fDeviceOnlyCommandID = v;
    if (fPrototype)
        SetEnabled(false);
}

void TKeloBlock::applyDisabledLook()
{
    if (!fEnabled && fColor != KeloColor::Gray) {
        enblColor = fColor;
        fColor = KeloColor::Gray;
    } else if (fEnabled && enblColor != KeloColor::None && enblColor != fColor) {
        fColor = enblColor;
    }
}

// ---------------------------------------------------------------- link names

QString TKeloBlock::LinkToName() const
{
    return fLinkTo ? fLinkTo->Name() : QString();
}

QString TKeloBlock::LinkFromName() const
{
    return FLinkFrom ? FLinkFrom->Name() : QString();
}

QString TKeloBlock::VarParam1Name() const
{
    return FVarParam1 ? FVarParam1->Name() : QString();
}

QString TKeloBlock::VarParam2Name() const
{
    return FVarParam2 ? FVarParam2->Name() : QString();
}

void TKeloBlock::SetLinkToName(const QString &name)
{
    if (fOwner && !fLinkTo)
        if (TKeloBlock *b = fOwner->findBlock(name))
            fLinkTo = b;
}

void TKeloBlock::SetLinkFromName(const QString &name)
{
    if (fOwner && !FLinkFrom)
        if (TKeloBlock *b = fOwner->findBlock(name))
            FLinkFrom = b;
}

void TKeloBlock::lookUpVarParam(int slot, const QString &name)
{
    TKeloBlock *current = slot == 1 ? FVarParam1 : FVarParam2;
    if (!name.isEmpty() && !current)
        loading = true;
    if (fOwner && !current) {
        if (TKeloBlock *b = fOwner->findBlock(name)) {
            setVarParam(slot, b);
            loading = false;
        }
    }
}

void TKeloBlock::SetVarParam1Name(const QString &name)
{
    lookUpVarParam(1, name);
}

void TKeloBlock::SetVarParam2Name(const QString &name)
{
    lookUpVarParam(2, name);
}

// ---------------------------------------------------------------- copies

TKeloBlock *TKeloBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloBlock>() : nullptr;
}

void TKeloBlock::assignFrom(const TKeloBlock &src)
{
    if (fOwner)
        SetParent(&fOwner->mainWindowArea());
    Setprototype(false);
    topNose = src.topNose;
    botNose = src.botNose;
    nospadUp = src.nospadUp;
    nospadDn = src.nospadDn;
    SetBounds(src.Left(), src.Top(), src.Width(), src.Height());
    SetColor(src.Color());
    BorderColor = src.BorderColor;
    CommandColor = src.CommandColor;
    SetCommandText(src.CommandText());
    CommndID = src.CommndID;
    SetParam1(src.GetParam1());
    SetParam2(src.GetParam2());
    SetParamStr(src.ParamStr());
    SetParamD(src.ParamD());
    if (!src.ParamStr().isEmpty())
        SetParam2(int(fParamStr.size()));
    SetTotalParams(src.TotalParams());
    param1question = src.param1question;
    param1prompt = src.param1prompt;
    param2question = src.param2question;
    param2prompt = src.param2prompt;
    SetMyHint(src.MyHint());
    SetDeviceOnlyCommandID(src.DeviceOnlyCommandID());
    enblColor = src.enblColor;
    ArduCmd = src.ArduCmd;
}

// ---------------------------------------------------------------- devices

QString TKeloBlock::getDeviceName() const
{
    if (!fParamD.isEmpty() || fDeviceOnlyCommandID == -1)
        return fParamD;
    const ActiveDevices *devices = fOwner ? fOwner->services().devices : nullptr;
    if (!devices)
        return QString();
    const int k = devices->FindDeviceOfType(fDeviceOnlyCommandID);
    return k < 0 ? QString() : devices->device(k).Name;
}

int TKeloBlock::getDeviceParam(int k) const
{
    const ActiveDevices *devices = fOwner ? fOwner->services().devices : nullptr;
    if (fPDevice == -1 || !devices || k < 0 || k > 5)
        return -1;
    if (fPDevice < 0 || fPDevice > devices->LastDeviceIndex())
        return -1;  // a position that no device holds (only a damaged file gives one)
    return devices->device(fPDevice).ActDevParams[std::size_t(k + 1)];
}

bool TKeloBlock::HasDeviceParam() const
{
    return fCommandText.contains(u"%pd"_s);
}

void TKeloBlock::FillComboBox()
{
    if (!HasDeviceParam())
        return;
    const bool grounded = fParentBlock || (fParentArea && fParentArea->hasParent());
    if (!grounded)
        return;
    ctrlD.clear();
    const ActiveDevices *devices = fOwner ? fOwner->services().devices : nullptr;
    if (devices) {
        for (const auto &entry : devices->GetActiveDevicePins(fDeviceOnlyCommandID)) {
            ctrlD.items.append(entry.first);
            ctrlD.data.append(entry.second);
        }
    }
    SyncDeviceCombo();
}

void TKeloBlock::SyncDeviceCombo()
{
    if (beingLoaded())
        return;
    if (ctrlD.count() > 0) {
        ctrlD.select(ctrlD.indexOf(fParamD));
        if (ctrlD.itemIndex < 0)
            ctrlD.text.clear();
    }
    const int w = fOwner && fOwner->services().measurer
                      ? fOwner->services().measurer->textWidth(ctrlD.text, BlockFont::DeviceList)
                      : 0;
    ctrlD.rect.setWidth(w < 30 ? 74 : w + 44);
}

void TKeloBlock::DeviceComboChange(int index)
{
    ctrlD.select(index);
    if (ctrlD.itemIndex < 0)
        return;
    const int position = ctrlD.data.value(ctrlD.itemIndex, -1);
    SetParamD(ctrlD.items.at(ctrlD.itemIndex));
    SetPDevice(position);
}

void TKeloBlock::onDeviceRefresh(int typeId)
{
    if (!HasDeviceParam() || typeId != fDeviceOnlyCommandID)
        return;
    FillComboBox();
    if (ctrlD.count() == 0) {
        ctrlD.text.clear();
        fParam1 = 0;
        return;
    }
    if (ctrlD.itemIndex < 0)
        ctrlD.select(0);
    const QString name = ctrlD.items.at(ctrlD.itemIndex);
    const int position = ctrlD.data.value(ctrlD.itemIndex, -1);
    SetParamD(name);
    SetPDevice(position);
    ctrlD.text = name;
}

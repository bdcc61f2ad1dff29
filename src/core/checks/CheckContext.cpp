#include "checks/CheckContext.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/Workspace.h"
#include "devices/ActiveDevices.h"

CheckContext::CheckContext(Workspace &workspace, const ActiveDevices &devices, const TArduVariables &variables)
    : fWorkspace(workspace), fDevices(devices), fVariables(variables), fBoard(devices.BoardTypeId())
{
    fStart = workspace.findStartBlock();
    walk(fStart);
    QHash<int, PinUse::Mode> mode;
    for (const TKeloBlock *b : fProgram) {
        PinUse use;
        if (!PinUse::of(b, &use))
            continue;
        use.modeBefore = mode.value(use.pin, PinUse::Mode::Unset);
        if (use.action == PinUse::Action::ConfigureOutput)
            mode.insert(use.pin, PinUse::Mode::Output);
        else if (use.action == PinUse::Action::ConfigureInput)
            mode.insert(use.pin, PinUse::Mode::Input);
        fPinUses.push_back(use);
    }
    for (int k = 0; k < devices.count(); ++k) {
        const TActiveDevice &device = devices.device(k);
        for (const DevicePin &pin : DevicePin::of(device, k, fBoard)) {
            fDevicePins.append(pin);
            fByPin[pin.pin].append(pin);
        }
        if (DevicePin::usesI2c(device))
            fI2cDevices.append(device.Name);
    }
}

// The order of sketch generation: a block, a container's body, a shown else branch,
// then the block after. A block met twice (only a damaged file links one so) ends
// its branch.
void CheckContext::walk(const TKeloBlock *b)
{
    for (; b && !fReached.contains(b); b = b->GetLinkTo()) {
        fReached.insert(b);
        fProgram.push_back(b);
        addValue(b->VarParam1());
        addValue(b->VarParam2());
        if (dynamic_cast<const TKeloContainerBlock *>(b))
            walk(b->firstBlock());
        if (auto *c = dynamic_cast<const TKeloControlElseBlock *>(b); c && c->elsevisible())
            walk(c->ElseBlock());
    }
}

void CheckContext::addValue(const TKeloBlock *value)
{
    if (!value || fReached.contains(value))
        return;
    fReached.insert(value);
    fValues.push_back(value);
}
